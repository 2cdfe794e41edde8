// The busy pointer: the hourglass over every window of the program, or over one target.
#pragma once

#include <cstdint>

class QObject;

namespace ondrel::ui {

// Busy 0 gives the default pointer back, any other value shows the hourglass. Without a
// target the pointer is the application-wide one; with a target, the target's "cursor"
// property is set by name, so any object that has one serves.
void SetBusyCursor(std::int16_t busy, QObject* target = nullptr);

}  // namespace ondrel::ui
