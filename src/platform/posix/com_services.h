// The automation objects of the POSIX platform: the stand-in CATIA and the WMI stand-in.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace kelvort {

std::unique_ptr<ComServices> CreatePosixComServices();

}  // namespace kelvort
