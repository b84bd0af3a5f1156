// The run-time errors of failed COM calls, numbered as late binding numbers them.
#include "platform/windows/com_failure.h"

#include "platform/windows/com_owners.h"
#include "platform/windows/wide_text.h"

namespace kelvort {

bool IsHostGone(HRESULT result) {
  return result == RPC_E_DISCONNECTED || result == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) ||
         result == RPC_E_SERVER_DIED || result == RPC_E_SERVER_DIED_DNE;
}

std::string SystemText(HRESULT result) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer != nullptr ? std::wstring_view(buffer, length) : std::wstring_view());
  ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
    text.pop_back();
  }
  return Narrow(text);
}

RunError MemberFailure(HRESULT result, EXCEPINFO* exception, std::string_view member,
                       const std::function<std::string()>& type_name) {
  switch (result) {
    case DISP_E_UNKNOWNNAME:
    case DISP_E_MEMBERNOTFOUND:
      return RunError(errors::kMemberNotSupported);
    case DISP_E_BADPARAMCOUNT:
      return RunError(errors::kWrongArgumentCount);
    case DISP_E_TYPEMISMATCH:
      return RunError(errors::kTypeMismatch);
    case DISP_E_OVERFLOW:
      return RunError(errors::kOverflow);
    default:
      break;
  }
  int32_t number = result;
  std::string description;
  if (result == DISP_E_EXCEPTION && exception != nullptr) {
    if (exception->pfnDeferredFillIn != nullptr) exception->pfnDeferredFillIn(exception);
    if (exception->scode != 0) {
      number = exception->scode;
    } else if (exception->wCode != 0) {
      number = exception->wCode;
    }
    if (exception->bstrDescription != nullptr) {
      description =
          Narrow({exception->bstrDescription, ::SysStringLen(exception->bstrDescription)});
    }
  } else if (result != E_FAIL) {
    description = SystemText(result);
  }
  if (description.empty()) {
    description = "Method '" + std::string(member) + "' of object '" + type_name() + "' failed";
  }
  return RunError(number, description);
}

}  // namespace kelvort
