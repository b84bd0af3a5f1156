// The stand-in registered as the running "CATIA.Application".
#include "registration.h"

#include <string>

#include "platform/windows/com_failure.h"

namespace kelvort::standin {
namespace {

constexpr wchar_t kProgId[] = L"CATIA.Application";

std::wstring ClassIdText() {
  wchar_t text[64] = {};
  ::StringFromGUID2(kStandInClassId, text, 64);
  return text;
}

// Sets a key's default value, creating the key.
bool WriteDefault(HKEY root, const std::wstring& key, const std::wstring& value) {
  HKEY opened = nullptr;
  if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG result =
      ::RegSetValueExW(opened, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(opened);
  return result == ERROR_SUCCESS;
}

bool RegisterUnder(HKEY root) {
  const std::wstring classes = L"Software\\Classes\\";
  const std::wstring class_id = ClassIdText();
  return WriteDefault(root, classes + kProgId, L"CATIA V5 stand-in") &&
         WriteDefault(root, classes + kProgId + L"\\CLSID", class_id) &&
         WriteDefault(root, classes + L"CLSID\\" + class_id, L"CATIA V5 stand-in") &&
         WriteDefault(root, classes + L"CLSID\\" + class_id + L"\\ProgID", kProgId);
}

void Check(HRESULT result, const char* step) {
  if (FAILED(result)) Raise(result, std::string(step) + ": " + SystemText(result));
}

// The moniker under which RegisterActiveObject enters a class: "!" and the class identifier.
ComPtr<IMoniker> ActiveObjectMoniker() {
  ComPtr<IMoniker> moniker;
  Check(::CreateItemMoniker(L"!", ClassIdText().c_str(), moniker.Receive()), "CreateItemMoniker");
  return moniker;
}

}  // namespace

// {6B1E3F52-9A47-4D0C-B8E1-2F5C7D9A4E13}
const CLSID kStandInClassId = {
    0x6b1e3f52, 0x9a47, 0x4d0c, {0xb8, 0xe1, 0x2f, 0x5c, 0x7d, 0x9a, 0x4e, 0x13}};

void RegisterProgId() {
  const bool user = RegisterUnder(HKEY_CURRENT_USER);
  const bool machine = RegisterUnder(HKEY_LOCAL_MACHINE);
  if (!user && !machine) {
    Raise(errors::kPermissionDenied,
          "CATIA.Application cannot be registered: the registry refuses the keys.");
  }
}

bool StandInRunning() {
  ComPtr<IRunningObjectTable> table;
  Check(::GetRunningObjectTable(0, table.Receive()), "GetRunningObjectTable");
  return table->IsRunning(ActiveObjectMoniker().get()) == S_OK;
}

RunningObject::RunningObject(IDispatch* application, ITypeInfo* type_info)
    : application_(ComPtr<IDispatch>::Share(application)) {
  const auto keep = [this](REFIID iid, IUnknown* object) {
    ComPtr<IStream> stream;
    Check(::CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive()), "CreateStreamOnHGlobal");
    Check(::CoMarshalInterface(stream.get(), iid, object, MSHCTX_LOCAL, nullptr,
                               MSHLFLAGS_TABLESTRONG),
          "CoMarshalInterface");
    marshalled_.push_back(std::move(stream));
  };
  keep(IID_IDispatch, application);
  keep(IID_ITypeInfo, type_info);
  Check(::RegisterActiveObject(application, kStandInClassId, ACTIVEOBJECT_STRONG, &cookie_),
        "RegisterActiveObject");
}

RunningObject::~RunningObject() {
  if (cookie_ != 0) ::RevokeActiveObject(cookie_, nullptr);
  for (const ComPtr<IStream>& stream : marshalled_) {
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ::CoReleaseMarshalData(stream.get());
  }
  ::CoDisconnectObject(application_.get(), 0);
}

}  // namespace kelvort::standin
