// Drives Kelvort's windows from outside, through window messages, as a user's clicks
// would: kelvort_window_driver.exe --window|--box CAPTION COMMAND [ARGUMENT]. Every command
// first waits (up to 20 seconds) for a visible window of Kelvort's own (--window: a form's or
// the progress window) or a message box (--box) whose caption holds CAPTION.
//   click TEXT      clicks the control with that caption (BM_CLICK)
//   menu ID         chooses the menu item of that command id (WM_COMMAND; Wine keeps menus
//                   within their process, so they are reached by id: 100 and up in the
//                   form's menu order)
//   type TEXT       puts TEXT into the form's first text box (WM_SETTEXT, as typing ends)
//   close           closes the window by its close box (WM_CLOSE)
//   topmost         prints 1 when the window stays on top, else 0
//   geometry        prints each control: caption, left, top, width, height (client pixels)
//   rect            prints the window's frame on the screen: WIDTHxHEIGHT+LEFT+TOP
//   text            prints the text of each of its labels that has one
// kelvort_window_driver.exe --structure FOLDER PARTS writes the benchmarks' generated product
// structure (bench/generated_structure.h) and prints its top document's path.
// The exit status is 0, or 1 with the reason on standard error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "generated_structure.h"
#include "window_lookup.h"

namespace {

using kelvort::window_lookup::ChildOfClass;
using kelvort::window_lookup::ChildWithText;
using kelvort::window_lookup::TextOf;
using kelvort::window_lookup::WaitForForm;

std::wstring Widen(const char* text) {
  std::wstring wide(static_cast<size_t>(::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0)),
                    L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), static_cast<int>(wide.size()));
  wide.resize(wide.size() - 1);
  return wide;
}

std::string Narrow(const std::wstring& text) {
  std::string narrow(static_cast<size_t>(::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1,
                                                               nullptr, 0, nullptr, nullptr)),
                     '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(),
                        static_cast<int>(narrow.size()), nullptr, nullptr);
  narrow.resize(narrow.size() - 1);
  return narrow;
}

int Fail(const char* what) {
  std::fprintf(stderr, "kelvort_window_driver: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--structure") {
    const auto top = kelvort::bench::WriteStructure(argv[2], std::atoi(argv[3]));
    std::printf("%s\n", top.string().c_str());
    return 0;
  }
  const std::string kind = argc > 1 ? argv[1] : "";
  if (argc < 4 || (kind != "--window" && kind != "--box"))
    return Fail("usage: --window|--box CAPTION COMMAND [TEXT], or --structure FOLDER PARTS");
  const HWND form = WaitForForm(Widen(argv[2]), 20, kind == "--box");
  if (form == nullptr) return Fail("no such window");
  const std::string command = argv[3];
  const std::wstring text = argc > 4 ? Widen(argv[4]) : L"";
  if (command == "click") {
    const HWND child = ChildWithText(form, text);
    if (child == nullptr) return Fail("no control with that caption");
    ::SendMessageW(child, BM_CLICK, 0, 0);
  } else if (command == "menu") {
    ::PostMessageW(form, WM_COMMAND, static_cast<WPARAM>(std::stoi(argv[4])), 0);
  } else if (command == "type") {
    const HWND edit = ChildOfClass(form, L"Edit");
    if (edit == nullptr) return Fail("no text box");
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  } else if (command == "close") {
    ::PostMessageW(form, WM_CLOSE, 0, 0);
  } else if (command == "topmost") {
    std::printf("%d\n", (::GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 ? 1 : 0);
  } else if (command == "geometry") {
    for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      RECT r;
      ::GetWindowRect(child, &r);
      ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
      std::printf("%s|%ld %ld %ld %ld\n", Narrow(TextOf(child)).c_str(), r.left, r.top,
                  r.right - r.left, r.bottom - r.top);
    }
  } else if (command == "text") {
    for (int nth = 0; const HWND label = ChildOfClass(form, L"Static", nth); ++nth) {
      if (::GetWindowTextLengthW(label) > 0) std::printf("%s\n", Narrow(TextOf(label)).c_str());
    }
  } else if (command == "rect") {
    RECT r;
    ::GetWindowRect(form, &r);
    std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
  } else {
    return Fail("unknown command");
  }
  return 0;
}
