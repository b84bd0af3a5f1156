// The IDispatch transport: a host object of a COM server, called by member name.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host/dispatch.h"
#include "platform/windows/com_owners.h"

namespace kelvort {

// What the objects of one server share: member ids by type name and member, what is known of
// each object that wrappers hold, and whether the server has gone.
struct ComHost;
// What is known of one object of a server: its type name, the member ids asked of it.
struct ComObjectFacts;

// The COM calls made on one server's objects, read by a benchmark: what the member id cache
// and the type name kept per object save shows against the member calls made.
struct ComCallCounts {
  long long get_ids_of_names = 0;
  long long invokes = 0;
  long long get_type_infos = 0;
  long long get_documentations = 0;
};

// A host object behind an IDispatch pointer, called as Visual Basic's late binding calls it.
// Failures arrive as run-time errors; once the server has gone, every call fails at once.
class ComDispatch final : public Dispatch {
 public:
  ComDispatch(ComPtr<IDispatch> object, std::shared_ptr<ComHost> host);
  ~ComDispatch() override;
  // An object of a server not yet seen; a null pointer gives null (Nothing).
  static DispatchPtr Wrap(ComPtr<IDispatch> object);

  // The interface's name from its type information, "Object" without any; asked once an
  // object.
  std::string TypeName() override;
  Variant Invoke(InvokeKind kind, std::string_view member, std::span<const Variant> args) override;

  IDispatch* object() const { return object_.get(); }
  const std::shared_ptr<ComHost>& host() const { return host_; }
  // The calls made so far on every object of this object's server.
  const ComCallCounts& calls() const;

 private:
  DISPID MemberId(std::string_view member);
  [[noreturn]] void Fail(HRESULT result, EXCEPINFO* exception, std::string_view member);
  void ThrowIfGone() const;

  ComPtr<IDispatch> object_;
  std::shared_ptr<ComHost> host_;
  // What is known of the server's object, shared with every other wrapper of it.
  std::shared_ptr<ComObjectFacts> facts_;
};

}  // namespace kelvort
