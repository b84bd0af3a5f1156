// Finding Kelvort's form windows and their controls, for the window tests and their driver.
#pragma once

#include <windows.h>

#include <string>

namespace kelvort::window_lookup {

inline std::wstring TextOf(HWND window) {
  wchar_t text[512] = L"";
  ::GetWindowTextW(window, text, 512);
  return text;
}

// A visible form window whose caption holds the text (any, when empty); null after about
// seconds without one.
inline HWND WaitForForm(const std::wstring& caption, int seconds) {
  struct Search {
    const std::wstring& caption;
    HWND found = nullptr;
  };
  for (int tries = 0; tries < seconds * 10; ++tries) {
    Search search{caption};
    ::EnumWindows(
        [](HWND window, LPARAM data) {
          auto* s = reinterpret_cast<Search*>(data);
          wchar_t window_class[64] = L"";
          ::GetClassNameW(window, window_class, 64);
          if (std::wstring(window_class) != L"KelvortForm" || !::IsWindowVisible(window) ||
              TextOf(window).find(s->caption) == std::wstring::npos) {
            return TRUE;
          }
          s->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    ::Sleep(100);
  }
  return nullptr;
}

inline HWND ChildWithText(HWND form, const std::wstring& text) {
  for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (TextOf(child) == text) return child;
  }
  return nullptr;
}

// The form's nth child window of a class (0 is the first in tab order).
inline HWND ChildOfClass(HWND form, const wchar_t* wanted, int nth = 0) {
  for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t window_class[64] = L"";
    ::GetClassNameW(child, window_class, 64);
    if (::lstrcmpiW(window_class, wanted) == 0 && nth-- == 0) return child;
  }
  return nullptr;
}

}  // namespace kelvort::window_lookup
