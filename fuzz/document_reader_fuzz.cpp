// Fuzzes the stand-in's document reader: the input is a document file (its first byte
// chooses a product or a part file name), opened, printed and written back as text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "document_error.h"
#include "document_files.h"
#include "support/temp_dir.h"
#include "tree_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kelvort;
  static const testing::TempDir folder;
  if (size == 0) return 0;
  const auto file = folder.path() / (data[0] % 2 == 0 ? "Fuzz.CATProduct" : "Fuzz.CATPart");
  testing::WriteBytes(file, std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  try {
    const auto application = standin::OpenApplication({file});
    for (const auto& document : application->documents()) {
      standin::TreeText(*document);
      standin::DocumentFileText(*document);
    }
  } catch (const standin::DocumentError&) {
    // Not a valid document: refused with its name.
  }
  return 0;
}
