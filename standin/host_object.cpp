// The single entry of every member call.
#include "host_object.h"

namespace kelvort::standin {

Variant HostObject::Invoke(InvokeKind kind, std::string_view member, Args args) {
  host_->Serving(Type(), kind, member, args);
  return Serve(kind, member, args);
}

}  // namespace kelvort::standin
