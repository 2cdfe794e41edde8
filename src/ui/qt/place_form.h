// Centres a window on its screen when it opens.
#pragma once

#include <cstdint>

#include "ui/shared/place_form.h"

class QWidget;

namespace ondrel::ui {

// Moves `window` to the centre of its screen; 0, or the number of the failure that left it
// where it was. Width and height are not touched.
std::int32_t PlaceForm(QWidget& window);

}  // namespace ondrel::ui
