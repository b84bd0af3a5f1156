// The stand-in with a 10,000-part structure: opening, look-ups, search, update and writing
// back, in process.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "document_files.h"
#include "host/dispatch.h"

namespace {

namespace fs = std::filesystem;
using kelvort::DispatchPtr;
using kelvort::Variant;

constexpr int kParts = 10000;

// One product document placing kParts part documents, each with a few parameters.
fs::path WriteStructure(const fs::path& folder) {
  std::ofstream product(folder / "Top.CATProduct");
  product << "<ProductDocument><Product PartNumber=\"TOP\"><Products>\n";
  for (int i = 0; i < kParts; ++i) {
    const std::string name = "P" + std::to_string(i);
    product << "<Instance Name=\"" << name << ".1\" File=\"" << name << ".CATPart\" />\n";
    std::ofstream part(folder / (name + ".CATPart"));
    part << "<PartDocument><Product PartNumber=\"" << name << "\" /><Part><Parameters>"
         << "<Parameter Name=\"Length\" Type=\"Real\" Value=\"1\" />"
         << "<Parameter Name=\"Material\" Type=\"String\" Value=\"Steel\" />"
         << "</Parameters></Part></PartDocument>\n";
  }
  product << "</Products></Product></ProductDocument>\n";
  return folder / "Top.CATProduct";
}

template <typename Body>
double Seconds(Body&& body) {
  const auto start = std::chrono::steady_clock::now();
  body();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
  const fs::path folder = fs::temp_directory_path() / "kelvort-standin-bench";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path top = WriteStructure(folder);

  kelvort::standin::ApplicationPtr app;
  std::printf("open %d part documents:      %8.3f s\n", kParts,
              Seconds([&] { app = kelvort::standin::OpenApplication({top}); }));
  app->host()->journal().Keep(false);
  const DispatchPtr products = app->active()->Get("Product").ToObject()->Get("Products").ToObject();

  int found = 0;
  const double walk = Seconds([&] {
    for (int i = 1; i <= kParts; ++i) {
      const DispatchPtr reference =
          products->Call("Item", {i}).ToObject()->Get("ReferenceProduct").ToObject();
      const DispatchPtr part = reference->Get("Parent").ToObject()->Get("Part").ToObject();
      const DispatchPtr parameters = part->Get("Parameters").ToObject();
      found += !parameters->Call("Item", {"Material"}).IsNothing();
    }
  });
  std::printf("walk with 7 calls a part:     %8.3f s (%.2f us a call, %d found)\n", walk,
              walk * 1e6 / (7.0 * kParts), found);

  const DispatchPtr selection = app->active()->Get("Selection").ToObject();
  std::printf("search the whole structure:   %8.3f s\n", Seconds([&] {
                selection->Call("Search", {"CATKnowledgeSearch..Name=Form_Length,all"});
              }));
  std::printf("update the whole structure:   %8.3f s\n",
              Seconds([&] { app->active()->Get("Product").ToObject()->Call("Update"); }));

  for (int i = 1; i <= kParts; ++i) {
    products->Call("Item", {i})
        .ToObject()
        ->Get("UserRefProperties")
        .ToObject()
        ->Call("CreateString", {"Revision", "A"});
  }
  std::printf("write %d changed documents: %8.3f s\n", kParts,
              Seconds([&] { kelvort::standin::SaveChangedDocuments(*app); }));
  fs::remove_all(folder);
  return found == kParts ? 0 : 1;
}
