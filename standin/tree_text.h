// A document's tree as text for people to read: products, parts, parameters with type,
// value and permitted values, user properties and formulas, one item a line.
#pragma once

#include <string>

#include "document.h"

namespace kelvort::standin {

// The same document always gives the same text. A product placed more than once is shown
// in full at its first place only.
std::string TreeText(Document& document);

}  // namespace kelvort::standin
