// The check of an XML file as the program reads it: there, well-formed, in its declared
// encoding.
#pragma once

#include <string_view>

#include "platform/platform.h"
#include "settings/check_finding.h"
#include "settings/xml_document.h"

namespace kelvort {

// The file's document, adding to findings what keeps it from being read as written: a file
// that cannot be read (CheckFileUnreadable), one that is not well-formed (CheckNotWellFormed,
// with the parser's description, line and column), one declared ISO-8859-1 that holds
// UTF-8 (CheckUtf8DeclaredLatin1).
XmlDocument CheckedXmlFile(const FileSystem& files, std::string_view path, CheckFindings& findings);

}  // namespace kelvort
