// The stand-in's objects served through COM: one generic adapter makes each object an
// IDispatch (member ids by name, Invoke forwarded to the object, failures as a late-bound
// client expects them, the type name through type information).
#pragma once

#include <deque>
#include <string>
#include <unordered_map>

#include "host/dispatch.h"
#include "member_table.h"
#include "type_library.h"

namespace kelvort::standin {

class DispatchServer {
 public:
  DispatchServer() = default;
  // Disconnects every client from the objects they still hold.
  ~DispatchServer();
  DispatchServer(const DispatchServer&) = delete;
  DispatchServer& operator=(const DispatchServer&) = delete;

  // The object's IDispatch, a new reference. One object has one IDispatch while any client
  // holds it, so that a client sees one object as one.
  IDispatch* Adapter(const DispatchPtr& object);
  // The stand-in object behind an IDispatch of this server; null for any other.
  static DispatchPtr ObjectOf(IUnknown* unknown);

  // The member id of a name, the same for every object and any letter case; ids are never
  // reused, so a client may keep them.
  DISPID MemberId(std::string_view name);
  // The name of a member id; null for an id never given out.
  const std::string* MemberName(DISPID id) const;

  TypeLibrary& types() { return types_; }

  // Called by an adapter when its last reference goes.
  void Forget(const Dispatch* object) {
    if (!closing_) adapters_.erase(object);
  }

 private:
  std::unordered_map<const Dispatch*, IDispatch*> adapters_;
  std::unordered_map<std::string, DISPID, CaseBlindHash, CaseBlindEqual> member_ids_;
  // A deque: the names stay where they are while more come.
  std::deque<std::string> member_names_;
  TypeLibrary types_;
  bool closing_ = false;
};

}  // namespace kelvort::standin
