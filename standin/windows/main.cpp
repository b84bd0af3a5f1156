// CNEXT.exe on Windows, the stand-in CATIA as a COM automation server: registers as the
// running "CATIA.Application", serves its objects through IDispatch until a client calls
// Application.Quit (or CNEXT.exe --quit asks it to end, or Ctrl+C), and writes changed
// documents back when it ends. For tests and demonstrations only: never installed for users.
#include <chrono>
#include <iostream>
#include <thread>

#include "dispatch_server.h"
#include "document_files.h"
#include "platform/windows/com_apartment.h"
#include "platform/windows/com_dispatch.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"
#include "registration.h"
#include "stand_in_main.h"

// After windows.h: the command line split into arguments.
#include <shellapi.h>

namespace kelvort::standin {
namespace {

DWORD g_main_thread = 0;

// Ctrl+C, Ctrl+Break and the console's closing end the message loop as a quit does.
BOOL WINAPI OnConsoleStop(DWORD) {
  ::PostThreadMessageW(g_main_thread, WM_QUIT, 0, 0);
  return TRUE;
}

// An apartment-threaded server serves its clients from its message loop.
void PumpUntilQuit() {
  g_main_thread = ::GetCurrentThreadId();
  // The thread's queue exists before the handler may post to it.
  MSG message;
  ::PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  ::SetConsoleCtrlHandler(OnConsoleStop, TRUE);
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  ::SetConsoleCtrlHandler(OnConsoleStop, FALSE);
}

class ComServerFace final : public ServerFace {
 public:
  int QuitRunning() override {
    constexpr auto kPatience = std::chrono::seconds(120);
    {
      // The stand-in's own class, never the identifier: a real CATIA is never asked to quit.
      ComPtr<IUnknown> running;
      ComPtr<IDispatch> application;
      if (FAILED(::GetActiveObject(kStandInClassId, nullptr, running.Receive())) ||
          FAILED(running->QueryInterface(IID_IDispatch,
                                         reinterpret_cast<void**>(application.Receive())))) {
        std::cerr << "CNEXT.exe: no stand-in CATIA serves this user.\n";
        return 1;
      }
      ComDispatch::Wrap(std::move(application))->Call("Quit");
    }
    // It leaves the running object table once its documents are written back.
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (StandInRunning()) {
      if (std::chrono::steady_clock::now() > deadline) {
        std::cerr << "CNEXT.exe: the stand-in CATIA did not end.\n";
        return 1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 0;
  }

  void Idle() override {
    std::cout << "CNEXT.exe runs without serving." << std::endl;
    PumpUntilQuit();
  }

  void Serve(const ApplicationPtr& application) override {
    if (StandInRunning()) {
      throw std::runtime_error(
          "Another CATIA stand-in is already running as CATIA.Application for this user.");
    }
    DispatchServer server;
    const auto adapter = ComPtr<IDispatch>::Adopt(server.Adapter(application));
    const ProgIdRegistration registration;
    RunningObject running(adapter.get(), server.types().TypeInfo("Application").get());
    application->host()->SetQuitHandler([] { ::PostQuitMessage(0); });
    // Who started it (a test, a demonstration) learns that clients may attach now.
    std::cout << "CNEXT.exe serves as CATIA.Application." << std::endl;
    PumpUntilQuit();
    application->host()->SetQuitHandler(nullptr);
    // Still registered: no second stand-in starts on the documents meanwhile.
    SaveChangedDocuments(*application);
    // Leaves the running object table, then the registry (the reverse of their making).
  }

 private:
  ComApartment apartment_;
};

// The arguments after the program's name, in UTF-8 whatever the code page.
std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(Narrow(wide[i]));
  ::LocalFree(wide);
  return args;
}

}  // namespace
}  // namespace kelvort::standin

int main() {
  kelvort::standin::ComServerFace face;
  return kelvort::standin::StandInMain(kelvort::standin::Arguments(), face);
}
