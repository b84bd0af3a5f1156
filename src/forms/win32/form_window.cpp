// One form's real window.
#include "forms/win32/form_window.h"

#include <algorithm>
#include <cctype>

#include "forms/toolkit/buttons.h"
#include "forms/toolkit/file_system_lists.h"
#include "forms/toolkit/list_controls.h"
#include "forms/toolkit/menu.h"
#include "forms/toolkit/static_controls.h"
#include "forms/toolkit/text_box.h"
#include "log/procedure.h"
#include "platform/windows/wide_text.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

constexpr wchar_t kWindowClass[] = L"KelvortForm";
constexpr int kFirstId = 100;
// The space, in twips, that a widened label leaves before the control beside it.
constexpr int32_t kLabelGap = 30;

// The resource name of an image of the program's resources: "kelvort-logo.svg" is
// KELVORT_LOGO in the executable.
std::wstring ResourceName(const std::string& file) {
  std::wstring name;
  for (const char c : file.substr(0, file.find('.'))) {
    name += c == '-' ? L'_' : static_cast<wchar_t>(std::toupper(static_cast<unsigned char>(c)));
  }
  return name;
}

// A colour as the form designer stores it: a system colour (0x800000nn) or RGB.
COLORREF ColourOf(int32_t colour) {
  const auto value = static_cast<uint32_t>(colour);
  if ((value & 0x80000000u) != 0) return ::GetSysColor(static_cast<int>(value & 0xFFu));
  return static_cast<COLORREF>(value);
}

// Edit controls break lines at CR LF.
std::wstring WithCrLf(std::string_view text) {
  std::wstring wide;
  for (const wchar_t c : Widen(text)) {
    if (c == L'\n' && (wide.empty() || wide.back() != L'\r')) wide += L'\r';
    wide += c;
  }
  return wide;
}

std::string WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  std::string narrow = Narrow(text);
  narrow.erase(std::remove(narrow.begin(), narrow.end(), '\r'), narrow.end());
  return narrow;
}

void RegisterWindowClass() {
  static const bool registered = [] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = &FormWindow::WindowProc;
    window_class.hInstance = ::GetModuleHandleW(nullptr);
    window_class.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    window_class.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = kWindowClass;
    return ::RegisterClassExW(&window_class) != 0;
  }();
  if (!registered) Raise(errors::kInternalError, "The window class cannot be registered");
}

DWORD StyleOf(const FormSpec& design) {
  DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (design.border == BorderStyle::kSizable) style |= WS_THICKFRAME;
  if (design.min_button) style |= WS_MINIMIZEBOX;
  if (design.max_button) style |= WS_MAXIMIZEBOX;
  return style;
}

// The number of folders above and including a folder list's Path (List(-1) and upwards).
int16_t FoldersAbove(const DirListBox& list) {
  int16_t count = 0;
  while (IgnoringErrors([&] { list.List(static_cast<int16_t>(-count - 1)); })) ++count;
  return count;
}

// The last part of a folder's path: "Z:\" stays whole.
std::string FolderName(const std::string& path) {
  const size_t slash = path.find_last_of('\\', path.size() - 2);
  return slash == std::string::npos || path.size() <= 3 ? path : path.substr(slash + 1);
}

// An image of the program's resources at a size in pixels: as drawn for 96 DPI, or smoothly
// scaled to the screen's DPI. Null when the resource is missing.
HBITMAP ScaledBitmap(const std::wstring& resource, int width, int height) {
  const auto drawn = static_cast<HBITMAP>(
      ::LoadImageW(::GetModuleHandleW(nullptr), resource.c_str(), IMAGE_BITMAP, 0, 0, 0));
  BITMAP size{};
  if (drawn == nullptr || !::GetObjectW(drawn, sizeof(size), &size) ||
      (size.bmWidth == width && size.bmHeight == height)) {
    return drawn;
  }
  const HDC screen = ::GetDC(nullptr);
  const HBITMAP scaled = ::CreateCompatibleBitmap(screen, width, height);
  const HDC from = ::CreateCompatibleDC(screen);
  const HDC to = ::CreateCompatibleDC(screen);
  const HGDIOBJ old_from = ::SelectObject(from, drawn);
  const HGDIOBJ old_to = ::SelectObject(to, scaled);
  ::SetStretchBltMode(to, HALFTONE);
  ::SetBrushOrgEx(to, 0, 0, nullptr);
  ::StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
  ::SelectObject(from, old_from);
  ::SelectObject(to, old_to);
  ::DeleteDC(from);
  ::DeleteDC(to);
  ::ReleaseDC(nullptr, screen);
  ::DeleteObject(drawn);
  return scaled;
}

// The size a text needs in a font: wrapped at width, or on one line when width is 0.
SIZE TextExtent(HWND window, HFONT font, const std::wstring& text, int width) {
  RECT needed{0, 0, width, 0};
  const HDC dc = ::GetDC(window);
  const HGDIOBJ old_font = ::SelectObject(dc, font);
  ::DrawTextW(dc, text.c_str(), -1, &needed,
              DT_CALCRECT | DT_NOPREFIX | (width > 0 ? DT_WORDBREAK : DT_SINGLELINE));
  ::SelectObject(dc, old_font);
  ::ReleaseDC(window, dc);
  return {needed.right, needed.bottom};
}

bool TextFits(HWND window, HFONT font, const std::wstring& text, int width, int height) {
  const SIZE needed = TextExtent(window, font, text, width);
  return needed.cx <= width && needed.cy <= height;
}

int LineWidth(HWND window, HFONT font, const std::wstring& text) {
  return TextExtent(window, font, text, 0).cx;
}

HFONT CreateFormFont(const FontSpec& font, int pixel_height) {
  return ::CreateFontW(-pixel_height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH, Widen(font.name).c_str());
}

}  // namespace

FormWindow::FormWindow(Form& form, RunState& state, std::function<void()> close)
    : form_(&form), state_(state), close_(std::move(close)) {
  RegisterWindowClass();
  const HDC screen = ::GetDC(nullptr);
  dpi_ = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);

  const FormSpec& design = form.design();
  const DWORD style = StyleOf(design);
  const DWORD ex_style = design.border == BorderStyle::kFixedDialog ? WS_EX_DLGMODALFRAME : 0;
  const bool has_menus = std::any_of(form.Controls().begin(), form.Controls().end(),
                                     [](Control* c) { return dynamic_cast<Menu*>(c) != nullptr; });
  RECT frame{0, 0, Pixels(design.client_width), Pixels(design.client_height)};
  ::AdjustWindowRectEx(&frame, style, has_menus, ex_style);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  int left = CW_USEDEFAULT, top = CW_USEDEFAULT;
  if (design.start_up_position == StartUpPosition::kCenterScreen ||
      design.start_up_position == StartUpPosition::kCenterOwner) {
    left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  hwnd_ = ::CreateWindowExW(ex_style, kWindowClass, Widen(form.Caption()).c_str(), style, left, top,
                            width, height, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (hwnd_ == nullptr) Raise(errors::kInternalError, "The window cannot be created");
  ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

  if (!design.icon.empty()) {
    const HANDLE icon = ::LoadImageW(::GetModuleHandleW(nullptr), ResourceName(design.icon).c_str(),
                                     IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
    ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  font_height_ = ::MulDiv(design.font.points, dpi_, 72);
  font_ = CreateFormFont(design.font, font_height_);
  CreateMenus();
  CreateControls();
  form.SetObserver(this);
}

FormWindow::~FormWindow() {
  if (form_ != nullptr) form_->SetObserver(nullptr);
  ::DestroyWindow(hwnd_);
  ::DeleteObject(font_);
  for (const auto& [height, font] : smaller_fonts_) ::DeleteObject(font);
  for (HBITMAP bitmap : bitmaps_) ::DeleteObject(bitmap);
}

void FormWindow::Retire() {
  if (form_ != nullptr) form_->SetObserver(nullptr);
  form_ = nullptr;
  ::ShowWindow(hwnd_, SW_HIDE);
  ::PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void FormWindow::CreateMenus() {
  int position = 0;
  for (Control* control : form_->Controls()) {
    auto* menu = dynamic_cast<Menu*>(control);
    if (menu == nullptr) continue;
    const int id = kFirstId + static_cast<int>(by_id_.size());
    by_id_[id] = menu;
    ids_[menu] = id;
    if (menu_bar_ == nullptr) menu_bar_ = ::CreateMenu();
    if (menu->parent().empty()) {
      const HMENU popup = ::CreatePopupMenu();
      ::AppendMenuW(menu_bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                    Widen(menu->Caption()).c_str());
      popups_[menu] = {popup, position++};
      popup_of_name_[menu->Name()] = popup;
    } else {
      ::AppendMenuW(popup_of_name_.at(menu->parent()), MF_STRING, static_cast<UINT_PTR>(id),
                    Widen(menu->Caption()).c_str());
    }
    SyncMenu(*menu);
  }
  if (menu_bar_ != nullptr) ::SetMenu(hwnd_, menu_bar_);
}

void FormWindow::CreateControls() {
  // Children are created in tab order: the window order is the order of the Tab key.
  std::vector<Control*> placed;
  for (Control* control : form_->Controls()) {
    if (dynamic_cast<Menu*>(control) == nullptr) placed.push_back(control);
  }
  std::stable_sort(placed.begin(), placed.end(), [](Control* a, Control* b) {
    return a->TabIndex().value_or(INT16_MAX) < b->TabIndex().value_or(INT16_MAX);
  });
  std::string group_started;
  bool in_group = false;
  for (Control* control : placed) {
    const int id = kFirstId + static_cast<int>(by_id_.size());
    by_id_[id] = control;
    ids_[control] = id;
    const HWND child = CreateChild(*control, id);
    if (child == nullptr) continue;
    // A group of option buttons starts at its first button; every other control starts one.
    auto* option = dynamic_cast<OptionButton*>(control);
    const bool starts_group = option == nullptr || !in_group || option->group() != group_started;
    if (starts_group) {
      ::SetWindowLongPtrW(child, GWL_STYLE, ::GetWindowLongPtrW(child, GWL_STYLE) | WS_GROUP);
    }
    in_group = option != nullptr;
    if (option != nullptr) group_started = option->group();
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    children_[control] = child;
    Sync(*control);
  }
}

HWND FormWindow::CreateChild(Control& control, int id) {
  const wchar_t* window_class = nullptr;
  DWORD style = WS_CHILD;
  DWORD ex_style = 0;
  int extra_height = 0;
  if (auto* label = dynamic_cast<Label*>(&control)) {
    window_class = L"STATIC";
    style |= SS_NOPREFIX | (label->alignment() == Alignment::kCenter  ? SS_CENTER
                            : label->alignment() == Alignment::kRight ? SS_RIGHT
                                                                      : SS_LEFT);
  } else if (auto* button = dynamic_cast<CommandButton*>(&control)) {
    window_class = L"BUTTON";
    style |= WS_TABSTOP | (button->Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  } else if (dynamic_cast<OptionButton*>(&control) != nullptr) {
    window_class = L"BUTTON";
    style |= WS_TABSTOP | BS_RADIOBUTTON;
  } else if (dynamic_cast<CheckBox*>(&control) != nullptr) {
    window_class = L"BUTTON";
    style |= WS_TABSTOP | BS_3STATE;
  } else if (auto* text = dynamic_cast<TextBox*>(&control)) {
    window_class = L"EDIT";
    ex_style = WS_EX_CLIENTEDGE;
    style |= WS_TABSTOP | (text->look().multi_line ? ES_MULTILINE | WS_VSCROLL | ES_AUTOVSCROLL
                                                   : ES_AUTOHSCROLL);
    if (text->look().locked) style |= ES_READONLY;
  } else if (auto* picture = dynamic_cast<PictureBox*>(&control)) {
    window_class = L"STATIC";
    if (!picture->Picture().empty()) style |= SS_BITMAP | SS_REALSIZECONTROL;
  } else if (dynamic_cast<DriveListBox*>(&control) != nullptr) {
    window_class = L"COMBOBOX";
    style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
    extra_height = Pixels(2400);
  } else if (dynamic_cast<ComboBox*>(&control) != nullptr) {
    window_class = L"COMBOBOX";
    style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
    extra_height = Pixels(2400);
  } else if (dynamic_cast<DirListBox*>(&control) != nullptr ||
             dynamic_cast<ListControl*>(&control) != nullptr) {
    window_class = L"LISTBOX";
    ex_style = WS_EX_CLIENTEDGE;
    style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  } else {
    return nullptr;  // lines are painted on the form
  }
  const Layout& at = control.layout();
  const HWND child = ::CreateWindowExW(
      ex_style, window_class, L"", style, Pixels(at.left), Pixels(at.top), Pixels(at.width),
      Pixels(at.height) + extra_height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      ::GetModuleHandleW(nullptr), nullptr);
  if (child == nullptr)
    Raise(errors::kInternalError, "The control " + control.Name() + " cannot be created");
  if (auto* picture = dynamic_cast<PictureBox*>(&control); picture && !picture->Picture().empty()) {
    const HBITMAP bitmap =
        ScaledBitmap(ResourceName(picture->Picture()), Pixels(at.width), Pixels(at.height));
    if (bitmap != nullptr) {
      bitmaps_.push_back(bitmap);
      ::SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
      ::MoveWindow(child, Pixels(at.left), Pixels(at.top), Pixels(at.width), Pixels(at.height),
                   FALSE);
    }
  }
  return child;
}

void FormWindow::FormChanged(Form& form) {
  ::SetWindowTextW(hwnd_, Widen(form.Caption()).c_str());
  const bool shown = ::IsWindowVisible(hwnd_) != FALSE;
  if (form.Visible() && !shown) {
    activated_ = false;
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::SetForegroundWindow(hwnd_);
  } else if (!form.Visible() && shown) {
    ::ShowWindow(hwnd_, SW_HIDE);
    // Wakes the message loop, which ends the showing once it sees the form hidden.
    ::PostMessageW(hwnd_, WM_NULL, 0, 0);
  }
}

void FormWindow::ControlChanged(Control& control) {
  if (dynamic_cast<Menu*>(&control) != nullptr) {
    SyncMenu(control);
  } else if (children_.count(&control) != 0) {
    Sync(control);
  } else {
    ::InvalidateRect(hwnd_, nullptr, TRUE);  // a line
  }
}

void FormWindow::SyncMenu(Control& control) {
  auto& menu = static_cast<Menu&>(control);
  std::wstring caption = Widen(menu.Caption());
  MENUITEMINFOW item{};
  item.cbSize = sizeof(item);
  item.fMask = MIIM_STRING;
  item.dwTypeData = caption.data();
  // The caption alone changes: replacing a popup's item would destroy the popup.
  if (const auto popup = popups_.find(&control); popup != popups_.end()) {
    ::SetMenuItemInfoW(menu_bar_, static_cast<UINT>(popup->second.second), TRUE, &item);
  } else if (!menu.parent().empty()) {
    const UINT id = static_cast<UINT>(ids_.at(&control));
    const HMENU parent = popup_of_name_.at(menu.parent());
    item.fMask |= MIIM_STATE;
    item.fState = (menu.Checked() ? MFS_CHECKED : MFS_UNCHECKED) |
                  (menu.Enabled() ? MFS_ENABLED : MFS_DISABLED);
    ::SetMenuItemInfoW(parent, id, FALSE, &item);
  }
  if (hwnd_ != nullptr) ::DrawMenuBar(hwnd_);
}

void FormWindow::Sync(Control& control) {
  const HWND child = children_.at(&control);
  syncing_ = true;
  ::ShowWindow(child, control.Visible() ? SW_SHOWNA : SW_HIDE);
  ::EnableWindow(child, control.Enabled());
  const auto fill = [child](UINT reset, UINT add, const std::vector<std::string>& items) {
    ::SendMessageW(child, reset, 0, 0);
    for (const std::string& item : items) {
      ::SendMessageW(child, add, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    }
  };
  const auto items_of = [](const ListControl& list) {
    std::vector<std::string> items;
    for (int16_t i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
    return items;
  };
  if (auto* option = dynamic_cast<OptionButton*>(&control)) {
    ::SetWindowTextW(child, Widen(option->Caption()).c_str());
    ::SendMessageW(child, BM_SETCHECK, option->Value() ? BST_CHECKED : BST_UNCHECKED, 0);
  } else if (auto* check = dynamic_cast<CheckBox*>(&control)) {
    ::SetWindowTextW(child, Widen(check->Caption()).c_str());
    ::SendMessageW(child, BM_SETCHECK, static_cast<WPARAM>(check->Value()), 0);
  } else if (auto* label = dynamic_cast<Label*>(&control)) {
    ::SetWindowTextW(child, Widen(label->Caption()).c_str());
    FitLabel(*label, child);
  } else if (auto* captioned = dynamic_cast<CaptionedControl*>(&control)) {
    ::SetWindowTextW(child, Widen(captioned->Caption()).c_str());
  } else if (auto* text = dynamic_cast<TextBox*>(&control)) {
    if (WindowText(child) != text->Text()) ::SetWindowTextW(child, WithCrLf(text->Text()).c_str());
    ::SendMessageW(child, EM_SETSEL, static_cast<WPARAM>(text->SelStart()), text->SelStart());
  } else if (auto* folders = dynamic_cast<DirListBox*>(&control)) {
    std::vector<std::string> rows;
    const int16_t above = FoldersAbove(*folders);
    for (int16_t level = above; level >= 1; --level) {
      rows.push_back(std::string(static_cast<size_t>(above - level) * 2, ' ') +
                     FolderName(folders->List(static_cast<int16_t>(-level))));
    }
    for (int16_t i = 0; i < folders->ListCount(); ++i) {
      rows.push_back(std::string(static_cast<size_t>(above) * 2, ' ') +
                     FolderName(folders->List(i)));
    }
    fill(LB_RESETCONTENT, LB_ADDSTRING, rows);
    ::SendMessageW(child, LB_SETCURSEL, static_cast<WPARAM>(above - 1), 0);
  } else if (auto* combo = dynamic_cast<ComboBox*>(&control)) {
    fill(CB_RESETCONTENT, CB_ADDSTRING, items_of(*combo));
    ::SendMessageW(child, CB_SETCURSEL, static_cast<WPARAM>(combo->ListIndex()), 0);
    if (WindowText(child) != combo->Text()) ::SetWindowTextW(child, Widen(combo->Text()).c_str());
  } else if (auto* drives = dynamic_cast<DriveListBox*>(&control)) {
    fill(CB_RESETCONTENT, CB_ADDSTRING, items_of(*drives));
    ::SendMessageW(child, CB_SETCURSEL, static_cast<WPARAM>(drives->ListIndex()), 0);
  } else if (auto* list = dynamic_cast<ListControl*>(&control)) {
    fill(LB_RESETCONTENT, LB_ADDSTRING, items_of(*list));
    ::SendMessageW(child, LB_SETCURSEL, static_cast<WPARAM>(list->ListIndex()), 0);
  }
  syncing_ = false;
}

int FormWindow::RoomBeside(const Control& label) const {
  const Layout& at = label.layout();
  int32_t room = form_->design().client_width - at.left;
  // Every placed control counts, also one whose window is made after the label's.
  for (const Control* other : form_->Controls()) {
    const Layout& them = other->layout();
    const bool same_row = them.top < at.top + at.height && them.top + them.height > at.top;
    if (other != &label && dynamic_cast<const Menu*>(other) == nullptr && same_row &&
        them.left >= at.left + at.width) {
      room = std::min(room, them.left - at.left - kLabelGap);
    }
  }
  return Pixels(room);
}

HFONT FormWindow::FontOfHeight(int pixel_height) {
  if (pixel_height == font_height_) return font_;
  HFONT& font = smaller_fonts_[pixel_height];
  if (font == nullptr) font = CreateFormFont(form_->design().font, pixel_height);
  return font;
}

void FormWindow::FitLabel(const Label& label, HWND child) {
  const Layout& at = label.layout();
  const int designed = Pixels(at.width);
  const std::wstring caption = Widen(label.Caption());
  int width = designed;
  int height = font_height_;
  if (!TextFits(child, font_, caption, designed, Pixels(at.height))) {
    // One line of it: wider into the free room beside it (a left-aligned label), then, where
    // that is not enough, in a smaller font.
    const int room = label.alignment() == Alignment::kLeft ? RoomBeside(label) : designed;
    width = std::max(designed, std::min(room, LineWidth(child, font_, caption)));
    while (height > font_height_ * 3 / 4 &&
           LineWidth(child, FontOfHeight(height), caption) > width) {
      --height;
    }
  }
  ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontOfHeight(height)), FALSE);
  const int extra = width - designed;
  const int left = Pixels(at.left) - (label.alignment() == Alignment::kRight    ? extra
                                      : label.alignment() == Alignment::kCenter ? extra / 2
                                                                                : 0);
  ::MoveWindow(child, left, Pixels(at.top), width, Pixels(at.height), TRUE);
}

void FormWindow::RunEvent(const std::string& name, const std::function<void()>& body) {
  Procedure(state_, name, Gate::kNone, body);
}

void FormWindow::Command(int id, int code, HWND child) {
  const auto found = by_id_.find(id);
  if (syncing_ || form_ == nullptr || found == by_id_.end()) return;
  Control& control = *found->second;
  const std::string name = control.Name();
  bool taken = true;
  const bool is_button = dynamic_cast<CommandButton*>(&control) != nullptr ||
                         dynamic_cast<OptionButton*>(&control) != nullptr ||
                         dynamic_cast<CheckBox*>(&control) != nullptr;
  if (child == nullptr || (is_button && code == BN_CLICKED)) {
    RunEvent(name + "_Click", [&] { taken = control.UserClick(); });
  } else if (auto* text = dynamic_cast<TextBox*>(&control); text && code == EN_CHANGE) {
    RunEvent(name + "_Change", [&] { taken = text->UserType(WindowText(child)); });
  } else if (auto* combo = dynamic_cast<ComboBox*>(&control); combo && code == CBN_EDITCHANGE) {
    RunEvent(name + "_Change", [&] { taken = combo->UserType(WindowText(child)); });
  } else if (auto* folders = dynamic_cast<DirListBox*>(&control)) {
    if (code != LBN_DBLCLK) return;
    const auto row = static_cast<int16_t>(::SendMessageW(child, LB_GETCURSEL, 0, 0));
    const int16_t above = FoldersAbove(*folders);
    const auto index = static_cast<int16_t>(row - above);
    RunEvent(name + "_Change", [&] { taken = folders->UserOpen(index); });
  } else if (auto* list = dynamic_cast<ListControl*>(&control);
             list && (code == LBN_SELCHANGE || code == CBN_SELCHANGE)) {
    const bool drop_down =
        dynamic_cast<ComboBox*>(list) != nullptr || dynamic_cast<DriveListBox*>(list) != nullptr;
    const auto index =
        static_cast<int16_t>(::SendMessageW(child, drop_down ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
    RunEvent(name + (dynamic_cast<DriveListBox*>(list) ? "_Change" : "_Click"),
             [&] { taken = list->UserSelect(index); });
  } else {
    return;
  }
  // Input the control refused (or the window of an unloaded form): show the model's state.
  if (!taken && form_ != nullptr && children_.count(&control) != 0) Sync(control);
}

void FormWindow::Activated() {
  if (activated_ || form_ == nullptr || !form_->Visible()) return;
  activated_ = true;
  Form& form = *form_;
  RunEvent("Form_Activate", [&] { form.Activate(); });
  if (form_ != nullptr) RunEvent("Form_GotFocus", [&] { form.GotFocus(); });
  if (form_ != nullptr && form_->ActiveControl() != nullptr &&
      children_.count(form_->ActiveControl()) != 0) {
    ::SetFocus(children_.at(form_->ActiveControl()));
  }
}

void FormWindow::Paint() {
  PAINTSTRUCT paint;
  const HDC dc = ::BeginPaint(hwnd_, &paint);
  if (form_ != nullptr) {
    for (Control* control : form_->Controls()) {
      auto* line = dynamic_cast<Line*>(control);
      if (line == nullptr || !line->Visible()) continue;
      const HPEN pen = ::CreatePen(PS_SOLID, 1, ColourOf(line->BorderColor()));
      const HGDIOBJ old = ::SelectObject(dc, pen);
      ::MoveToEx(dc, Pixels(line->ends().x1), Pixels(line->ends().y1), nullptr);
      ::LineTo(dc, Pixels(line->ends().x2), Pixels(line->ends().y2));
      ::SelectObject(dc, old);
      ::DeleteObject(pen);
    }
  }
  ::EndPaint(hwnd_, &paint);
}

LRESULT CALLBACK FormWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* window = reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (window == nullptr || window->hwnd_ != hwnd) {
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
  }
  return window->Handle(message, wparam, lparam);
}

LRESULT FormWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) Activated();
      break;
    case WM_CLOSE:
      if (form_ != nullptr) RunEvent("Form_Unload", close_);
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      // A text box in the face colour (the about box's notice) keeps it, read-only or not.
      const auto child = reinterpret_cast<HWND>(lparam);
      for (const auto& [control, handle] : children_) {
        auto* text = dynamic_cast<TextBox*>(control);
        if (handle != child || text == nullptr) continue;
        const auto dc = reinterpret_cast<HDC>(wparam);
        const COLORREF back = ColourOf(text->look().back_color);
        ::SetBkColor(dc, back);
        ::SetDCBrushColor(dc, back);
        return reinterpret_cast<LRESULT>(::GetStockObject(DC_BRUSH));
      }
      break;
    }
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wparam, lparam);
}

}  // namespace kelvort
