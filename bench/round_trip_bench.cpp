// Measures what one host call costs: through the stand-in server, as a bare ping-pong between
// two processes over the same kind of socket (the floor), and in process.
#include <sched.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "document_files.h"
#include "host.h"
#include "host/dispatch.h"
#include "platform/posix/remote_dispatch.h"
#include "posix/server.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBlocks = 40;
constexpr int kCallsPerBlock = 500;
constexpr int kInProcessBatch = 1000;

// The small root object the server serves: one property, as cheap as a member can be.
class BenchRoot final : public Dispatch {
 public:
  std::string TypeName() override { return "Application"; }
  Variant Invoke(InvokeKind, std::string_view member, std::span<const Variant>) override {
    if (member == "Name") return Variant(name_);
    Raise(errors::kMemberNotSupported);
  }

 private:
  std::string name_ = "CATIA V5";
};

double Median(std::vector<double> samples) {
  std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
  return samples[samples.size() / 2];
}

// Microseconds of each of count runs of step.
void Measure(int count, const std::function<void()>& step, std::vector<double>& samples) {
  for (int i = 0; i < count; ++i) {
    const auto start = Clock::now();
    step();
    samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
}

void PinTo(int cpu) {
  cpu_set_t set;
  CPU_ZERO(&set);
  CPU_SET(cpu, &set);
  ::sched_setaffinity(0, sizeof set, &set);
}

// Forks a child on the given processor that dies with this process and runs body.
pid_t Child(int cpu, const std::function<void()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    PinTo(cpu);
    body();
    ::_exit(0);
  }
  return pid;
}

// The three figures with this process on processor 0 and its partners on partner_cpu.
void MeasureWithPartnersOn(int partner_cpu) {
  PinTo(0);
  // The floor: a few bytes there and back between two processes.
  int pair[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return;
  const pid_t echo = Child(partner_cpu, [&] {
    ::close(pair[0]);
    char bytes[8];
    while (::recv(pair[1], bytes, sizeof bytes, 0) == sizeof bytes) {
      ::send(pair[1], bytes, sizeof bytes, MSG_NOSIGNAL);
    }
  });
  ::close(pair[1]);
  auto ping_pong = [&] {
    char bytes[8] = "ping!!!";
    ::send(pair[0], bytes, sizeof bytes, MSG_NOSIGNAL);
    ::recv(pair[0], bytes, sizeof bytes, MSG_WAITALL);
  };

  // The server, in a process of its own, in a private folder.
  char folder_template[] = "/tmp/kelvort-bench-XXXXXX";
  const std::string folder = std::string(::mkdtemp(folder_template)) + "/run";
  int ready[2];
  if (::pipe(ready) != 0) return;
  const pid_t server = Child(partner_cpu, [&] {
    ::close(pair[0]);
    standin::Server registered(std::make_shared<BenchRoot>(), folder);
    (void)!::write(ready[1], "r", 1);
    registered.Run(-1);
  });
  ::close(ready[1]);
  char byte;
  if (::read(ready[0], &byte, 1) != 1) return;
  ::close(ready[0]);
  DispatchPtr remote = ConnectToStandIn(folder);
  auto remote_call = [&] { remote->Get("Name"); };

  DispatchPtr local = std::make_shared<BenchRoot>();
  auto local_batch = [&] {
    for (int i = 0; i < kInProcessBatch; ++i) local->Get("Name");
  };
  // The stand-in's own application, as CNEXT.exe serves it (no journal kept).
  const standin::ApplicationPtr application = standin::OpenApplication({});
  application->host()->journal().Keep(false);
  auto standin_batch = [&] {
    for (int i = 0; i < kInProcessBatch; ++i) application->Get("Name");
  };

  // Warm up, then alternate the two cross-process measurements so that the machine's other
  // load falls on both alike.
  std::vector<double> ping_samples, remote_samples, local_samples;
  Measure(500, ping_pong, ping_samples);
  Measure(500, remote_call, remote_samples);
  ping_samples.clear();
  remote_samples.clear();
  for (int block = 0; block < kBlocks; ++block) {
    Measure(kCallsPerBlock, ping_pong, ping_samples);
    Measure(kCallsPerBlock, remote_call, remote_samples);
  }
  Measure(2000, local_batch, local_samples);
  std::vector<double> standin_samples;
  Measure(200, standin_batch, standin_samples);

  const double ping = Median(ping_samples);
  const double round_trip = Median(remote_samples);
  std::printf("Partner processes on %s:\n",
              partner_cpu == 0 ? "the same processor" : "another processor");
  std::printf("  bare ping-pong, 8 bytes between two processes: median %7.2f us\n", ping);
  std::printf(
      "  member call through the stand-in server:       median %7.2f us (%.2fx ping-pong)\n",
      round_trip, round_trip / ping);
  std::printf("  member call in process:                        median %7.3f us\n",
              Median(local_samples) / kInProcessBatch);
  std::printf("  the stand-in application's Name in process:    median %7.3f us\n",
              Median(standin_samples) / kInProcessBatch);

  remote.reset();
  ::close(pair[0]);
  ::kill(server, SIGTERM);
  ::waitpid(server, nullptr, 0);
  ::waitpid(echo, nullptr, 0);
  std::filesystem::remove_all(std::filesystem::path(folder).parent_path());
}

}  // namespace
}  // namespace kelvort

int main() {
  // Where the scheduler puts the partners decides the cost of a wake-up: measure both.
  kelvort::MeasureWithPartnersOn(0);
  if (sysconf(_SC_NPROCESSORS_ONLN) > 1) kelvort::MeasureWithPartnersOn(1);
  return 0;
}
