// The Win32 and COM headers, included one way everywhere in the Windows platform.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h: the COM and automation declarations.
#include <objbase.h>
#include <oleauto.h>

// The API's A/W macros would rename the platform seam's members of the same names.
#undef GetObject
#undef ReplaceFile
#undef CopyFile
