// XML documents as files: loading in the encoding a file names, saving in ISO-8859-1.
#include <sstream>

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

// A well-formed document: at most one declaration, as the first node; exactly one element
// at the top; nothing else there but comments and processing instructions.
bool HasDocumentShape(const pugi::xml_document& document) {
  int elements = 0;
  for (const pugi::xml_node node : document.children()) {
    switch (node.type()) {
      case pugi::node_element:
        ++elements;
        break;
      case pugi::node_declaration:
        if (node != document.first_child()) return false;
        break;
      case pugi::node_comment:
      case pugi::node_pi:
        break;
      default:
        return false;
    }
  }
  return elements == 1;
}

// Whether the bytes were read in the encoding the declaration names. Only the encodings
// the parser can decode are taken: a file in another one is refused rather than misread.
bool ReadInDeclaredEncoding(const pugi::xml_document& document, pugi::xml_encoding used,
                            std::string_view bytes) {
  const pugi::xml_node declaration = document.first_child();
  const std::string declared = declaration.type() == pugi::node_declaration
                                   ? ToLower(declaration.attribute("encoding").value())
                                   : std::string();
  switch (used) {
    case pugi::encoding_latin1:  // chosen from the declaration itself
      return true;
    case pugi::encoding_utf8:
      return (declared.empty() || declared == "utf-8" || declared == "us-ascii") &&
             IsValidUtf8(bytes);
    default:  // UTF-16 and UTF-32, told by their byte-order mark
      return true;
  }
}

// Finds a character that XML 1.0 forbids, written as it is or as a character reference,
// in the texts and attribute values of a document read with its references left as written.
class ForbiddenCharacter : public pugi::xml_tree_walker {
 public:
  bool for_each(pugi::xml_node& node) override {
    // Only texts and attribute values resolve references; elsewhere "&#0;" is plain text.
    Check(node.value(), node.type() == pugi::node_pcdata);
    for (const pugi::xml_attribute attribute : node.attributes()) Check(attribute.value(), true);
    return !found_;
  }
  bool found() const { return found_; }

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
};

// A character that XML forbids makes a file malformed, never a text cut short at it. The
// parser would read "&#0;" as the end of its text, so the document is read once more with
// the references left as written, and every text checked.
bool HoldsOnlyXmlCharacters(std::string_view bytes, pugi::xml_encoding used) {
  const bool eight_bit = used == pugi::encoding_utf8 || used == pugi::encoding_latin1;
  if (eight_bit && bytes.find('\0') != std::string_view::npos) return false;
  pugi::xml_document raw;
  if (!raw.load_buffer(bytes.data(), bytes.size(), kParseOptions & ~pugi::parse_escapes, used)) {
    return false;
  }
  ForbiddenCharacter walker;
  raw.traverse(walker);
  return !walker.found();
}

bool Parse(pugi::xml_document& document, std::string_view bytes) {
  const pugi::xml_parse_result result =
      document.load_buffer(bytes.data(), bytes.size(), kParseOptions, pugi::encoding_auto);
  return result && HasDocumentShape(document) &&
         ReadInDeclaredEncoding(document, result.encoding, bytes) &&
         HoldsOnlyXmlCharacters(bytes, result.encoding);
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
    : XmlNode(other), owner_(std::move(other.owner_)), url_(std::move(other.url_)) {
  other.node_ = pugi::xml_node();
}

XmlDocument& XmlDocument::operator=(XmlDocument&& other) noexcept {
  if (this == &other) return *this;
  node_ = other.node_;
  owner_ = std::move(other.owner_);
  url_ = std::move(other.url_);
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
  if (!IgnoringErrors([&] { bytes = files.ReadFile(path); })) return New();
  XmlDocument document = FromBytes(bytes);
  // A document that was read holds its root element at least.
  if (document.FirstChild()) document.url_ = path;
  return document;
}

XmlDocument XmlDocument::FromBytes(std::string_view bytes) {
  XmlDocument document = New();
  if (!Parse(*document.owner_, bytes)) return New();
  return document;
}

void XmlDocument::Save(FileSystem& files, std::string_view path) const {
  files.ReplaceFile(path, Serialize(Checked()));
}

}  // namespace kelvort
