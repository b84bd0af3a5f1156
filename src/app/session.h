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

// What the session check found, by the numbers the log knows: not checked (an error, or the
// attach failed), one CATIA (attached), none, or several CATIA processes (attached). Only
// one lets the run go on.
enum class SessionCheck : uint8_t { kNotChecked = 0, kOne = 1, kNone = 2, kSeveral = 3 };

// Counts the CATIA processes and, unless there is none, attaches to the running CATIA and
// keeps it in state.CatiaApp. Once attached, it switches CATIA's RefreshDisplay off for the
// run.
SessionCheck Check4RunningCATIA(RunState& state);

// Gives CATIA's RefreshDisplay back the value it had before the attach, if the run changed
// it; a failing call is passed over. Every run that attached ends with it.
void RestoreRefreshDisplay(RunState& state);

}  // namespace kelvort
