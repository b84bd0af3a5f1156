// The IDispatch transport: a host object of a COM server, called by member name.
#include "platform/windows/com_dispatch.h"

#include <map>
#include <unordered_map>
#include <utility>

#include "platform/host_call_wait.h"
#include "platform/platform.h"
#include "platform/windows/com_failure.h"
#include "platform/windows/message_filter.h"
#include "platform/windows/variant_conversion.h"
#include "platform/windows/wide_text.h"
#include "util/text.h"

namespace kelvort {

struct ComObjectFacts {
  std::optional<std::string> type_name;
  // Member ids while the type name is not known.
  std::map<std::string, DISPID> member_ids;
};

struct ComHost {
  // A type's members do not change while the server runs.
  std::map<std::pair<std::string, std::string>, DISPID> member_ids;
  // The facts of the objects that wrappers hold, by their IDispatch pointer: the server hands
  // one object back as the pointer its wrappers hold, and a pointer held names one object.
  // The facts go with the object's last wrapper.
  std::unordered_map<IDispatch*, std::weak_ptr<ComObjectFacts>> objects;
  std::optional<RunError> gone;
  ComCallCounts calls;
};

namespace {

constexpr std::string_view kUntyped = "Object";

}  // namespace

ComDispatch::ComDispatch(ComPtr<IDispatch> object, std::shared_ptr<ComHost> host)
    : object_(std::move(object)), host_(std::move(host)) {
  if (!host_) {
    // A pointer carried and never called (the stand-in's arguments and results).
    facts_ = std::make_shared<ComObjectFacts>();
    return;
  }
  std::weak_ptr<ComObjectFacts>& known = host_->objects[object_.get()];
  facts_ = known.lock();
  if (!facts_) {
    facts_ = std::make_shared<ComObjectFacts>();
    known = facts_;
  }
}

ComDispatch::~ComDispatch() {
  if (host_ && facts_.use_count() == 1) host_->objects.erase(object_.get());
}

const ComCallCounts& ComDispatch::calls() const {
  return host_->calls;
}

DispatchPtr ComDispatch::Wrap(ComPtr<IDispatch> object) {
  if (!object) return nullptr;
  return std::make_shared<ComDispatch>(std::move(object), std::make_shared<ComHost>());
}

void ComDispatch::ThrowIfGone() const {
  if (host_->gone) throw *host_->gone;
}

void ComDispatch::Fail(HRESULT result, EXCEPINFO* exception, std::string_view member) {
  // Given up at the user's stop, waiting or rejected as busy: CATIA does not answer, and is
  // not called again.
  if (result == RPC_E_CALL_CANCELED || (result == RPC_E_CALL_REJECTED && StopRequested())) {
    host_->gone = AbandonedCallError();
    ThrowIfGone();
  }
  RunError error = MemberFailure(result, exception, member, [this] { return TypeName(); });
  if (IsHostGone(result)) host_->gone = error;
  throw error;
}

std::string ComDispatch::TypeName() {
  std::optional<std::string>& type_name = facts_->type_name;
  if (type_name) return *type_name;
  ThrowIfGone();
  const OutgoingCall call;
  ComPtr<ITypeInfo> info;
  ++host_->calls.get_type_infos;
  HRESULT result = object_->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Receive());
  Bstr name;
  if (SUCCEEDED(result) && info) {
    ++host_->calls.get_documentations;
    result = info->GetDocumentation(MEMBERID_NIL, name.Receive(), nullptr, nullptr, nullptr);
  }
  if (result == RPC_E_CALL_CANCELED) host_->gone = AbandonedCallError();
  if (IsHostGone(result)) host_->gone = RunError(result, SystemText(result));
  ThrowIfGone();
  type_name =
      SUCCEEDED(result) && !name.view().empty() ? Narrow(name.view()) : std::string(kUntyped);
  return *type_name;
}

DISPID ComDispatch::MemberId(std::string_view member) {
  // Late binding ignores letter case, and so does the cache.
  const std::string key = ToLower(member);
  const std::optional<std::string>& type_name = facts_->type_name;
  const bool typed = type_name && *type_name != kUntyped;
  if (typed) {
    const auto found = host_->member_ids.find({*type_name, key});
    if (found != host_->member_ids.end()) return found->second;
  }
  std::map<std::string, DISPID>& member_ids = facts_->member_ids;
  if (const auto found = member_ids.find(key); found != member_ids.end()) return found->second;
  std::wstring name = Widen(member);
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  ++host_->calls.get_ids_of_names;
  const HRESULT result = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(result)) Fail(result, nullptr, member);
  member_ids[key] = id;
  if (typed) host_->member_ids[{*type_name, key}] = id;
  return id;
}

Variant ComDispatch::Invoke(InvokeKind kind, std::string_view member,
                            std::span<const Variant> args) {
  ThrowIfGone();
  const OutgoingCall call;
  const DISPID id = MemberId(member);
  // Arguments go in reverse order; a property's new value, the last one, comes first as the
  // one named argument.
  VariantList arguments(args.size());
  for (size_t i = 0; i < args.size(); ++i) ToVariant(args[i], arguments[args.size() - 1 - i]);
  DISPID put_id = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{arguments.data(), nullptr, static_cast<UINT>(args.size()), 0};
  WORD flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
  if (kind == InvokeKind::kPropertyPut) {
    if (args.empty()) Raise(errors::kInvalidProcedureCall);
    flags = args.back().IsObject() ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    parameters.rgdispidNamedArgs = &put_id;
    parameters.cNamedArgs = 1;
  }
  VariantOwner result;
  ExceptionInfo exception;
  UINT argument_error = 0;
  ++host_->calls.invokes;
  const HRESULT outcome = object_->Invoke(
      id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
      kind == InvokeKind::kPropertyPut ? nullptr : &result.get(), exception.get(), &argument_error);
  if (FAILED(outcome)) Fail(outcome, exception.get(), member);
  return FromVariant(result.get(), host_);
}

}  // namespace kelvort
