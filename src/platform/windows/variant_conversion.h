// The late-bound value to and from the COM VARIANT.
#pragma once

#include <memory>

#include "host/variant.h"
#include "platform/windows/win32.h"

namespace kelvort {

struct ComHost;

// Writes value into out, which must be empty; arrays become a SAFEARRAY of VARIANT with lower
// bound 0. An object that is not a COM object raises 13.
void ToVariant(const Variant& value, VARIANT& out);

// The value of a VARIANT, dereferenced when it comes by reference; objects become objects of
// host. Arrays of any element type are read with their own bounds; Null is Empty; other
// numbers, dates and currency take the nearest kind. A value without one raises 13.
Variant FromVariant(const VARIANT& value, const std::shared_ptr<ComHost>& host);

}  // namespace kelvort
