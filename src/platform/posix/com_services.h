// The COM services on Linux: the WMI stand-in for monikers, the stand-in CATIA's socket for
// the running "CATIA.Application".
#pragma once

#include <memory>

#include "platform/platform.h"

namespace kelvort {

std::unique_ptr<ComServices> CreatePosixComServices();

}  // namespace kelvort
