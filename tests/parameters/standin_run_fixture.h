// The program's layout in a temporary folder with a stand-in CATIA opened in process, for
// the tests of the run's procedures: what they left in the host's documents.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "document_files.h"
#include "forms/forms_fixture.h"

namespace kelvort::testing {

class StandinRunFixture : public FormsFixture {
 protected:
  // Opens the files in a stand-in CATIA (the first one active) and attaches the run to it.
  void OpenHost(const std::vector<std::filesystem::path>& files) {
    app_ = standin::OpenApplication(files);
    state_.CatiaApp = app_;
  }

  void Define(std::vector<ParameterRow> rows) { state_.ParameterDefs = std::move(rows); }

  standin::Document& Doc(std::string_view file_name) const {
    const standin::DocumentPtr document = app_->FindDocument(file_name);
    if (!document) throw std::runtime_error("no document " + std::string(file_name));
    return *document;
  }

  standin::ApplicationPtr app_;
};

}  // namespace kelvort::testing
