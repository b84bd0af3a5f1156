// The program's XML document object model: nodes, selection and attributes.
#include "settings/xml_document.h"

#include "util/run_error.h"

namespace kelvort {

namespace {

bool IsNameStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
}

bool IsNameChar(unsigned char c) {
  return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// Refuses what would make the written file unreadable as a name.
void RequireXmlName(std::string_view name) {
  bool valid = !name.empty() && IsNameStart(static_cast<unsigned char>(name.front()));
  for (const char c : name) valid = valid && IsNameChar(static_cast<unsigned char>(c));
  if (!valid) {
    Raise(errors::kInvalidProcedureCall, "\"" + std::string(name) + "\" is not a valid XML name");
  }
}

// The nodes the expression selects from start, in document order.
pugi::xpath_node_set Select(pugi::xml_node start, std::string_view xpath) {
  try {
    pugi::xpath_node_set selection = start.select_nodes(std::string(xpath).c_str());
    selection.sort();
    return selection;
  } catch (const pugi::xpath_exception& error) {
    Raise(errors::kInvalidProcedureCall,
          "Invalid XPath expression \"" + std::string(xpath) + "\": " + error.what());
  }
}

}  // namespace

// --- XmlAttribute ---

std::string XmlAttribute::Name() const {
  if (!attribute_) Raise(errors::kObjectVariableNotSet);
  return attribute_.name();
}

std::string XmlAttribute::Text() const {
  if (!attribute_) Raise(errors::kObjectVariableNotSet);
  return attribute_.value();
}

// --- XmlNode ---

pugi::xml_node XmlNode::Checked() const {
  if (!node_) Raise(errors::kObjectVariableNotSet);
  return node_;
}

XmlNodeKind XmlNode::Kind() const {
  switch (node_.type()) {
    case pugi::node_document:
      return XmlNodeKind::kDocument;
    case pugi::node_element:
      return XmlNodeKind::kElement;
    case pugi::node_pcdata:
      return XmlNodeKind::kText;
    case pugi::node_cdata:
      return XmlNodeKind::kCData;
    case pugi::node_comment:
      return XmlNodeKind::kComment;
    case pugi::node_pi:
    case pugi::node_declaration:
      return XmlNodeKind::kProcessingInstruction;
    default:
      return XmlNodeKind::kNone;
  }
}

std::string XmlNode::Name() const {
  switch (Checked().type()) {
    case pugi::node_document:
      return "#document";
    case pugi::node_pcdata:
      return "#text";
    case pugi::node_cdata:
      return "#cdata-section";
    case pugi::node_comment:
      return "#comment";
    default:
      return node_.name();
  }
}

std::vector<XmlNode> XmlNode::ChildNodes() const {
  std::vector<XmlNode> children;
  // push_back throughout: the node's constructor is protected, out of emplace_back's reach.
  for (const pugi::xml_node child : Checked().children()) {
    children.push_back(XmlNode(child));  // NOLINT(modernize-use-emplace)
  }
  return children;
}

XmlNode XmlNode::FirstChild() const {
  return XmlNode(Checked().first_child());
}

XmlNode XmlNode::SelectSingleNode(std::string_view xpath) const {
  const auto nodes = SelectNodes(xpath);
  return nodes.empty() ? XmlNode() : nodes.front();
}

std::vector<XmlNode> XmlNode::SelectNodes(std::string_view xpath) const {
  std::vector<XmlNode> nodes;
  for (const pugi::xpath_node& item : Select(Checked(), xpath)) {
    if (item.node()) nodes.push_back(XmlNode(item.node()));  // NOLINT(modernize-use-emplace)
  }
  return nodes;
}

XmlAttribute XmlNode::Attribute(std::string_view name) const {
  if (Checked().type() != pugi::node_element) Raise(errors::kMemberNotSupported);
  return XmlAttribute(node_.attribute(std::string(name).c_str()));
}

std::vector<XmlAttribute> XmlNode::Attributes() const {
  if (Checked().type() != pugi::node_element) Raise(errors::kMemberNotSupported);
  std::vector<XmlAttribute> attributes;
  for (const pugi::xml_attribute attribute : node_.attributes()) {
    attributes.push_back(XmlAttribute(attribute));
  }
  return attributes;
}

void XmlNode::SetAttribute(std::string_view name, std::string_view text) {
  if (Checked().type() != pugi::node_element) Raise(errors::kMemberNotSupported);
  RequireXmlName(name);
  const std::string key(name);
  pugi::xml_attribute attribute = node_.attribute(key.c_str());
  if (!attribute) attribute = node_.append_attribute(key.c_str());
  attribute.set_value(std::string(text).c_str());
}

XmlNode XmlNode::AppendElement(std::string_view name) {
  const pugi::xml_node parent = Checked();
  if (parent.type() != pugi::node_document && parent.type() != pugi::node_element) {
    Raise(errors::kMemberNotSupported);
  }
  RequireXmlName(name);
  if (parent.type() == pugi::node_document &&
      parent.find_child([](pugi::xml_node node) { return node.type() == pugi::node_element; })) {
    Raise(errors::kInvalidProcedureCall,
          "Only one top level element is allowed in an XML document");
  }
  return XmlNode(node_.append_child(std::string(name).c_str()));
}

XmlNode XmlNode::InsertDeclarationBefore(XmlNode reference) {
  pugi::xml_node document = Checked();
  const bool first_place =
      reference ? reference.node_ == document.first_child() : !document.first_child();
  if (document.type() != pugi::node_document || !first_place ||
      (reference && reference.node_.type() == pugi::node_declaration)) {
    Raise(errors::kInvalidProcedureCall,
          "The XML declaration can only be the first node of a document");
  }
  pugi::xml_node declaration =
      reference ? document.insert_child_before(pugi::node_declaration, reference.node_)
                : document.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "iso-8859-1";
  declaration.append_attribute("standalone") = "yes";
  return XmlNode(declaration);
}

void XmlNode::RemoveChild(XmlNode child) {
  if (!child || child.node_.parent() != Checked()) {
    Raise(errors::kInvalidProcedureCall, "The node is not a child of this node");
  }
  node_.remove_child(child.node_);
}

}  // namespace kelvort
