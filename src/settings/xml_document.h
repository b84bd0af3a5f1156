// The program's XML document object model: documents loaded from and saved to files,
// nodes in document order, XPath selection and attributes by name.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "platform/platform.h"

namespace kelvort {

enum class XmlNodeKind {
  kNone,  // the null handle
  kDocument,
  kElement,
  kText,
  kCData,
  kComment,
  kProcessingInstruction,  // the XML declaration is one, with the target "xml"
};

// An attribute of an element; a light handle that is null when the attribute is absent.
class XmlAttribute {
 public:
  XmlAttribute() = default;

  explicit operator bool() const { return !attribute_.empty(); }
  // Run-time error 91 on the null handle.
  std::string Name() const;
  std::string Text() const;

 private:
  friend class XmlNode;
  explicit XmlAttribute(pugi::xml_attribute attribute) : attribute_(attribute) {}

  pugi::xml_attribute attribute_;
};

// A node of a document: a light handle, valid while its document lives and the node is
// part of it. On the null handle ("no node") every member except the test, the comparison
// and Kind (kNone) raises run-time error 91, as using an unset object does.
class XmlNode {
 public:
  XmlNode() = default;

  explicit operator bool() const { return !node_.empty(); }
  bool operator==(const XmlNode& other) const { return node_ == other.node_; }

  XmlNodeKind Kind() const;
  // The element's name, the processing instruction's target, or "#document", "#text",
  // "#cdata-section", "#comment" for the other kinds.
  std::string Name() const;

  // The child nodes in document order.
  std::vector<XmlNode> ChildNodes() const;
  // The first child node, or no node.
  XmlNode FirstChild() const;

  // The first node, in document order, that the XPath expression selects from this node
  // ("SETTINGS/UseConfig"), or no node. Attribute results are not nodes and are skipped.
  XmlNode SelectSingleNode(std::string_view xpath) const;
  // Every node the expression selects, in document order.
  std::vector<XmlNode> SelectNodes(std::string_view xpath) const;

  // The element's attribute of that name (compared exactly), a null handle when absent.
  XmlAttribute Attribute(std::string_view name) const;
  // The element's attributes in document order.
  std::vector<XmlAttribute> Attributes() const;
  // Sets the attribute, replacing one of the same name where it stands.
  void SetAttribute(std::string_view name, std::string_view text);

  // Creates an element and appends it as the last child. A document holds one element
  // only: a second one is refused.
  XmlNode AppendElement(std::string_view name);
  // Creates the XML declaration of the files the program writes and inserts it in front of
  // reference (at the end when reference is no node). Only a document's first child may be
  // the declaration, and only one.
  XmlNode InsertDeclarationBefore(XmlNode reference);
  // Removes the child and its subtree; handles to them are no longer valid.
  void RemoveChild(XmlNode child);

 protected:
  friend class XmlDocument;
  explicit XmlNode(pugi::xml_node node) : node_(node) {}
  // The node itself; run-time error 91 when the handle is null.
  pugi::xml_node Checked() const;

  pugi::xml_node node_;
};

// Why a file gave no document: the parser's description and the place in the file (line
// and column counted from 1 in bytes; 0 when the fault has no one place).
struct XmlLoadError {
  std::string description;
  int line = 0;
  int column = 0;
};

// A document, the owner of its nodes; itself the top node of its tree. A default-made
// document is "no document": the null handle.
class XmlDocument : public XmlNode {
 public:
  XmlDocument() = default;
  XmlDocument(XmlDocument&& other) noexcept;
  XmlDocument& operator=(XmlDocument&& other) noexcept;

  // A new, empty document.
  static XmlDocument New();
  // The document that the file holds, in the encoding its declaration names. A missing,
  // unreadable or malformed file gives an empty document whose Url is empty.
  static XmlDocument Load(const FileSystem& files, std::string_view path);
  // The document that the bytes of a file hold, as Load reads them; without a location.
  static XmlDocument FromBytes(std::string_view bytes);

  // The location the document was loaded from; empty for a document made in memory or
  // whose load failed.
  const std::string& Url() const { return url_; }
  // Why the document that Load or FromBytes gave is empty; an empty description when the
  // bytes were read.
  const XmlLoadError& LoadError() const { return load_error_; }
  // The line of the first byte beyond ASCII of a file declared ISO-8859-1 whose bytes beyond
  // ASCII all form UTF-8 sequences (an editor saved it as UTF-8); 0 otherwise. Such a file
  // is read as declared, and every one of those characters misread.
  int Utf8DeclaredLatin1Line() const { return utf8_declared_latin1_line_; }
  // The line of the file where a node of this document starts; 0 when it is not known.
  int LineOf(const XmlNode& node) const;

  // Writes the document in ISO-8859-1 with the program's declaration, replacing the file
  // atomically. Characters outside ISO-8859-1 in texts and attribute values are written as
  // character references; names that ISO-8859-1 cannot hold are refused.
  void Save(FileSystem& files, std::string_view path) const;

 private:
  std::unique_ptr<pugi::xml_document> owner_;
  std::string url_;
  XmlLoadError load_error_;
  std::vector<size_t> line_starts_;
  int utf8_declared_latin1_line_ = 0;
};

}  // namespace kelvort
