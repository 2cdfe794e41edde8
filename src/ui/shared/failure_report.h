// The message that tells the user an operation stopped on a failure, and why.
#pragma once

#include <string_view>

#include "common/failure.h"
#include "common/window_system.h"

namespace ondrel::ui {

// Shows `what` followed by the failure's number and description, with the critical icon.
void ReportFailure(WindowSystem& windows, std::string_view what, const Failure& failure);

}  // namespace ondrel::ui
