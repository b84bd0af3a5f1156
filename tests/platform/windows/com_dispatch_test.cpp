// The IDispatch transport against an in-process automation object of the test's own: member
// look-up and its cache, Invoke flags and argument order, VARIANT conversions both ways, the
// failure mapping, a server that has gone, and references released on every path.
#include "platform/windows/com_dispatch.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/windows/com_apartment.h"
#include "support/failure_of.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

// What the probe saw.
struct Journal {
  int look_ups = 0;
  int invokes = 0;
  std::vector<WORD> flags;
  std::vector<DISPID> named;
  ComPtr<ITypeInfo> type;        // a type named "Probe"; none: no type information
  IDispatch* sibling = nullptr;  // another probe of the same journal
};

// The probe's members; a member's DISPID is its place, from 1.
constexpr std::wstring_view kMembers[] = {
    L"Name", L"Echo",        L"Difference", L"Fail", L"Raise",  L"WorkbookCode",
    L"Gone", L"ByReference", L"OneBased",   L"Twin", L"Sibling"};
constexpr DISPID Id(std::wstring_view name) {
  for (DISPID id = 1; id <= DISPID(std::size(kMembers)); ++id) {
    if (kMembers[id - 1] == name) return id;
  }
  return DISPID_UNKNOWN;
}

HRESULT STDMETHODCALLTYPE FillInDescription(EXCEPINFO* info) {
  info->bstrDescription = ::SysAllocString(L"Filled in later");
  return S_OK;
}

class Probe final : public IDispatch {
 public:
  explicit Probe(Journal& journal) : journal_(journal) {}
  ULONG references() const { return references_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    const bool known = id == IID_IUnknown || id == IID_IDispatch;
    *out = known ? static_cast<IDispatch*>(this) : nullptr;
    if (known) AddRef();
    return known ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // owned by the test
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = journal_.type ? 1 : 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
    *out = ComPtr<ITypeInfo>(journal_.type).Detach();
    return *out != nullptr ? S_OK : DISP_E_BADINDEX;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID,
                                          DISPID* ids) override {
    ++journal_.look_ups;
    for (const std::wstring_view member : kMembers) {
      if (::_wcsicmp(names[0], member.data()) == 0) {
        ids[0] = Id(member);
        return S_OK;
      }
    }
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override {
    ++journal_.invokes;
    journal_.flags.push_back(flags);
    journal_.named.push_back(params->cNamedArgs == 1 ? params->rgdispidNamedArgs[0] : 0);
    VARIANT* args = params->rgvarg;
    switch (id) {
      case Id(L"Name"):
        if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
          return ::VariantCopy(&name_, &args[0]);
        }
        return ::VariantCopy(result, &name_);
      case Id(L"Echo"):
        if (params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
        return ::VariantCopy(result, &args[0]);
      case Id(L"Difference"):  // first argument minus second: catches a wrong order
        V_VT(result) = VT_I4;
        V_I4(result) = V_I4(&args[1]) - V_I4(&args[0]);
        return S_OK;
      case Id(L"Fail"):
        return E_FAIL;
      case Id(L"Raise"):
        exception->scode = static_cast<SCODE>(0x80040123);
        exception->bstrSource = ::SysAllocString(L"Probe");
        exception->pfnDeferredFillIn = FillInDescription;
        return DISP_E_EXCEPTION;
      case Id(L"WorkbookCode"):
        exception->wCode = 1004;
        exception->bstrDescription = ::SysAllocString(L"Der Wert ist ungültig");
        return DISP_E_EXCEPTION;
      case Id(L"Gone"):
        return RPC_E_DISCONNECTED;
      case Id(L"ByReference"):
        V_VT(result) = VT_BYREF | VT_I4;
        V_I4REF(result) = &by_reference_;
        return S_OK;
      case Id(L"OneBased"): {  // texts from index 1, as a typed array
        SAFEARRAYBOUND bound{2, 1};
        V_VT(result) = VT_ARRAY | VT_BSTR;
        V_ARRAY(result) = ::SafeArrayCreate(VT_BSTR, 1, &bound);
        for (LONG i : {1, 2}) {
          Bstr text(i == 1 ? L"eins" : L"zwei");
          ::SafeArrayPutElement(V_ARRAY(result), &i, text.get());
        }
        return S_OK;
      }
      case Id(L"Twin"):  // the same object handed back
        AddRef();
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = this;
        return S_OK;
      case Id(L"Sibling"):  // another object of the same type and server
        journal_.sibling->AddRef();
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = journal_.sibling;
        return S_OK;
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  }

  ~Probe() { ::VariantClear(&name_); }

 private:
  Journal& journal_;
  ULONG references_ = 1;
  VARIANT name_{};
  LONG by_reference_ = 42;
};

// A type library made at run time with one dispatch type named "Probe".
ComPtr<ITypeInfo> ProbeType() {
  ComPtr<ICreateTypeLib2> library;
  ComPtr<ICreateTypeInfo> created;
  ComPtr<ITypeInfo> type;
  if (FAILED(::CreateTypeLib2(SYS_WIN64, L"probe.tlb", library.Receive())) ||
      FAILED(library->CreateTypeInfo(const_cast<LPOLESTR>(L"Probe"), TKIND_DISPATCH,
                                     created.Receive())) ||
      FAILED(created->LayOut()) ||
      FAILED(created->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(type.Receive())))) {
    return {};
  }
  return type;
}

class ComDispatchTest : public ::testing::Test {
 protected:
  ComDispatchTest() {
    journal.type = ProbeType();
    journal.sibling = &sibling;
  }
  ~ComDispatchTest() override {
    object.reset();
    EXPECT_EQ(probe.references(), 1u) << "every reference is given back";
    EXPECT_EQ(sibling.references(), 1u) << "every reference is given back";
  }
  DispatchPtr Wrap() { return ComDispatch::Wrap(ComPtr<IDispatch>::Share(&probe)); }

  ComApartment apartment;
  Journal journal;
  Probe probe{journal};
  Probe sibling{journal};
  DispatchPtr object;
};

TEST_F(ComDispatchTest, ValuesCrossBothWays) {
  object = Wrap();
  const Variant::Array nested = {Variant("a"), Variant(int32_t{1}),
                                 Variant(Variant::Array{Variant(true)})};
  const Variant::Array values = {Variant(),       Variant::Nothing(),       Variant(true),
                                 Variant(false),  Variant(int16_t{-7}),     Variant(int32_t{70000}),
                                 Variant(2.5),    Variant("Größe ✓"),       Variant(""),
                                 Variant(nested), Variant(Variant::Array{})};
  for (const Variant& value : values) {
    const Variant back = object->Call("Echo", {value});
    EXPECT_EQ(back.kind(), value.kind());
    EXPECT_TRUE(back == value) << back.ToText();
  }
  const Variant self = object->Call("Echo", {Variant(object)});
  ASSERT_TRUE(self.IsObject());
  EXPECT_EQ(static_cast<ComDispatch&>(*self.ToObject()).object(), &probe);

  EXPECT_EQ(object->Call("Difference", {Variant(int32_t{10}), Variant(int32_t{3})}).ToLong(), 7);
  EXPECT_EQ(object->Get("ByReference").ToLong(), 42);
  EXPECT_TRUE(object->Get("OneBased") == Variant(Variant::Array{Variant("eins"), Variant("zwei")}));
}

TEST_F(ComDispatchTest, GetCallAndPutUseLateBindingsFlags) {
  object = Wrap();
  object->Put("name", Variant("Bolt"));
  EXPECT_EQ(object->Get("NAME").ToText(), "Bolt");
  object->Put("Name", Variant(object));
  object->Call("Name");
  const std::vector<WORD> flags = {DISPATCH_PROPERTYPUT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                   DISPATCH_PROPERTYPUTREF, DISPATCH_METHOD | DISPATCH_PROPERTYGET};
  EXPECT_EQ(journal.flags, flags);
  EXPECT_EQ(journal.named, (std::vector<DISPID>{DISPID_PROPERTYPUT, 0, DISPID_PROPERTYPUT, 0}));
  object->Put("Name", Variant());  // drops the object the probe held
}

TEST_F(ComDispatchTest, TypeNamesAndMemberIdsAreKeptPerObjectAndType) {
  object = Wrap();
  EXPECT_EQ(object->TypeName(), "Probe");
  object->Get("Name");
  object->Get("name");
  // The same object handed back shares what is known of it.
  EXPECT_EQ(object->Get("Twin").ToObject()->TypeName(), "Probe");
  // Another object of the same type and server finds the member in the type's cache.
  DispatchPtr other = object->Get("Sibling").ToObject();
  EXPECT_EQ(other->TypeName(), "Probe");
  other->Get("Name");
  EXPECT_EQ(journal.look_ups, 3) << "Name, Twin and Sibling, once each";
  const ComCallCounts& calls = static_cast<ComDispatch&>(*object).calls();
  EXPECT_EQ(calls.get_ids_of_names, journal.look_ups);
  EXPECT_EQ(calls.invokes, journal.invokes);
  EXPECT_EQ(calls.get_type_infos, 2);
  EXPECT_EQ(calls.get_documentations, 2);

  // Once no wrapper holds an object, nothing known of it is kept: its pointer may come to
  // name another object, of another type.
  other.reset();
  journal.type = {};
  other = object->Get("Sibling").ToObject();
  EXPECT_EQ(other->TypeName(), "Object");
  // Without a type, member ids are kept per object, for every wrapper of it.
  other->Get("Name");
  other->Get("Twin").ToObject()->Get("Name");
  EXPECT_EQ(journal.look_ups, 5) << "Name and Twin once more, on an object of no known type";
  EXPECT_EQ(Wrap()->TypeName(), "Object");
}

TEST_F(ComDispatchTest, FailuresBecomeTheRunTimeErrorsOfLateBinding) {
  object = Wrap();
  const struct {
    const char* member;
    int32_t number;
    const char* description;
  } cases[] = {
      {"NoSuchMember", errors::kMemberNotSupported,
       "Object doesn't support this property or method"},
      {"Echo", errors::kWrongArgumentCount,
       "Wrong number of arguments or invalid property assignment"},
      {"Fail", errors::kHostFailure, "Method 'Fail' of object 'Probe' failed"},
      {"Raise", static_cast<int32_t>(0x80040123), "Filled in later"},
      {"WorkbookCode", 1004, "Der Wert ist ungültig"},
  };
  for (const auto& c : cases) {
    const RunError error = testing::FailureOf([&] { object->Call(c.member); });
    EXPECT_EQ(error.number(), c.number) << c.member;
    EXPECT_EQ(error.description(), c.description) << c.member;
  }
}

TEST_F(ComDispatchTest, AServerThatHasGoneFailsEveryLaterCallAtOnce) {
  object = Wrap();
  const DispatchPtr twin = object->Get("Twin").ToObject();
  EXPECT_EQ(testing::RaisedNumber([&] { object->Call("Gone"); }), RPC_E_DISCONNECTED);
  const int invokes = journal.invokes;
  EXPECT_EQ(testing::RaisedNumber([&] { object->Get("Name"); }), RPC_E_DISCONNECTED);
  EXPECT_EQ(testing::RaisedNumber([&] { twin->Call("Echo", {Variant(1.0)}); }), RPC_E_DISCONNECTED);
  EXPECT_EQ(journal.invokes, invokes) << "no call reached the server";
}

}  // namespace
}  // namespace kelvort
