// The user's stop asked in a window of the program's own (the progress window's Stop): the
// run stops as it does at the console's Ctrl+C.
#pragma once

namespace kelvort {

void RequestStop();

}  // namespace kelvort
