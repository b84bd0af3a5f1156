// XML documents as files: loading in the encoding a file names, saving in ISO-8859-1.
#include <algorithm>
#include <sstream>
#include <utility>
#include <vector>

#include "log/procedure.h"
#include "settings/xml_document.h"
#include "settings/xml_encoding.h"
#include "util/text.h"

namespace kelvort {

namespace {

constexpr std::string_view kDeclaration =
    R"(<?xml version="1.0" encoding="iso-8859-1" standalone="yes"?>)";

// Declaration, comments and processing instructions stay nodes; whitespace-only text
// between elements is dropped. A fragment is parsed so that text outside the root element
// is seen and refused instead of silently skipped.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration |
                                   pugi::parse_comments | pugi::parse_pi | pugi::parse_fragment;

// Where each line starts in the text the parser read: the bytes, or for an ISO-8859-1 file
// their conversion to UTF-8 (two bytes for each one beyond ASCII), so that the parser's
// offsets give lines and columns.
std::vector<size_t> LineStarts(std::string_view bytes, pugi::xml_encoding used) {
  std::vector<size_t> starts = {0};
  size_t offset = 0;
  for (const char c : bytes) {
    offset += used == pugi::encoding_latin1 && static_cast<unsigned char>(c) >= 0x80 ? 2 : 1;
    if (c == '\n') starts.push_back(offset);
  }
  return starts;
}

// The place of an offset of the parsed text; none for a negative offset.
std::pair<int, int> PlaceOf(const std::vector<size_t>& starts, ptrdiff_t offset) {
  if (offset < 0) return {0, 0};
  const auto after = std::upper_bound(starts.begin(), starts.end(), static_cast<size_t>(offset));
  const auto line = static_cast<int>(after - starts.begin());
  return {line, static_cast<int>(static_cast<size_t>(offset) - *(after - 1)) + 1};
}

XmlLoadError ErrorAt(std::string description, std::string_view bytes, ptrdiff_t offset,
                     pugi::xml_encoding used = pugi::encoding_utf8) {
  const auto [line, column] = PlaceOf(LineStarts(bytes, used), offset);
  return {std::move(description), line, column};
}

// A well-formed document: at most one declaration, as the first node; exactly one element
// at the top; nothing else there but comments and processing instructions.
XmlLoadError ShapeError(const pugi::xml_document& document, std::string_view bytes,
                        pugi::xml_encoding used) {
  int elements = 0;
  for (const pugi::xml_node node : document.children()) {
    const char* fault = nullptr;
    switch (node.type()) {
      case pugi::node_element:
        if (++elements > 1) fault = "a second root element";
        break;
      case pugi::node_declaration:
        if (node != document.first_child()) fault = "the XML declaration is not at the start";
        break;
      case pugi::node_comment:
      case pugi::node_pi:
        break;
      default:
        fault = "text outside the root element";
    }
    if (fault != nullptr) return ErrorAt(fault, bytes, node.offset_debug(), used);
  }
  return elements == 1 ? XmlLoadError() : XmlLoadError{"no root element"};
}

std::string DeclaredEncoding(const pugi::xml_document& document) {
  const pugi::xml_node declaration = document.first_child();
  return declaration.type() == pugi::node_declaration
             ? ToLower(declaration.attribute("encoding").value())
             : std::string();
}

// Whether the bytes were read in the encoding the declaration names. Only the encodings
// the parser can decode are taken: a file in another one is refused rather than misread.
XmlLoadError EncodingError(const pugi::xml_document& document, pugi::xml_encoding used,
                           std::string_view bytes) {
  if (used != pugi::encoding_utf8) return {};  // ISO-8859-1 as declared, or UTF-16/32 by mark
  const std::string declared = DeclaredEncoding(document);
  if (!declared.empty() && declared != "utf-8" && declared != "us-ascii") {
    return ErrorAt("unsupported encoding \"" + declared + "\"", bytes, 0);
  }
  const size_t invalid = InvalidUtf8At(bytes);
  if (invalid == std::string_view::npos) return {};
  return ErrorAt("a byte that is no UTF-8", bytes, static_cast<ptrdiff_t>(invalid));
}

// Finds a character that XML 1.0 forbids, written as it is or as a character reference,
// in the texts and attribute values of a document read with its references left as written.
class ForbiddenCharacter : public pugi::xml_tree_walker {
 public:
  bool for_each(pugi::xml_node& node) override {
    // Only texts and attribute values resolve references; elsewhere "&#0;" is plain text.
    Check(node.value(), node.type() == pugi::node_pcdata);
    for (const pugi::xml_attribute attribute : node.attributes()) Check(attribute.value(), true);
    if (found_ && offset_ < 0) offset_ = node.offset_debug();
    return !found_;
  }
  bool found() const { return found_; }
  ptrdiff_t offset() const { return offset_; }

 private:
  void Check(std::string_view text, bool resolves) {
    if (!found_) found_ = !IsXmlText(resolves ? std::string(text) : Plain(text));
  }
  // The text with its ampersands made harmless, for nodes that resolve no references.
  static std::string Plain(std::string_view text) {
    std::string plain(text);
    for (char& c : plain) {
      if (c == '&') c = ' ';
    }
    return plain;
  }
  bool found_ = false;
  ptrdiff_t offset_ = -1;
};

// A character that XML forbids makes a file malformed, never a text cut short at it. The
// parser would read "&#0;" as the end of its text, so the document is read once more with
// the references left as written, and every text checked.
XmlLoadError ForbiddenCharacterError(std::string_view bytes, pugi::xml_encoding used) {
  constexpr const char* kForbidden = "a character that XML does not allow";
  const bool eight_bit = used == pugi::encoding_utf8 || used == pugi::encoding_latin1;
  const size_t nul = bytes.find('\0');
  if (eight_bit && nul != std::string_view::npos) {
    return ErrorAt(kForbidden, bytes, static_cast<ptrdiff_t>(nul));
  }
  pugi::xml_document raw;
  if (!raw.load_buffer(bytes.data(), bytes.size(), kParseOptions & ~pugi::parse_escapes, used)) {
    return {kForbidden};
  }
  ForbiddenCharacter walker;
  raw.traverse(walker);
  return walker.found() ? ErrorAt(kForbidden, bytes, walker.offset(), used) : XmlLoadError();
}

// Reads the bytes into the document; the first fault found, or an empty description.
// used receives the encoding the bytes were read in.
XmlLoadError Parse(pugi::xml_document& document, std::string_view bytes, pugi::xml_encoding& used) {
  const pugi::xml_parse_result result =
      document.load_buffer(bytes.data(), bytes.size(), kParseOptions, pugi::encoding_auto);
  used = result.encoding;
  if (!result) return ErrorAt(result.description(), bytes, result.offset, used);
  XmlLoadError error = ShapeError(document, bytes, used);
  if (error.description.empty()) error = EncodingError(document, result.encoding, bytes);
  if (error.description.empty()) error = ForbiddenCharacterError(bytes, result.encoding);
  return error;
}

// The line of the first byte beyond ASCII when a file declared ISO-8859-1 holds only UTF-8
// sequences beyond ASCII; 0 otherwise.
int Utf8DeclaredLatin1(const pugi::xml_document& document, std::string_view bytes) {
  if (DeclaredEncoding(document) != "iso-8859-1") return 0;
  const ptrdiff_t high =
      std::find_if(bytes.begin(), bytes.end(),
                   [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) -
      bytes.begin();
  if (high == std::ssize(bytes) || !IsValidUtf8(bytes)) return 0;
  return ErrorAt({}, bytes, high).line;
}

// Finds the first element name, attribute name or processing-instruction target that
// ISO-8859-1 cannot hold: a character reference is no name, so such a file cannot be
// written.
class NameOutsideLatin1 : public pugi::xml_tree_walker {
 public:
  bool for_each(pugi::xml_node& node) override {
    Check(node.name());
    for (const pugi::xml_attribute attribute : node.attributes()) Check(attribute.name());
    return found_.empty();
  }
  const std::string& found() const { return found_; }

 private:
  void Check(const char* name) {
    if (found_.empty() && !FitsLatin1(name)) found_ = name;
  }
  std::string found_;
};

std::string Serialize(pugi::xml_node document) {
  NameOutsideLatin1 names;
  document.traverse(names);
  if (!names.found().empty()) {
    Raise(errors::kInvalidProcedureCall,
          "The name \"" + names.found() + "\" cannot be written in ISO-8859-1");
  }
  std::ostringstream utf8;
  utf8 << kDeclaration << '\n';
  for (const pugi::xml_node node : document.children()) {
    if (node.type() != pugi::node_declaration) {
      node.print(utf8, "  ", pugi::format_indent, pugi::encoding_utf8);
    }
  }
  return ToLatin1WithReferences(utf8.str());
}

}  // namespace

XmlDocument::XmlDocument(XmlDocument&& other) noexcept
    : XmlNode(other),
      owner_(std::move(other.owner_)),
      url_(std::move(other.url_)),
      load_error_(std::move(other.load_error_)),
      line_starts_(std::move(other.line_starts_)),
      utf8_declared_latin1_line_(other.utf8_declared_latin1_line_) {
  other.node_ = pugi::xml_node();
}

XmlDocument& XmlDocument::operator=(XmlDocument&& other) noexcept {
  if (this == &other) return *this;
  node_ = other.node_;
  owner_ = std::move(other.owner_);
  url_ = std::move(other.url_);
  load_error_ = std::move(other.load_error_);
  line_starts_ = std::move(other.line_starts_);
  utf8_declared_latin1_line_ = other.utf8_declared_latin1_line_;
  other.node_ = pugi::xml_node();
  return *this;
}

XmlDocument XmlDocument::New() {
  XmlDocument document;
  document.owner_ = std::make_unique<pugi::xml_document>();
  document.node_ = *document.owner_;
  return document;
}

XmlDocument XmlDocument::Load(const FileSystem& files, std::string_view path) {
  std::string bytes;
  try {
    bytes = files.ReadFile(path);
  } catch (const RunError& error) {
    XmlDocument unread = New();
    unread.load_error_.description = error.description();
    return unread;
  }
  XmlDocument document = FromBytes(bytes);
  // A document that was read holds its root element at least.
  if (document.FirstChild()) document.url_ = path;
  return document;
}

XmlDocument XmlDocument::FromBytes(std::string_view bytes) {
  XmlDocument document = New();
  pugi::xml_encoding used = pugi::encoding_auto;
  XmlLoadError error = Parse(*document.owner_, bytes, used);
  if (!error.description.empty()) {
    document = New();
    document.load_error_ = std::move(error);
    return document;
  }
  document.line_starts_ = LineStarts(bytes, used);
  document.utf8_declared_latin1_line_ = Utf8DeclaredLatin1(*document.owner_, bytes);
  return document;
}

int XmlDocument::LineOf(const XmlNode& node) const {
  if (!node || line_starts_.empty()) return 0;
  return PlaceOf(line_starts_, node.node_.offset_debug()).first;
}

void XmlDocument::Save(FileSystem& files, std::string_view path) const {
  files.ReplaceFile(path, Serialize(Checked()));
}

}  // namespace kelvort
