// Host objects seen through a wrapper that counts (and may time) every call made on them,
// so that a benchmark knows what a run asked of the host.
#pragma once

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/dispatch.h"

namespace kelvort::bench {

// What the wrapped objects were asked. Every call counts, a failing one too; TypeName
// counts as a call, since it crosses to the host like any member.
struct CallLog {
  long long calls = 0;
  long long type_names = 0;  // of the calls, the TypeName asks
  // Of the calls, those that change what CATIA shows or holds: workbench switches, updates
  // and create calls.
  long long workbench_starts = 0, updates = 0, creates = 0;
  // Of the calls, the reads and writes of CATIA's status bar, where the progress goes.
  long long status_bar = 0;
  // Each call's duration in microseconds, when timed; and each release of a host object's
  // last reference (through COM a round trip of its own).
  bool timed = false;
  std::vector<float> durations;
  std::vector<float> releases;
  // Calls by "Type.Member", when itemised (in process only: it asks every object's type).
  bool itemised = false;
  std::map<std::string, long long> by_member;

  void Reset() {
    calls = 0;
    type_names = 0;
    workbench_starts = updates = creates = status_bar = 0;
    durations.clear();
    releases.clear();
    by_member.clear();
  }
};

class CountingDispatch final : public Dispatch {
 public:
  CountingDispatch(DispatchPtr inner, CallLog& log)
      : inner_(std::move(inner)), log_(log), type_(log.itemised ? inner_->TypeName() : "") {}

  ~CountingDispatch() override {
    if (!log_.timed || inner_.use_count() != 1) return;
    const auto start = std::chrono::steady_clock::now();
    inner_.reset();
    const std::chrono::duration<float, std::micro> took = std::chrono::steady_clock::now() - start;
    log_.releases.push_back(took.count());
  }
  CountingDispatch(const CountingDispatch&) = delete;
  CountingDispatch& operator=(const CountingDispatch&) = delete;

  static DispatchPtr Wrap(DispatchPtr object, CallLog& log) {
    if (!object) return object;
    return std::make_shared<CountingDispatch>(std::move(object), log);
  }

  // Neither override keeps an object with a destructor alive across the inner call unless
  // it must (timing, objects to unwrap): a failing look-up is a common answer of the host,
  // and a cleanup here would make its unwinding dearer than the call itself.
  std::string TypeName() override {
    Count("TypeName");
    ++log_.type_names;
    if (log_.timed) return Timed<std::string>([&] { return inner_->TypeName(); });
    return inner_->TypeName();
  }

  Variant Invoke(InvokeKind kind, std::string_view member, std::span<const Variant> args) override {
    Count(member);
    if (std::any_of(args.begin(), args.end(), [](const Variant& arg) { return arg.IsObject(); })) {
      return InvokeUnwrapping(kind, member, args);
    }
    if (log_.timed)
      return Wrapped(Timed<Variant>([&] { return inner_->Invoke(kind, member, args); }));
    return Wrapped(inner_->Invoke(kind, member, args));
  }

 private:
  void Count(std::string_view member) {
    ++log_.calls;
    if (member == "StartWorkbench") {
      ++log_.workbench_starts;
    } else if (member == "Update") {
      ++log_.updates;
    } else if (member.starts_with("Create")) {
      ++log_.creates;
    } else if (member == "StatusBar") {
      ++log_.status_bar;
    }
    if (log_.itemised) ++log_.by_member[type_ + "." + std::string(member)];
  }

  // The host takes only its own objects: the arguments are unwrapped.
  Variant InvokeUnwrapping(InvokeKind kind, std::string_view member,
                           std::span<const Variant> args) {
    std::vector<Variant> inner_args(args.begin(), args.end());
    for (Variant& arg : inner_args) {
      if (!arg.IsObject()) continue;
      if (const auto* counted = dynamic_cast<const CountingDispatch*>(arg.ToObject().get())) {
        arg = Variant(counted->inner_);
      }
    }
    if (log_.timed)
      return Wrapped(Timed<Variant>([&] { return inner_->Invoke(kind, member, inner_args); }));
    return Wrapped(inner_->Invoke(kind, member, inner_args));
  }

  Variant Wrapped(Variant result) {
    return result.IsObject() ? Variant(Wrap(result.ToObject(), log_)) : result;
  }

  // Runs the call and records its duration, a failing call's too.
  template <typename Result, typename Call>
  Result Timed(Call call) {
    struct Stopwatch {
      CallLog& log;
      std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
      ~Stopwatch() {
        const std::chrono::duration<float, std::micro> took =
            std::chrono::steady_clock::now() - start;
        log.durations.push_back(took.count());
      }
    } stopwatch{log_};
    return call();
  }

  DispatchPtr inner_;
  CallLog& log_;
  std::string type_;
};

}  // namespace kelvort::bench
