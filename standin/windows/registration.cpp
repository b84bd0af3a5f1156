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

// A key's default value; none when the key has none or cannot be read.
std::optional<std::wstring> ReadDefault(HKEY key) {
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  std::wstring value(size / sizeof(wchar_t), L'\0');
  if (::RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                         &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(size / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return value;
}

LONG SetDefault(HKEY key, const std::wstring& value) {
  return ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
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

ProgIdRegistration::ProgIdRegistration() {
  const bool user = RegisterUnder(HKEY_CURRENT_USER);
  const bool machine = RegisterUnder(HKEY_LOCAL_MACHINE);
  if (!user && !machine) {
    Undo();
    Raise(errors::kPermissionDenied,
          "CATIA.Application cannot be registered: the registry refuses the keys.");
  }
}

ProgIdRegistration::~ProgIdRegistration() {
  Undo();
}

void ProgIdRegistration::Undo() {
  // The deepest keys were written last: undone first, so a created key is empty when it goes.
  for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) {
    if (change->own) {
      ::RegDeleteKeyW(change->root, change->key.c_str());
      continue;
    }
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(change->root, change->key.c_str(), 0, KEY_SET_VALUE, &opened) !=
        ERROR_SUCCESS) {
      continue;
    }
    if (change->previous) {
      SetDefault(opened, *change->previous);
    } else {
      ::RegDeleteValueW(opened, nullptr);
    }
    ::RegCloseKey(opened);
  }
  changes_.clear();
}

bool ProgIdRegistration::RegisterUnder(HKEY root) {
  const std::wstring classes = L"Software\\Classes\\";
  const std::wstring class_id = ClassIdText();
  return WriteDefault(root, classes + kProgId, L"CATIA V5 stand-in") &&
         WriteDefault(root, classes + kProgId + L"\\CLSID", class_id) &&
         WriteDefault(root, classes + L"CLSID\\" + class_id, L"CATIA V5 stand-in") &&
         WriteDefault(root, classes + L"CLSID\\" + class_id + L"\\ProgID", kProgId);
}

// Sets a key's default value, creating the key, and notes what it changed.
bool ProgIdRegistration::WriteDefault(HKEY root, const std::wstring& key,
                                      const std::wstring& value) {
  HKEY opened = nullptr;
  DWORD disposition = 0;
  if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr,
                        &opened, &disposition) != ERROR_SUCCESS) {
    return false;
  }
  const std::optional<std::wstring> previous = ReadDefault(opened);
  changes_.push_back(
      {root, key, disposition == REG_CREATED_NEW_KEY || previous == value, previous});
  const LONG result = SetDefault(opened, value);
  ::RegCloseKey(opened);
  return result == ERROR_SUCCESS;
}

bool StandInRunning() {
  ComPtr<IRunningObjectTable> table;
  Check(::GetRunningObjectTable(0, table.Receive()), "GetRunningObjectTable");
  return table->IsRunning(ActiveObjectMoniker().get()) == S_OK;
}

RunningObject::RunningObject(IDispatch* application, ITypeInfo* type_info, const CLSID& class_id)
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
  if (type_info != nullptr) keep(IID_ITypeInfo, type_info);
  Check(::RegisterActiveObject(application, class_id, ACTIVEOBJECT_STRONG, &cookie_),
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
