// The run's walk under Windows (Wine) through COM, as kelvort.exe makes it: the Windows
// CNEXT.exe beside the benchmark serves the structure, the application comes from the
// platform's COM services. Measures kelvort's IDispatch transport beside a bare
// cross-process call to an object of the benchmark's own, the run over a structure (first and
// second run) and what one child of each kind costs, in host calls and in the COM calls
// behind them (GetIDsOfNames, Invoke, GetTypeInfo and GetDocumentation for a type name); then
// both runs over a structure shaped like real assemblies (real_structure.h), checked as
// run_bench checks them.
//   com_run_bench [PARTS] [--real PLACEMENTS]   (default 100, a multiple of 10, and 500);
//   exit status 1 when a target is missed, 2 when the benchmark fails
//   com_run_bench --echo-server   the benchmark's own object's server (started by the above)
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "echo_server.h"
#include "generated_structure.h"
#include "platform/windows/com_dispatch.h"
#include "real_runs.h"
#include "run_walk.h"
#include "util/run_error.h"

namespace kelvort::bench {
namespace {

constexpr int kPlainCalls = 500;

std::wstring ProgramFolder() {
  wchar_t self[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (length == 0 || length == MAX_PATH) throw std::runtime_error("no path of the benchmark");
  return fs::path(self).parent_path().wstring();
}

// Asks again until the server answers; fails when its process ends first or after a minute.
template <typename Answer>
Answer WaitForServer(const ChildProcess& server, const std::function<Answer()>& ask) {
  for (int attempt = 0; attempt < 600; ++attempt) {
    try {
      return ask();
    } catch (const RunError&) {
      if (server.Ended()) throw std::runtime_error("a server of the benchmark ended at once");
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }
  throw std::runtime_error("a server of the benchmark did not serve within a minute");
}

ComCallCounts operator-(const ComCallCounts& after, const ComCallCounts& before) {
  return {after.get_ids_of_names - before.get_ids_of_names, after.invokes - before.invokes,
          after.get_type_infos - before.get_type_infos,
          after.get_documentations - before.get_documentations};
}

struct ServedRun {
  Figures figures;
  long long type_names = 0;  // of the host calls
  ComCallCounts com;
};

// The medians of plain calls, one of each kind in turn: the transport's Application.Name
// into CNEXT.exe and a bare Invoke on the echo object.
struct PlainCalls {
  double transport_us = 0;
  double bare_us = 0;
};

PlainCalls MeasurePlainCalls(const DispatchPtr& application, IDispatch* echo) {
  std::vector<float> transport;
  std::vector<float> bare;
  DISPPARAMS none{};
  for (int i = 0; i < kPlainCalls; ++i) {
    Clock::time_point start = Clock::now();
    application->Get("Name");
    transport.push_back(static_cast<float>(SecondsSince(start) * 1e6));
    VARIANT result;
    ::VariantInit(&result);
    start = Clock::now();
    const HRESULT outcome =
        echo->Invoke(kEchoText, IID_NULL, LOCALE_USER_DEFAULT,
                     DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
    bare.push_back(static_cast<float>(SecondsSince(start) * 1e6));
    ::VariantClear(&result);
    if (FAILED(outcome)) throw std::runtime_error("the echo object failed");
  }
  return {Median(transport), Median(bare)};
}

// The benchmark's programs and folders, and the echo server for the run's length.
class Bench {
 public:
  explicit Bench(const fs::path& folder)
      : folder_(folder),
        programs_(ProgramFolder()),
        echo_server_(programs_ + L"\\com_run_bench.exe", L"--echo-server") {
    WriteSettings(folder / "settings");
    echo_ = WaitForServer<ComPtr<IDispatch>>(echo_server_, [] {
      ComPtr<IUnknown> running;
      ComPtr<IDispatch> echo;
      if (FAILED(::GetActiveObject(kEchoClassId, nullptr, running.Receive())) ||
          FAILED(
              running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(echo.Receive())))) {
        Raise(errors::kCannotCreateObject);
      }
      return echo;
    });
  }
  ~Bench() {
    DISPPARAMS none{};
    echo_->Invoke(kEchoQuit, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr,
                  nullptr, nullptr);
    echo_ = {};
  }
  Bench(const Bench&) = delete;
  Bench& operator=(const Bench&) = delete;

  const fs::path& folder() const { return folder_; }

  // Both runs over the structure of the top document, served by a CNEXT.exe of their own;
  // the plain calls measured first when asked for.
  std::array<ServedRun, 2> Serve(Platform& platform, const fs::path& top, bool timed,
                                 PlainCalls* plain) {
    std::array<ServedRun, 2> runs;
    ChildProcess catia(programs_ + L"\\CNEXT.exe", L"\"" + top.wstring() + L"\"");
    const DispatchPtr application = WaitForServer<DispatchPtr>(
        catia, [&] { return platform.com.GetActiveObject("CATIA.Application"); });
    const ComCallCounts& com = dynamic_cast<const ComDispatch&>(*application).calls();
    if (plain != nullptr) *plain = MeasurePlainCalls(application, echo_.get());
    CallLog log;
    log.timed = timed;
    for (ServedRun& run : runs) {
      const ComCallCounts before = com;
      run.figures = Walk(platform, application, log, (folder_ / "settings").string());
      run.type_names = log.type_names;
      run.com = com - before;
    }
    // It writes the documents back and ends.
    application->Call("Quit");
    if (!catia.Ended(60000)) throw std::runtime_error("CNEXT.exe did not end");
    return runs;
  }

 private:
  fs::path folder_;
  std::wstring programs_;
  ChildProcess echo_server_;
  ComPtr<IDispatch> echo_;
};

void PrintComCalls(const ServedRun& run, double per, const char* unit = "part") {
  const ComCallCounts& com = run.com;
  const long long members = run.figures.calls - run.type_names;
  std::printf(
      "      COM: GetIDsOfNames %lld, Invoke %lld, GetTypeInfo %lld, GetDocumentation %lld "
      "(%.1f, %.1f, %.1f, %.1f a %s); %.2f COM calls a host call\n",
      com.get_ids_of_names, com.invokes, com.get_type_infos, com.get_documentations,
      static_cast<double>(com.get_ids_of_names) / per, static_cast<double>(com.invokes) / per,
      static_cast<double>(com.get_type_infos) / per,
      static_cast<double>(com.get_documentations) / per, unit,
      static_cast<double>(com.get_ids_of_names + com.invokes + com.get_type_infos +
                          com.get_documentations) /
          static_cast<double>(run.figures.calls));
  // Without the caches every member call would look its id up and every type name would be
  // read afresh (GetTypeInfo and GetDocumentation).
  std::printf(
      "      caches save: %lld of %lld GetIDsOfNames, %lld of %lld type-name calls "
      "(%lld member calls, %lld TypeName)\n",
      members - com.get_ids_of_names, members,
      2 * run.type_names - com.get_type_infos - com.get_documentations, 2 * run.type_names, members,
      run.type_names);
}

// What one child of each kind adds, in host calls and COM calls, beyond a top with none;
// answers what each adds to the first run.
DefinitionCosts ReportChildCosts(Platform& platform, Bench& bench) {
  const auto served = [&](ChildKind kind) {
    const fs::path folder = bench.folder() / "one-child" / std::to_string(static_cast<int>(kind));
    return bench.Serve(platform, WriteOneChild(folder, kind), false, nullptr);
  };
  const std::array<ServedRun, 2> base = served(ChildKind::kNone);
  const std::pair<ChildKind, const char*> kinds[] = {
      {ChildKind::kPart, "a part child (a part document of its own)"},
      {ChildKind::kSubAssembly, "a sub-assembly child (a product document of its own)"},
      {ChildKind::kComponent, "a component child (defined inside its parent's document)"}};
  std::printf("One child, 20 definitions, beyond the parent's own:\n");
  DefinitionCosts first_run;
  for (const auto& [kind, label] : kinds) {
    const std::array<ServedRun, 2> with = served(kind);
    (kind == ChildKind::kPart          ? first_run.part
     : kind == ChildKind::kSubAssembly ? first_run.product
                                       : first_run.component) =
        with[0].figures.calls - base[0].figures.calls;
    std::printf("  %s\n", label);
    for (int run = 0; run < 2; ++run) {
      ServedRun cost;
      cost.figures.calls = with[run].figures.calls - base[run].figures.calls;
      cost.type_names = with[run].type_names - base[run].type_names;
      cost.com = with[run].com - base[run].com;
      std::printf("    run %d: %lld host calls (%lld TypeName)\n", run + 1, cost.figures.calls,
                  cost.type_names);
      PrintComCalls(cost, 1);
    }
  }
  std::printf("\n");
  return first_run;
}

int Run(int parts, int placements, const char* argv0) {
  const auto native = CreateNativePlatform(argv0, true);
  Platform& platform = native->platform();
  const fs::path folder = fs::temp_directory_path() /
                          ("kelvort-com-run-bench-" + std::to_string(::GetCurrentProcessId()));
  fs::remove_all(folder);
  Targets targets;
  {
    Bench bench(folder);
    const DefinitionCosts first_run = ReportChildCosts(platform, bench);

    PlainCalls plain;
    const fs::path top = WriteStructure(folder / std::to_string(parts), parts);
    const std::array<ServedRun, 2> runs = bench.Serve(platform, top, true, &plain);
    std::printf("%d parts (%d sub-assemblies, 100 components), through CNEXT.exe:\n", parts,
                parts / 10);
    std::printf(
        "  median of %d plain calls, in turn: the transport (Application.Name) %.1f us, "
        "a bare IDispatch call to the benchmark's own object %.1f us\n",
        kPlainCalls, plain.transport_us, plain.bare_us);
    for (int run = 0; run < 2; ++run) {
      PrintRun("server", run + 1, runs[run].figures, parts);
      PrintComCalls(runs[run], parts);
    }

    const RealShape shape = WriteRealShaped(folder / "real", placements);
    const std::array<ServedRun, 2> real = bench.Serve(platform, shape.top, true, nullptr);
    std::printf("\n");
    PrintShape(shape);
    for (int run = 0; run < 2; ++run) {
      PrintRealRun("server", run + 1, real[run].figures, shape);
      PrintRun("server", run + 1, real[run].figures, shape.placements, "placement");
      PrintComCalls(real[run], shape.placements, "placement");
    }

    std::printf("\nTargets:\n");
    for (int run = 0; run < 2; ++run) CheckWithinCallTime(targets, parts, run, runs[run].figures);
    const Figures real_figures[2] = {real[0].figures, real[1].figures};
    CheckRealRuns(targets, "server", shape, first_run, real_figures);
  }
  fs::remove_all(folder);
  return targets.met ? 0 : 1;
}

}  // namespace
}  // namespace kelvort::bench

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--echo-server") return kelvort::bench::ServeEcho();
  int parts = 100;
  int placements = 500;
  bool usage = false;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--real" && i + 1 < argc) {
      placements = std::atoi(argv[++i]);
      usage = usage || placements < 10;
    } else {
      parts = std::atoi(argv[i]);
      usage = usage || parts < 10 || parts % 10 != 0;
    }
  }
  if (usage) {
    std::fprintf(stderr, "Usage: com_run_bench [PARTS] (a multiple of 10) [--real PLACEMENTS]\n");
    return 2;
  }
  try {
    return kelvort::bench::Run(parts, placements, argv[0]);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "com_run_bench: %s\n", failure.what());
    return 2;
  }
}
