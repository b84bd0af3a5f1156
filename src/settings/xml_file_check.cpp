// The check of an XML file as the program reads it.
#include "settings/xml_file_check.h"

#include <string>

namespace kelvort {

XmlDocument CheckedXmlFile(const FileSystem& files, std::string_view path,
                           CheckFindings& findings) {
  const std::string file(path);
  XmlDocument document = XmlDocument::Load(files, path);
  const XmlLoadError& error = document.LoadError();
  if (!files.FileExists(path)) {
    findings.push_back({file, 0, "CheckFileUnreadable", {error.description}});
  } else if (!error.description.empty()) {
    findings.push_back({file,
                        error.line,
                        "CheckNotWellFormed",
                        {std::to_string(error.column), error.description}});
  } else if (const int line = document.Utf8DeclaredLatin1Line()) {
    findings.push_back({file, line, "CheckUtf8DeclaredLatin1", {}});
  }
  return document;
}

}  // namespace kelvort
