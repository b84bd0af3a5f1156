// Creating an XML file, finding a document's root element and finding (or adding) a named
// child element: the one way every XML file of the program is handled.
#pragma once

#include <string_view>

#include "core/run_state.h"
#include "settings/xml_document.h"

namespace kelvort {

// Writes a file that holds only the declaration and an empty root element of that name,
// replacing an existing file.
void CreateXMLDoc(RunState& state, std::string_view file_name, std::string_view root_name);

// The document's root element: its second node, whatever its name. A document with at
// most one node is given a new SETTINGS root (not saved). No node on failure.
XmlNode GetXMLRootNode(RunState& state, XmlNode document);

// The parent's first child element of that name (exact comparison). When there is none
// and create is set, a new element of that name is appended to the parent (not saved).
// No node when none is found or on failure.
XmlNode GetXMLNode(RunState& state, XmlNode parent, std::string_view name, bool create);

}  // namespace kelvort
