// The forms in real windows on a display (Wine with Xvfb in CI): a second thread plays the
// user, sending the window messages of clicks and typing while this thread shows the form
// through the Win32 renderer, as the program does. The model and the files are checked once
// the showing has ended.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "forms/forms.h"
#include "forms/frm_file_browser.h"
#include "forms/frm_settings.h"
#include "forms/win32/win32_renderer.h"
#include "lang/language.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"
#include "platform/windows/windows_test_support.h"
#include "util/run_error.h"
#include "window_lookup.h"

namespace kelvort::testing {
namespace {

using window_lookup::ChildOfClass;

// The shown form window (there is one at a time); null after ten seconds without one.
HWND WaitForFormWindow() {
  return window_lookup::WaitForForm(L"", 10);
}

std::string TextOf(HWND window) {
  return Narrow(window_lookup::TextOf(window));
}

// A list box's rows without the folder list's indentation.
std::vector<std::string> Rows(HWND list) {
  std::vector<std::string> rows;
  const auto count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
    wchar_t row[512] = L"";
    ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row));
    const std::string text = Narrow(row);
    rows.push_back(text.substr(text.find_first_not_of(' ')));
  }
  return rows;
}

// Selects a list box's row as a click does; double_click opens it (a folder).
void ChooseRow(HWND form, HWND list, const std::string& row, bool double_click) {
  const std::vector<std::string> rows = Rows(list);
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i] != row) continue;
    ::SendMessageW(list, LB_SETCURSEL, i, 0);
    const WORD code = double_click ? LBN_DBLCLK : LBN_SELCHANGE;
    ::SendMessageW(form, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), code),
                   reinterpret_cast<LPARAM>(list));
  }
}

void Click(HWND form, const std::string& caption) {
  if (const HWND button = window_lookup::ChildWithText(form, Widen(caption))) {
    ::SendMessageW(button, BM_CLICK, 0, 0);
  }
}

// What a form shows badly: labels whose caption needs more room than they have at their
// font, pictures whose bitmap does not fill the picture box; and how many pictures it has.
struct LookFaults {
  std::vector<std::string> cut_labels;
  std::vector<std::string> unscaled_pictures;
  int pictures = 0;
};

LookFaults LookFaultsOf(HWND form) {
  LookFaults faults;
  for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t window_class[32] = L"";
    ::GetClassNameW(child, window_class, 32);
    if (::lstrcmpiW(window_class, L"Static") != 0) continue;
    RECT room;
    ::GetClientRect(child, &room);
    if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
      ++faults.pictures;
      BITMAP bitmap{};
      ::GetObjectW(reinterpret_cast<HGDIOBJ>(::SendMessageW(child, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                   sizeof(bitmap), &bitmap);
      if (bitmap.bmWidth != room.right || bitmap.bmHeight != room.bottom) {
        faults.unscaled_pictures.push_back(
            std::to_string(bitmap.bmWidth) + "x" + std::to_string(bitmap.bmHeight) + " in " +
            std::to_string(room.right) + "x" + std::to_string(room.bottom));
      }
      continue;
    }
    const std::wstring text = Widen(TextOf(child));
    RECT needed{0, 0, room.right, 0};
    const HDC dc = ::GetDC(child);
    const HGDIOBJ old_font =
        ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(child, WM_GETFONT, 0, 0)));
    ::DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(dc, old_font);
    ::ReleaseDC(child, dc);
    if (needed.right > room.right || needed.bottom > room.bottom) {
      faults.cut_labels.push_back(Narrow(text));
    }
  }
  return faults;
}

// With KELVORT_SCREENSHOT_DIR set, saves the window as the screen shows it there as
// NAME.bmp (scripts/test-windows-gui.sh --screenshots turns them into PNGs).
void SaveScreenshot(HWND form, const std::string& name) {
  const char* folder = std::getenv("KELVORT_SCREENSHOT_DIR");
  if (folder == nullptr) return;
  ::Sleep(500);  // time to paint
  // The client area: without a window manager, nobody draws the frame.
  RECT frame;
  ::GetClientRect(form, &frame);
  ::MapWindowPoints(form, nullptr, reinterpret_cast<POINT*>(&frame), 2);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = frame.right - frame.left;
  header.biHeight = frame.bottom - frame.top;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(((header.biWidth * 3 + 3) & ~3) * header.biHeight);
  const HDC screen = ::GetDC(nullptr);
  const HDC copy = ::CreateCompatibleDC(screen);
  void* pixels = nullptr;
  const HBITMAP bitmap = ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                            DIB_RGB_COLORS, &pixels, nullptr, 0);
  const HGDIOBJ old_bitmap = ::SelectObject(copy, bitmap);
  ::BitBlt(copy, 0, 0, header.biWidth, header.biHeight, screen, frame.left, frame.top, SRCCOPY);
  ::GdiFlush();
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = file.bfOffBits + header.biSizeImage;
  WriteBytes(std::string(folder) + "\\" + name + ".bmp",
             std::string(reinterpret_cast<const char*>(&file), sizeof(file)) +
                 std::string(reinterpret_cast<const char*>(&header), sizeof(header)) +
                 std::string(static_cast<const char*>(pixels), header.biSizeImage));
  ::SelectObject(copy, old_bitmap);
  ::DeleteObject(bitmap);
  ::DeleteDC(copy);
  ::ReleaseDC(nullptr, screen);
}

// Runs show on this thread and user on a second one, given the shown window. A window that
// is still shown when the user is done is closed, so a failed step never hangs the test.
void WhileShown(const std::function<void()>& show, const std::function<void(HWND)>& user) {
  std::thread user_thread([&] {
    const HWND form = WaitForFormWindow();
    if (form == nullptr) return;
    user(form);
    if (::IsWindowVisible(form)) ::PostMessageW(form, WM_CLOSE, 0, 0);
  });
  show();
  user_thread.join();
}

class FormWindowsTest : public ::testing::Test {
 protected:
  FormWindowsTest() {
    // The per-user settings: read from (and made in) the temp folder.
    state_.SettingsMode = SettingsSource::kPerUser;
    state_.SettingsPath = temp_.path();
    state_.ErrorLogPath = temp_.path();
    forms_.SetRenderer(std::make_unique<Win32Renderer>(state_));
    ::SetCurrentDirectoryW(Widen(temp_.path()).c_str());
    // The main window reads the shared settings: its per-user file goes to the temp folder.
    ::SetEnvironmentVariableW(L"APPDATA", Widen(temp_.path()).c_str());
  }
  ~FormWindowsTest() override { ::SetCurrentDirectoryW(L"C:\\"); }

  static bool SamePath(const std::string& a, const std::string& b) {
    return ::lstrcmpiW(Widen(a).c_str(), Widen(b).c_str()) == 0;
  }

  TempFolder temp_;
  WindowsTestPlatform test_;
  RunState state_{test_.platform};
  Forms forms_{state_};
};

TEST_F(FormWindowsTest, FileDialogListsTheRealFileSystemAndFollowsTheChosenFolder) {
  std::filesystem::create_directories(Widen(temp_ / "alpha"));
  std::filesystem::create_directories(Widen(temp_ / "beta"));
  WriteBytes(temp_ / "one.txt", "1");
  WriteBytes(temp_ / "two.dat", "2");
  WriteBytes(temp_ / "alpha\\inner.txt", "3");
  std::vector<std::string> folders, files_at_start, files_in_alpha;
  std::string answer_shown;
  WhileShown([&] { forms_.ShowModal(FormId::kFileBrowser); },
             [&](HWND form) {
               const HWND folder_list = ChildOfClass(form, L"ListBox", 0);
               const HWND file_list = ChildOfClass(form, L"ListBox", 1);
               folders = Rows(folder_list);
               files_at_start = Rows(file_list);
               ChooseRow(form, folder_list, "alpha", true);
               files_in_alpha = Rows(file_list);
               ChooseRow(form, file_list, "inner.txt", false);
               answer_shown = TextOf(ChildOfClass(form, L"Edit"));
               Click(form, "OK");
             });
  EXPECT_EQ(files_at_start, (std::vector<std::string>{"one.txt", "two.dat"}));
  EXPECT_NE(std::find(folders.begin(), folders.end(), "alpha"), folders.end()) << folders.size();
  EXPECT_NE(std::find(folders.begin(), folders.end(), "beta"), folders.end());
  EXPECT_EQ(files_in_alpha, (std::vector<std::string>{"inner.txt"}));

  FrmFileBrowser& dialog = forms_.frmFileBrowser();
  EXPECT_TRUE(SamePath(dialog.lstDir.Path(), temp_ / "alpha")) << dialog.lstDir.Path();
  EXPECT_TRUE(SamePath(dialog.lstFile.Path(), temp_ / "alpha")) << dialog.lstFile.Path();
  EXPECT_TRUE(SamePath(dialog.txtFile.Text(), temp_ / "alpha\\inner.txt"));
  EXPECT_EQ(answer_shown, dialog.txtFile.Text());
  EXPECT_FALSE(dialog.Visible());
}

// Every label shows its whole caption at the form's font, and every picture's bitmap fills
// its box at the screen's DPI: each of the five forms in English and in German.
TEST_F(FormWindowsTest, LabelsShowTheirWholeCaptionAndPicturesFillTheirBoxes) {
  // The browse dialogs start in a folder that every run has alike, for their pictures.
  if (const wchar_t* public_folder = _wgetenv(L"PUBLIC")) {
    ::SetCurrentDirectoryW((std::wstring(public_folder) + L"\\Documents").c_str());
  }
  int pictures = 0;
  for (const int16_t language : {0, 1}) {
    for (const auto& [id, name] :
         std::map<FormId, std::string>{{FormId::kMain, "main"},
                                       {FormId::kSettings, "settings"},
                                       {FormId::kFileBrowser, "file-browser"},
                                       {FormId::kFolderBrowser, "folder-browser"},
                                       {FormId::kAbout, "about"}}) {
      const std::string shown = name + (language == 0 ? "-en" : "-de");
      SCOPED_TRACE(shown);
      // Closing the main window unloads the forms: the choice is made anew each time.
      FrmSettings& settings = forms_.frmSettings();
      settings.optLang[language].SetValue(true);
      SetLanguage(state_, settings);
      if (id != FormId::kSettings && forms_.IsLoaded(id)) forms_.Unload(id);
      LookFaults faults;
      WhileShown([&] { forms_.ShowModal(id); },
                 [&](HWND form) {
                   faults = LookFaultsOf(form);
                   SaveScreenshot(form, "window-" + shown);
                 });
      EXPECT_EQ(faults.cut_labels, std::vector<std::string>{});
      EXPECT_EQ(faults.unscaled_pictures, std::vector<std::string>{});
      pictures += faults.pictures;
    }
  }
  EXPECT_EQ(pictures, 4);  // the logos of the main window and the about box, twice
}

// A form of the tests' own: it counts its Activate events, and its button's Click
// procedure fails.
class ProbeForm : public Form {
 public:
  ProbeForm()
      : Form(FormSpec{
            .name = "frmProbe", .caption = "Probe", .client_width = 3000, .client_height = 1500}),
        cmdFail(Add<CommandButton>(
            ControlDesign{.name = "cmdFail", .caption = "Fail", .layout = {120, 120, 1500, 375}})) {
    cmdFail.on_click = [] { Raise(errors::kInvalidProcedureCall, "The probe's click failed"); };
  }
  CommandButton& cmdFail;
  std::atomic<int> activations{0};

 private:
  void Form_Activate() override { ++activations; }
};

// Waits up to five seconds for the condition, handling the messages of this thread's windows.
bool Eventually(const std::function<bool()>& condition) {
  for (int tries = 0; tries < 50 && !condition(); ++tries) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    ::Sleep(100);
  }
  return condition();
}

TEST_F(FormWindowsTest, ClickProcedureFailureIsReportedAndLoggedNotLostInTheMessageLoop) {
  Win32Renderer& renderer = static_cast<Win32Renderer&>(forms_.renderer());
  auto probe = std::make_shared<ProbeForm>();
  probe->Load(renderer.Attach(*probe, [&] { probe->Hide(); }));
  WhileShown([&] { renderer.ShowModal(*probe); }, [&](HWND form) { Click(form, "Fail"); });
  ASSERT_EQ(test_.boxes.boxes.size(), 1u);
  EXPECT_NE(test_.boxes.boxes[0].text.find("cmdFail_Click"), std::string::npos);
  EXPECT_NE(test_.boxes.boxes[0].text.find("The probe's click failed"), std::string::npos);
  const std::string log = FileBytes(temp_ / "Error.log");
  EXPECT_NE(log.find("cmdFail_Click"), std::string::npos) << log;
  renderer.Detach(*probe);
}

// Activate runs when a showing begins, not when the user switches to another window and
// back; the next showing runs it again.
TEST_F(FormWindowsTest, ActivateRunsOncePerShowingNotOnASwitchBetweenWindows) {
  Win32Renderer& renderer = static_cast<Win32Renderer&>(forms_.renderer());
  auto probe = std::make_shared<ProbeForm>();
  probe->Load(renderer.Attach(*probe, [&] { probe->Hide(); }));
  bool other_came_to_front = false, probe_came_back = false;
  WhileShown([&] { renderer.ShowModal(*probe); },
             [&](HWND form) {
               if (!Eventually([&] { return probe->activations == 1; })) return;
               const HWND other =
                   ::CreateWindowExW(0, L"STATIC", L"Another application", WS_OVERLAPPEDWINDOW, 0,
                                     0, 200, 100, nullptr, nullptr, nullptr, nullptr);
               ::ShowWindow(other, SW_SHOW);
               ::SetForegroundWindow(other);
               other_came_to_front = Eventually([&] { return ::GetForegroundWindow() == other; });
               ::SetForegroundWindow(form);
               probe_came_back = Eventually([&] { return ::GetForegroundWindow() == form; });
               ::Sleep(300);  // time for a wrong second Activate to arrive
               ::DestroyWindow(other);
             });
  EXPECT_TRUE(other_came_to_front);
  EXPECT_TRUE(probe_came_back);
  EXPECT_EQ(probe->activations, 1);

  WhileShown([&] { renderer.ShowModal(*probe); },
             [&](HWND) { Eventually([&] { return probe->activations == 2; }); });
  EXPECT_EQ(probe->activations, 2);
  renderer.Detach(*probe);
}

}  // namespace
}  // namespace kelvort::testing
