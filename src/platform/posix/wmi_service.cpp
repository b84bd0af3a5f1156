// The WMI stand-in's moniker, service and result set.
#include "platform/posix/wmi_service.h"

#include <sys/types.h>

#include "host/dispatch.h"
#include "platform/posix/automation_protocol.h"
#include "platform/posix/process_names.h"
#include "platform/posix/wql_query.h"
#include "util/run_error.h"
#include "util/text.h"

namespace kelvort {
namespace {

constexpr int32_t kInvalidSyntax = static_cast<int32_t>(0x800401E4u);  // MK_E_SYNTAX

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool IsCall(InvokeKind kind, std::string_view member, std::string_view name) {
  // Late binding ignores letter case; a method is also reached as a property.
  return kind != InvokeKind::kPropertyPut && EqualsIgnoreCase(member, name);
}

// One process of a query's result, as its Win32_Process instance.
class ProcessObject final : public Dispatch {
 public:
  ProcessObject(pid_t id, std::string name) : id_(id), name_(std::move(name)) {}
  std::string TypeName() override { return "SWbemObjectEx"; }
  Variant Invoke(InvokeKind kind, std::string_view member, std::span<const Variant> args) override {
    if (args.empty() && IsCall(kind, member, "ProcessId")) return Variant(int32_t{id_});
    if (args.empty() && IsCall(kind, member, "Name")) return Variant(name_);
    Raise(errors::kMemberNotSupported);
  }

 private:
  pid_t id_;
  std::string name_;
};

// The result of a query: the matching processes of every user, in a snapshot, as WMI
// answers with default impersonation.
class ProcessSet final : public Dispatch {
 public:
  ProcessSet(std::vector<pid_t> ids, std::string name)
      : ids_(std::move(ids)), name_(std::move(name)) {}
  std::string TypeName() override { return "SWbemObjectSet"; }
  Variant Invoke(InvokeKind kind, std::string_view member, std::span<const Variant> args) override {
    if (args.empty() && IsCall(kind, member, "Count")) {
      return Variant(static_cast<int32_t>(ids_.size()));
    }
    if (args.size() == 1 && IsCall(kind, member, "ItemIndex")) {
      const double index = args[0].ToDouble();
      if (!(index >= 0 && index < static_cast<double>(ids_.size()))) {
        Raise(wmi_errors::kNotFound, "Not found");
      }
      return Variant(std::make_shared<ProcessObject>(ids_[static_cast<size_t>(index)], name_));
    }
    Raise(errors::kMemberNotSupported);
  }

 private:
  std::vector<pid_t> ids_;
  std::string name_;
};

class Services final : public Dispatch {
 public:
  std::string TypeName() override { return "SWbemServicesEx"; }
  // ExecQuery(query [, language [, flags]]).
  Variant Invoke(InvokeKind kind, std::string_view member, std::span<const Variant> args) override {
    if (!IsCall(kind, member, "ExecQuery")) Raise(errors::kMemberNotSupported);
    if (args.empty() || args.size() > 3) Raise(errors::kInvalidProcedureCall);
    if (args.size() >= 2 && !EqualsIgnoreCase(args[1].ToText(), "WQL")) {
      Raise(wmi_errors::kInvalidQueryType, "Invalid query type: " + args[1].ToText());
    }
    std::string name = ParseProcessQuery(args[0].ToText());
    return Variant(std::make_shared<ProcessSet>(ProcessesNamed(name), std::move(name)));
  }
};

[[noreturn]] void InvalidMoniker(std::string_view moniker) {
  Raise(kInvalidSyntax, "Invalid syntax: " + std::string(moniker));
}

}  // namespace

DispatchPtr BindWmiMoniker(std::string_view moniker) {
  constexpr std::string_view kScheme = "winmgmts:";
  if (moniker.size() < kScheme.size() ||
      !EqualsIgnoreCase(moniker.substr(0, kScheme.size()), kScheme)) {
    InvalidMoniker(moniker);
  }
  std::string_view path = moniker.substr(kScheme.size());
  if (!path.empty() && path.front() == '{') {
    const size_t close = path.find('}');
    if (close == std::string_view::npos) InvalidMoniker(moniker);
    path.remove_prefix(close + 1);
    if (!path.empty() && path.front() != '!') InvalidMoniker(moniker);
    if (!path.empty()) path.remove_prefix(1);
  }
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    path.remove_prefix(2);
    size_t end = 0;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    const std::string_view computer = path.substr(0, end);
    if (computer != "." && !EqualsIgnoreCase(computer, "localhost")) {
      protocol::RaiseTransportError(protocol::hresults::kServerUnavailable, std::string(computer));
    }
    path.remove_prefix(end == path.size() ? end : end + 1);
  }
  std::string name_space(path.empty() ? "root\\cimv2" : path);
  for (char& c : name_space) {
    if (c == '/') c = '\\';
  }
  if (!EqualsIgnoreCase(name_space, "root\\cimv2")) {
    Raise(wmi_errors::kInvalidNamespace, "Invalid namespace: " + name_space);
  }
  return std::make_shared<Services>();
}

}  // namespace kelvort
