// Forms in real Win32 windows.
#include "forms/win32/win32_renderer.h"

#include "util/run_error.h"

namespace kelvort {

Win32Renderer::Win32Renderer(RunState& state) : state_(state) {
  ::SetProcessDPIAware();
}

Win32Renderer::~Win32Renderer() = default;

WindowHandle Win32Renderer::Attach(Form& form, std::function<void()> close) {
  auto window = std::make_unique<FormWindow>(form, state_, std::move(close));
  const auto handle = reinterpret_cast<WindowHandle>(window->hwnd());
  windows_[&form] = std::move(window);
  return handle;
}

void Win32Renderer::Detach(Form& form) {
  const auto found = windows_.find(&form);
  if (found == windows_.end()) return;
  found->second->Retire();
  retired_.push_back(std::move(found->second));
  windows_.erase(found);
}

void Win32Renderer::ShowModal(Form& form) {
  if (windows_.count(&form) == 0) Raise(errors::kInvalidProcedureCall, "The form has no window");
  // The other windows take no input while the dialog is shown.
  std::vector<HWND> disabled;
  for (const auto& [other, window] : windows_) {
    if (other != &form && ::IsWindowEnabled(window->hwnd())) {
      ::EnableWindow(window->hwnd(), FALSE);
      disabled.push_back(window->hwnd());
    }
  }
  RunShowing(form);
  for (HWND window : disabled) {
    if (::IsWindow(window)) ::EnableWindow(window, TRUE);
  }
}

void Win32Renderer::ShowUntilClosed(Form& form) {
  if (windows_.count(&form) == 0) Raise(errors::kInvalidProcedureCall, "The form has no window");
  RunShowing(form);
}

void Win32Renderer::RunShowing(Form& form) {
  const HWND window = windows_.at(&form)->hwnd();
  form.SetVisible(true);
  MSG message;
  while (form.IsLoaded() && form.Visible()) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // WM_QUIT belongs to the outermost loop: pass it on and end this showing.
      if (got == 0) ::PostQuitMessage(static_cast<int>(message.wParam));
      form.Hide();
      break;
    }
    // Tab and the arrow keys move between the controls as in a dialog.
    if (!::IsWindow(window) || !::IsDialogMessageW(window, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    retired_.clear();
  }
}

}  // namespace kelvort
