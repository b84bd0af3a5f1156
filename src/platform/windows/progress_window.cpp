// The progress window on Windows: a dialog-like top-level window in the system's message font,
// its label and its Stop button sized for the screen's DPI, on a thread with its own message
// loop.
#include <condition_variable>
#include <mutex>
#include <thread>

#include "core/product.h"
#include "platform/platform.h"
#include "platform/windows/stop_request.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace kelvort {
namespace {

constexpr wchar_t kWindowClass[] = L"KelvortProgress";
// Posted to the window: the latest text waits to be shown; the walk has ended.
constexpr UINT kShowText = WM_APP;
constexpr UINT kClose = WM_APP + 1;
// Sizes in pixels at 96 DPI: the label's width and lines, the button, the margins.
constexpr int kLabelWidth = 380, kLabelLines = 3;
constexpr int kButtonWidth = 75, kButtonHeight = 23, kMargin = 11, kGap = 7;

class Win32ProgressWindow final : public ProgressWindow {
 public:
  explicit Win32ProgressWindow(std::string_view stop_caption)
      : stop_caption_(Widen(stop_caption)), thread_([this] { Run(); }) {
    // The window exists (or has failed) before the run goes on.
    std::unique_lock lock(mutex_);
    created_.wait(lock, [this] { return ready_; });
  }

  ~Win32ProgressWindow() override {
    if (window_ != nullptr) ::PostMessageW(window_, kClose, 0, 0);
    thread_.join();
  }

  void Show(std::string_view text) override {
    {
      const std::lock_guard lock(mutex_);
      text_ = Widen(text);
    }
    if (window_ != nullptr) ::PostMessageW(window_, kShowText, 0, 0);
  }

 private:
  void Run() {
    HWND window = Create();
    {
      const std::lock_guard lock(mutex_);
      window_ = window;
      ready_ = true;
    }
    created_.notify_one();
    MSG message;
    while (window != nullptr && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
      // Tab, Space and Escape work as in a dialog.
      if (!::IsDialogMessageW(window, &message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
      }
    }
    ::DeleteObject(font_);
  }

  // The window hidden, with its label and button: it is shown with its first text.
  HWND Create() {
    ::SetProcessDPIAware();
    static const bool registered = [] {
      WNDCLASSEXW window_class{};
      window_class.cbSize = sizeof(window_class);
      window_class.lpfnWndProc = &WindowProc;
      window_class.hInstance = ::GetModuleHandleW(nullptr);
      window_class.hIcon = static_cast<HICON>(::LoadImageW(
          window_class.hInstance, L"KELVORT_ICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
      // IDC_ARROW, in its wide form: the macro names the ANSI one in this build.
      window_class.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
      window_class.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
      window_class.lpszClassName = kWindowClass;
      return ::RegisterClassExW(&window_class) != 0;
    }();
    if (!registered) return nullptr;
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    font_ = ::CreateFontIndirectW(&metrics.lfMessageFont);
    const HGDIOBJ old_font = ::SelectObject(screen, font_);
    TEXTMETRICW text{};
    ::GetTextMetricsW(screen, &text);
    ::SelectObject(screen, old_font);
    ::ReleaseDC(nullptr, screen);

    const auto pixels = [dpi](int at_96) { return ::MulDiv(at_96, dpi, 96); };
    const int margin = pixels(kMargin), label_width = pixels(kLabelWidth);
    const int label_height = kLabelLines * (text.tmHeight + text.tmExternalLeading);
    const int button_width = pixels(kButtonWidth), button_height = pixels(kButtonHeight);
    const int button_top = margin + label_height + pixels(kGap);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, label_width + 2 * margin, button_top + button_height + margin};
    ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const HWND window =
        ::CreateWindowExW(WS_EX_DLGMODALFRAME, kWindowClass, Widen(kProductName).c_str(), style,
                          (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                          (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
                          nullptr, instance, nullptr);
    if (window == nullptr) return nullptr;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    label_ =
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, margin,
                          margin, label_width, label_height, window, nullptr, instance, nullptr);
    // The button's id is the dialog's Cancel: Escape presses it.
    button_ = ::CreateWindowExW(
        0, L"BUTTON", stop_caption_.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
        margin + label_width - button_width, button_top, button_width, button_height, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)), instance, nullptr);
    for (const HWND child : {label_, button_}) {
      ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    return window;
  }

  void Stop() {
    RequestStop();
    // The run stops after the product or part in hand: once is enough.
    ::EnableWindow(button_, FALSE);
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<Win32ProgressWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcW(window, message, wparam, lparam);
    switch (message) {
      case kShowText: {
        const std::lock_guard lock(self->mutex_);
        ::SetWindowTextW(self->label_, self->text_.c_str());
        // Shown with the first text; once stopped (the button disabled) a closed window stays
        // hidden.
        if (!::IsWindowVisible(window) && ::IsWindowEnabled(self->button_)) {
          ::ShowWindow(window, SW_SHOWNORMAL);
          ::SetFocus(self->button_);
        }
        return 0;
      }
      case WM_COMMAND:
        if (LOWORD(wparam) == IDCANCEL) self->Stop();
        return 0;
      case WM_CLOSE:
        self->Stop();
        ::ShowWindow(window, SW_HIDE);
        return 0;
      case kClose:
        ::DestroyWindow(window);
        return 0;
      case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
      default:
        return ::DefWindowProcW(window, message, wparam, lparam);
    }
  }

  std::wstring stop_caption_;
  HFONT font_ = nullptr;
  HWND label_ = nullptr;
  HWND button_ = nullptr;
  std::mutex mutex_;
  std::condition_variable created_;
  bool ready_ = false;
  // Set once, before the constructor returns: null when the window could not be made.
  HWND window_ = nullptr;
  std::wstring text_;
  // Last: the thread starts once everything above is set.
  std::thread thread_;
};

}  // namespace

std::unique_ptr<ProgressWindow> OpenProgressWindow(std::string_view stop_caption) {
  return std::make_unique<Win32ProgressWindow>(stop_caption);
}

}  // namespace kelvort
