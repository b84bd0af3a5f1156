// COM services on Windows: objects from monikers and running servers, through IDispatch.
#pragma once

#include "platform/platform.h"

namespace kelvort {

// Needs COM initialised on the calling thread (ComApartment).
class WindowsComServices : public ComServices {
 public:
  // CoGetObject for IDispatch; a failure raises its HRESULT and the system's text.
  DispatchPtr GetObject(std::string_view moniker) override;
  // CLSIDFromProgID, GetActiveObject, QueryInterface for IDispatch. An unknown identifier or
  // no running instance raises 429, an instance without IDispatch 430.
  DispatchPtr GetActiveObject(std::string_view prog_id) override;
};

}  // namespace kelvort
