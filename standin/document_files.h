// Opening documents from their files and writing changed ones back.
#pragma once

#include <filesystem>
#include <vector>

#include "application.h"

namespace kelvort::standin {

// A stand-in CATIA with the files open, the first one active, and every document their
// structures reach. No files gives a session with no document open. A file that is
// missing, unreadable or not a valid document raises a DocumentError naming it.
ApplicationPtr OpenApplication(const std::vector<std::filesystem::path>& files,
                               HostOptions options = {});

// The document as the text of its file.
std::string DocumentFileText(const Document& document);

// Writes every changed document back to its file, each atomically. A document that
// cannot be written stays changed and the others are still written; the failures are
// then raised together, one line each, as a std::runtime_error.
void SaveChangedDocuments(Application& application);

}  // namespace kelvort::standin
