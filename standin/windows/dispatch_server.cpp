// The stand-in's objects served through COM by one generic IDispatch adapter.
#include "dispatch_server.h"

#include <new>

#include "automation_failure.h"
#include "platform/windows/com_dispatch.h"
#include "platform/windows/variant_conversion.h"
#include "platform/windows/wide_text.h"

namespace kelvort::standin {
namespace {

// Asks an IDispatch whether it is an adapter of this process: {8F1C2B7E-5D3A-4C61-9E2F-
// 7A4B6C0D1E35} answers with the adapter itself.
constexpr IID kAdapterIid = {
    0x8f1c2b7e, 0x5d3a, 0x4c61, {0x9e, 0x2f, 0x7a, 0x4b, 0x6c, 0x0d, 0x1e, 0x35}};

class ObjectAdapter final : public IDispatch {
 public:
  ObjectAdapter(DispatchPtr object, DispatchServer& server)
      : object_(std::move(object)), server_(server) {}

  const DispatchPtr& object() const { return object_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kAdapterIid) {
      AddRef();
      *out = static_cast<IDispatch*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      server_.Forget(object_.get());
      delete this;
    }
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return Guarded(nullptr,
                   [&] { *info = server_.types().TypeInfo(object_->TypeName()).Detach(); });
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
    // Only the member's name: the stand-in's members take no named arguments.
    for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    const HRESULT result = Guarded(nullptr, [&] { ids[0] = server_.MemberId(Narrow(names[0])); });
    return FAILED(result) || count == 1 ? result : DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override {
    const std::string* member = server_.MemberName(id);
    if (member == nullptr) return DISP_E_MEMBERNOTFOUND;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (parameters == nullptr) return E_INVALIDARG;
    // Named arguments: only a put's new value.
    if (parameters->cNamedArgs > (put ? 1u : 0u)) return DISP_E_NONAMEDARGS;
    if (put &&
        (parameters->cNamedArgs != 1 || parameters->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)) {
      return DISP_E_PARAMNOTOPTIONAL;
    }
    const InvokeKind kind = put                                   ? InvokeKind::kPropertyPut
                            : (flags & DISPATCH_PROPERTYGET) != 0 ? InvokeKind::kPropertyGet
                                                                  : InvokeKind::kMethod;
    if (result != nullptr) ::VariantInit(result);
    return Guarded(exception, [&] {
      // DISPPARAMS holds the arguments last first; a put's value, the named one, comes first.
      std::vector<Variant> args;
      const UINT named = parameters->cNamedArgs;
      for (UINT i = parameters->cArgs; i > named; --i) {
        args.push_back(FromClient(parameters->rgvarg[i - 1]));
      }
      if (put) args.push_back(FromClient(parameters->rgvarg[0]));
      const Variant value = object_->Invoke(kind, *member, args);
      if (result != nullptr) ToVariant(ToClient(value), *result);
    });
  }

 private:
  // Runs a step of serving; a failure becomes the HRESULT (and record) a client expects.
  template <typename Step>
  static HRESULT Guarded(EXCEPINFO* exception, Step&& step) {
    try {
      step();
      return S_OK;
    } catch (const RunError& failure) {
      return AutomationFailure(failure, exception);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (const std::exception& failure) {
      return AutomationFailure(RunError(E_UNEXPECTED, failure.what()), exception);
    } catch (...) {
      return E_UNEXPECTED;
    }
  }

  // An argument: objects of this server become the stand-in's objects again.
  static Variant FromClient(const VARIANT& value) {
    Variant converted = FromVariant(value, nullptr);
    return Mapped(std::move(converted), [](const DispatchPtr& object) -> DispatchPtr {
      const auto* remote = dynamic_cast<const ComDispatch*>(object.get());
      DispatchPtr own = remote != nullptr ? DispatchServer::ObjectOf(remote->object()) : nullptr;
      return own ? own : object;
    });
  }

  // A result: the stand-in's objects go out as their adapters.
  Variant ToClient(const Variant& value) {
    return Mapped(value, [this](const DispatchPtr& object) -> DispatchPtr {
      return std::make_shared<ComDispatch>(ComPtr<IDispatch>::Adopt(server_.Adapter(object)),
                                           nullptr);
    });
  }

  // The value with every object in it, arrays included, replaced by map(object).
  template <typename Map>
  static Variant Mapped(const Variant& value, const Map& map) {
    if (value.IsObject()) return Variant(map(value.ToObject()));
    if (value.kind() != Variant::Kind::kArray) return value;
    Variant::Array elements;
    for (const Variant& element : value.ToArray()) elements.push_back(Mapped(element, map));
    return Variant(std::move(elements));
  }

  ULONG references_ = 1;
  DispatchPtr object_;
  DispatchServer& server_;
};

}  // namespace

DispatchServer::~DispatchServer() {
  closing_ = true;
  std::vector<IDispatch*> live;
  for (const auto& [object, adapter] : adapters_) {
    adapter->AddRef();
    live.push_back(adapter);
  }
  for (IDispatch* adapter : live) {
    ::CoDisconnectObject(adapter, 0);
    adapter->Release();
  }
}

IDispatch* DispatchServer::Adapter(const DispatchPtr& object) {
  const auto known = adapters_.find(object.get());
  if (known != adapters_.end()) {
    known->second->AddRef();
    return known->second;
  }
  auto* adapter = new ObjectAdapter(object, *this);
  adapters_.emplace(object.get(), adapter);
  return adapter;
}

DispatchPtr DispatchServer::ObjectOf(IUnknown* unknown) {
  if (unknown == nullptr) return nullptr;
  void* found = nullptr;
  if (FAILED(unknown->QueryInterface(kAdapterIid, &found)) || found == nullptr) return nullptr;
  auto* adapter = static_cast<ObjectAdapter*>(static_cast<IDispatch*>(found));
  DispatchPtr object = adapter->object();
  adapter->Release();
  return object;
}

DISPID DispatchServer::MemberId(std::string_view name) {
  const auto known = member_ids_.find(name);
  if (known != member_ids_.end()) return known->second;
  // Ids from 1: 0 is the default member, which the stand-in's objects do not have.
  member_names_.emplace_back(name);
  const DISPID id = static_cast<DISPID>(member_names_.size());
  member_ids_.emplace(member_names_.back(), id);
  return id;
}

const std::string* DispatchServer::MemberName(DISPID id) const {
  if (id < 1 || static_cast<size_t>(id) > member_names_.size()) return nullptr;
  return &member_names_[static_cast<size_t>(id) - 1];
}

}  // namespace kelvort::standin
