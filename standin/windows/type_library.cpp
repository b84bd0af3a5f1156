// Type information for the stand-in's objects, built at run time.
#include "type_library.h"

#include "platform/windows/com_failure.h"
#include "platform/windows/wide_text.h"

namespace kelvort::standin {
namespace {

void Check(HRESULT result, const char* step) {
  if (FAILED(result)) Raise(result, std::string(step) + ": " + SystemText(result));
}

GUID NewGuid() {
  GUID guid{};
  Check(::CoCreateGuid(&guid), "CoCreateGuid");
  return guid;
}

}  // namespace

TypeLibrary::TypeLibrary() {
  // The file name is required but never written: the library lives in memory only.
  Check(::CreateTypeLib2(SYS_WIN64, L"CNEXT_types.tlb", library_.Receive()), "CreateTypeLib2");
  Check(library_->SetGuid(NewGuid()), "ICreateTypeLib2::SetGuid");
  Check(library_->SetName(const_cast<LPOLESTR>(L"CATIA")), "ICreateTypeLib2::SetName");
  Check(library_->SetVersion(1, 0), "ICreateTypeLib2::SetVersion");
  ComPtr<ITypeLib> standard;
  if (SUCCEEDED(::LoadTypeLib(L"stdole2.tlb", standard.Receive()))) {
    standard->GetTypeInfoOfGuid(IID_IDispatch, dispatch_.Receive());
  }
}

ComPtr<ITypeInfo> TypeLibrary::TypeInfo(const std::string& type_name) {
  const auto known = types_.find(type_name);
  if (known != types_.end()) return known->second;
  std::wstring name = Widen(type_name);
  ComPtr<ICreateTypeInfo> created;
  Check(library_->CreateTypeInfo(name.data(), TKIND_DISPATCH, created.Receive()),
        "ICreateTypeLib2::CreateTypeInfo");
  Check(created->SetGuid(NewGuid()), "ICreateTypeInfo::SetGuid");
  if (dispatch_) {
    HREFTYPE base = 0;
    Check(created->AddRefTypeInfo(dispatch_.get(), &base), "ICreateTypeInfo::AddRefTypeInfo");
    Check(created->AddImplType(0, base), "ICreateTypeInfo::AddImplType");
  }
  Check(created->LayOut(), "ICreateTypeInfo::LayOut");
  ComPtr<ITypeInfo> info;
  Check(created->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(info.Receive())),
        "QueryInterface(ITypeInfo)");
  types_.emplace(type_name, info);
  return info;
}

}  // namespace kelvort::standin
