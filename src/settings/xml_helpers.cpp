// Creating an XML file, finding a document's root element and a named child element.
#include "settings/xml_helpers.h"

#include "log/procedure.h"

namespace kelvort {

namespace {
constexpr std::string_view kDefaultRootName = "SETTINGS";
}  // namespace

void CreateXMLDoc(RunState& state, std::string_view file_name, std::string_view root_name) {
  Procedure(state, "CreateXMLDoc", Gate::kErrorOccurred, [&] {
    XmlDocument document = XmlDocument::New();
    document.InsertDeclarationBefore(document.FirstChild());
    document.AppendElement(root_name);
    document.Save(state.platform.files, file_name);
  });
}

XmlNode GetXMLRootNode(RunState& state, XmlNode document) {
  return Procedure<XmlNode>(state, "GetXMLRootNode", Gate::kErrorOccurred, [&](XmlNode& root) {
    const std::vector<XmlNode> nodes = document.ChildNodes();
    if (nodes.size() > 1) {
      if (nodes[1].Kind() != XmlNodeKind::kElement) {
        Raise(errors::kTypeMismatch,
              "The second node of the document is no element but " + nodes[1].Name());
      }
      root = nodes[1];
    } else {
      root = document.AppendElement(kDefaultRootName);
    }
  });
}

XmlNode GetXMLNode(RunState& state, XmlNode parent, std::string_view name, bool create) {
  return Procedure<XmlNode>(state, "GetXMLNode", Gate::kErrorOccurred, [&](XmlNode& result) {
    for (const XmlNode& child : parent.ChildNodes()) {
      if (child.Kind() != XmlNodeKind::kElement) {
        Raise(errors::kTypeMismatch, "Format error: " + parent.Name() +
                                         " holds a node that is no element: " + child.Name());
      }
      if (child.Name() == name) {
        result = child;
        return;
      }
    }
    if (!name.empty() && create) result = parent.AppendElement(name);
  });
}

}  // namespace kelvort
