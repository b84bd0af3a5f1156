// Host session detection: how many CATIA processes run, and the attach to the running one.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/run_state.h"

namespace kelvort {

inline constexpr std::string_view kWmiMoniker =
    "winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2";
inline constexpr std::string_view kCatiaProcessQuery =
    "Select * from Win32_Process Where Name = 'CNEXT.exe'";
inline constexpr std::string_view kCatiaProgId = "CATIA.Application";

// Counts the CATIA processes and, unless there is none, attaches to the running CATIA and
// keeps it in state.CatiaApp. Answers 0 (not checked, an error, or the attach failed),
// 1 (one CATIA, attached), 2 (no CATIA) or 3 (several CATIA processes, attached); only 1
// lets the run go on.
// Once attached, it switches CATIA's RefreshDisplay off for the run.
uint8_t Check4RunningCATIA(RunState& state);

// Gives CATIA's RefreshDisplay back the value it had before the attach, if the run changed
// it; a failing call is passed over. Every run that attached ends with it.
void RestoreRefreshDisplay(RunState& state);

}  // namespace kelvort
