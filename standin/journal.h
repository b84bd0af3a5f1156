// The journal of the stand-in: every member call it serves, in order.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/dispatch.h"

namespace kelvort::standin {

struct JournalEntry {
  // Records a call. Objects among the arguments are kept as the text "<TypeName>", so that
  // the journal keeps no object (and no host) alive.
  JournalEntry(std::string_view type_name, InvokeKind kind, std::string_view member,
               std::span<const Variant> args);

  std::string_view type_name;  // the serving object's type name, a literal
  InvokeKind kind = InvokeKind::kMethod;
  std::string member;  // as the caller wrote it
  std::vector<Variant> args;
  // One line: Parameters.Item("Length"), Document.Name, StrParam.Value = "Red",
  // Selection.Add(<Product>). Texts are quoted; control characters are escaped, so that an
  // entry never spans two lines.
  std::string line;
};

class Journal {
 public:
  // Whether entries are kept in memory (on unless switched off).
  void Keep(bool keep) { keep_ = keep; }
  // Also writes each entry as a line to the stream, flushed at once; null stops it.
  void WriteTo(std::ostream* stream) { stream_ = stream; }

  void Record(JournalEntry entry);
  bool Active() const { return keep_ || stream_ != nullptr; }

  const std::vector<JournalEntry>& entries() const { return entries_; }
  std::vector<std::string> Lines() const;
  void Clear() { entries_.clear(); }

 private:
  bool keep_ = true;
  std::ostream* stream_ = nullptr;
  std::vector<JournalEntry> entries_;
};

}  // namespace kelvort::standin
