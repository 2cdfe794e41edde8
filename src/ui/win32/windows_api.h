// <windows.h> for the Win32 program, without its macro `Yield`, which would rename the
// window system's operation of that name.
#pragma once

#include <windows.h>
#undef Yield
