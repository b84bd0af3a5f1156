// Type information for the stand-in's objects, built at run time: one dispinterface per type
// name, so that a client's TypeName (GetTypeInfo, then GetDocumentation) gives the name
// across the process boundary as CATIA's own objects give theirs.
#pragma once

#include <map>
#include <string>

#include "platform/windows/com_owners.h"

namespace kelvort::standin {

class TypeLibrary {
 public:
  // Raises a RunError when the system cannot build type libraries.
  TypeLibrary();

  // The type information named type_name, made on first request.
  ComPtr<ITypeInfo> TypeInfo(const std::string& type_name);

 private:
  ComPtr<ICreateTypeLib2> library_;
  // IDispatch's own type information, which every dispinterface extends; null when the
  // system's standard type library cannot be loaded.
  ComPtr<ITypeInfo> dispatch_;
  std::map<std::string, ComPtr<ITypeInfo>> types_;
};

}  // namespace kelvort::standin
