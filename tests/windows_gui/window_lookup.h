// Finding Kelvort's windows, its message boxes and their controls, for the window tests and
// their driver.
#pragma once

#include <windows.h>

#include <string>

namespace kelvort::window_lookup {

inline std::wstring TextOf(HWND window) {
  wchar_t text[512] = L"";
  ::GetWindowTextW(window, text, 512);
  return text;
}

// A visible window of Kelvort's own (a form's or the progress window), or with message_box a
// message box, whose caption holds the text (any, when empty); null after about seconds
// without one.
inline HWND WaitForForm(const std::wstring& caption, int seconds, bool message_box = false) {
  struct Search {
    const std::wstring& caption;
    bool message_box;
    HWND found = nullptr;
  };
  for (int tries = 0; tries < seconds * 10; ++tries) {
    Search search{caption, message_box};
    ::EnumWindows(
        [](HWND window, LPARAM data) {
          auto* s = reinterpret_cast<Search*>(data);
          wchar_t window_class[64] = L"";
          ::GetClassNameW(window, window_class, 64);
          const std::wstring name = window_class;
          const bool wanted = s->message_box ? name == L"#32770" : name.starts_with(L"Kelvort");
          if (!wanted || !::IsWindowVisible(window) ||
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
