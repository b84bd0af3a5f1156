// The program's layout in a temporary folder with a stand-in CATIA opened in process, for
// the tests of the run's procedures: what they asked of the host, in order, and what they
// left in its documents.
#pragma once

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "document_files.h"
#include "forms/forms_fixture.h"

namespace kelvort::testing {

class StandinRunFixture : public FormsFixture {
 protected:
  // Opens the files in a stand-in CATIA (the first one active) and attaches the run to it.
  void OpenHost(const std::vector<std::filesystem::path>& files,
                standin::HostLanguage language = standin::HostLanguage::kEnglish) {
    standin::HostOptions options;
    options.language = language;
    app_ = standin::OpenApplication(files, options);
    state_.CatiaApp = app_;
  }

  void Define(std::vector<ParameterRow> rows) { state_.ParameterDefs = std::move(rows); }

  const std::vector<standin::JournalEntry>& Entries() const {
    return app_->host()->journal().entries();
  }
  // The journal's lines of the members named, in order; all lines when none is named.
  std::vector<std::string> Calls(std::initializer_list<std::string_view> members = {}) const {
    std::vector<std::string> lines;
    for (const auto& entry : Entries()) {
      if (members.size() == 0 ||
          std::find(members.begin(), members.end(), entry.member) != members.end()) {
        lines.push_back(entry.line);
      }
    }
    return lines;
  }
  // The calls that create something in the host.
  std::vector<std::string> Creations() const {
    return Calls({"CreateString", "CreateInteger", "CreateBoolean", "CreateReal", "CreateFormula",
                  "SetEnumerateValues"});
  }

  standin::Document& Doc(std::string_view file_name) const {
    const standin::DocumentPtr document = app_->FindDocument(file_name);
    if (!document) throw std::runtime_error("no document " + std::string(file_name));
    return *document;
  }
  // Whether any open document was changed.
  bool AnyDocumentChanged() const {
    return std::any_of(app_->documents().begin(), app_->documents().end(),
                       [](const standin::DocumentPtr& document) { return document->changed(); });
  }

  standin::ApplicationPtr app_;
};

}  // namespace kelvort::testing
