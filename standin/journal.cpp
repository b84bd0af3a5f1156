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

// The value with every object, also inside arrays, as the text "<TypeName>".
Variant WithoutObjects(const Variant& value) {
  if (value.IsObject()) return "<" + value.ToObject()->TypeName() + ">";
  if (value.kind() != Variant::Kind::kArray) return value;
  Variant::Array items;
  for (const Variant& item : value.ToArray()) items.push_back(WithoutObjects(item));
  return items;
}

std::string LineOf(std::string_view type_name, InvokeKind kind, std::string_view member,
                   std::span<const Variant> args) {
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

}  // namespace

JournalEntry::JournalEntry(std::string_view type_name, InvokeKind kind, std::string_view member,
                           std::span<const Variant> args)
    : type_name(type_name),
      kind(kind),
      member(member),
      line(LineOf(type_name, kind, member, args)) {
  for (const Variant& arg : args) this->args.push_back(WithoutObjects(arg));
}

void Journal::Record(JournalEntry entry) {
  if (stream_) {
    *stream_ << entry.line << '\n';
    stream_->flush();
  }
  if (keep_) entries_.push_back(std::move(entry));
}

std::vector<std::string> Journal::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(entries_.size());
  for (const JournalEntry& entry : entries_) lines.push_back(entry.line);
  return lines;
}

}  // namespace kelvort::standin
