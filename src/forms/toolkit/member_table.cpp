// The members of a control reached by name at run time.
#include "forms/toolkit/member_table.h"

#include "forms/toolkit/toolkit_errors.h"
#include "util/run_error.h"
#include "util/text.h"

namespace kelvort {

void RaiseWrongArgumentCount() {
  Raise(errors::kWrongArgumentCount);
}

MemberTable::Member& MemberTable::Add(std::string name) {
  members_.push_back(Member{.name = std::move(name)});
  return members_.back();
}

void MemberTable::AddProperty(std::string name, std::function<Variant()> get,
                              std::function<void(const Variant&)> put) {
  Member& member = Add(std::move(name));
  member.get = [get = std::move(get)](Arguments) { return get(); };
  if (put) member.put = [put = std::move(put)](Arguments, const Variant& value) { put(value); };
}

void MemberTable::AddIndexedProperty(std::string name, Getter get, Setter put) {
  Member& member = Add(std::move(name));
  member.indexed = true;
  member.get = std::move(get);
  member.put = std::move(put);
}

void MemberTable::AddMethod(std::string name, Method call) {
  Add(std::move(name)).call = std::move(call);
}

const MemberTable::Member* MemberTable::Find(std::string_view name) const {
  for (const Member& member : members_) {
    if (EqualsIgnoreCase(member.name, name)) return &member;
  }
  return nullptr;
}

Variant MemberTable::Invoke(InvokeKind kind, std::string_view name, Arguments args) const {
  const Member* member = Find(name);
  if (member == nullptr) Raise(errors::kMemberNotSupported);
  const bool is_property = static_cast<bool>(member->get);
  if (kind == InvokeKind::kPropertyPut) {
    if (!is_property) Raise(errors::kMemberNotSupported);
    if (!member->put) Raise(errors::kPropertyReadOnly, "Property is read-only");
    if (args.empty() || (!member->indexed && args.size() != 1)) RaiseWrongArgumentCount();
    member->put(args.first(args.size() - 1), args.back());
    return {};
  }
  if (!is_property) return member->call(args);
  if (!member->indexed && !args.empty()) RaiseWrongArgumentCount();
  return member->get(args);
}

}  // namespace kelvort
