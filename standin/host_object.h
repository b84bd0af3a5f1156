// The base of every stand-in object: one entry for all member calls, where the host's
// journal and faults apply, whether the call comes in process or through the server.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host.h"

namespace kelvort::standin {

class HostObject : public Dispatch {
 public:
  std::string TypeName() final { return std::string(Type()); }
  Variant Invoke(InvokeKind kind, std::string_view member, Args args) final;

  // The type name, as a literal.
  virtual std::string_view Type() const = 0;
  // The object's "Name".
  virtual std::string Name() const = 0;

  const HostPtr& host() const { return host_; }

 protected:
  explicit HostObject(HostPtr host) : host_(std::move(host)) {}
  // Serves a call after the host has recorded it.
  virtual Variant Serve(InvokeKind kind, std::string_view member, Args args) = 0;

  template <typename T>
  std::shared_ptr<T> SharedAs() {
    return std::static_pointer_cast<T>(shared_from_this());
  }

 private:
  HostPtr host_;
};

// A stand-in object as a late-bound value; null gives Nothing.
inline Variant Object(DispatchPtr object) {
  return Variant(std::move(object));
}

// The object behind a weak link, which the host answers as gone when it no longer exists.
template <typename T>
std::shared_ptr<T> Locked(const std::weak_ptr<T>& link, std::string_view member,
                          std::string_view type_name) {
  auto object = link.lock();
  if (!object) MethodFailed(member, type_name);
  return object;
}

}  // namespace kelvort::standin
