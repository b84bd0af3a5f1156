// The journal of the stand-in and the text form of its entries.
#include "journal.h"

#include "quoted_text.h"

namespace kelvort::standin {
namespace {

void AppendValue(std::string& out, const Variant& value) {
  switch (value.kind()) {
    case Variant::Kind::kEmpty:
      out += "Empty";
      break;
    case Variant::Kind::kNothing:
      out += "Nothing";
      break;
    case Variant::Kind::kText:
      out += QuotedText(value.ToText());
      break;
    case Variant::Kind::kObject:
      out += "<" + value.ToObject()->TypeName() + ">";
      break;
    case Variant::Kind::kArray: {
      out += "Array(";
      const char* separator = "";
      for (const Variant& item : value.ToArray()) {
        out += separator;
        AppendValue(out, item);
        separator = ", ";
      }
      out += ")";
      break;
    }
    default:
      out += value.ToText();
      break;
  }
}

}  // namespace

std::string JournalEntry::ToLine() const {
  std::string line(type_name);
  line += '.';
  line += member;
  if (kind == InvokeKind::kPropertyPut) {
    line += " = ";
    if (!args.empty()) AppendValue(line, args.back());
    return line;
  }
  if (kind == InvokeKind::kPropertyGet && args.empty()) return line;
  line += '(';
  const char* separator = "";
  for (const Variant& arg : args) {
    line += separator;
    AppendValue(line, arg);
    separator = ", ";
  }
  line += ')';
  return line;
}

void Journal::Record(JournalEntry entry) {
  if (stream_) {
    *stream_ << entry.ToLine() << '\n';
    stream_->flush();
  }
  if (keep_) entries_.push_back(std::move(entry));
}

std::vector<std::string> Journal::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(entries_.size());
  for (const JournalEntry& entry : entries_) lines.push_back(entry.ToLine());
  return lines;
}

}  // namespace kelvort::standin
