// Product structures shaped like real assemblies, written as stand-in document files: a few
// standard parts placed very often, most parts once, sub-assemblies placed more than once,
// and a library product document whose components are placed repeatedly.
#pragma once

#include <algorithm>
#include <string>

#include "generated_structure.h"

namespace kelvort::bench {

// What the walk meets: its placements (every product and part it reaches, the root
// included) and the distinct definitions among them, by kind.
struct RealShape {
  fs::path top;
  int placements = 0;
  int parts = 0;       // part documents
  int products = 0;    // product documents, the top one included
  int components = 0;  // components defined inside a product document
  int definitions() const { return parts + products + components; }
  int repeated() const { return placements - definitions(); }
};

// The standard parts and how often each sub-assembly document places them.
struct StandardPart {
  const char* name;
  int placed;
};
constexpr StandardPart kStandardParts[] = {
    {"Std_Bolt", 12}, {"Std_Nut", 8}, {"Std_Washer", 6}, {"Std_Clip", 3}, {"Std_Pin", 1}};
constexpr int kOwnPartsPerSub = 8;  // placed once in their sub-assembly
constexpr int kLibraryComponents = 4;
constexpr int kComponentPlacements = 10;  // of each component in the library

// Top.CATProduct places sub-assembly documents (Sub_NNNNN.CATProduct; every third placed
// three times, the others once), each holding the standard parts and parts of its own, and
// Library.CATProduct once. The number of sub-assemblies is chosen so that the placements
// come close to the number asked for.
inline RealShape WriteRealShaped(const fs::path& folder, int placements) {
  fs::create_directories(folder);
  int per_sub = 1 + kOwnPartsPerSub;
  for (const StandardPart& standard : kStandardParts) per_sub += standard.placed;
  const int library = 1 + kLibraryComponents * kComponentPlacements;
  // On average a sub-assembly document is placed 5/3 times.
  const int subs = std::max(1, (3 * (placements - 1 - library) + 5 * per_sub / 2) / (5 * per_sub));

  RealShape shape;
  shape.top = folder / "Top.CATProduct";
  shape.products = 2 + subs;  // Top, Library and the sub-assemblies
  shape.parts = static_cast<int>(std::size(kStandardParts)) + subs * kOwnPartsPerSub;
  shape.components = kLibraryComponents;
  shape.placements = 1 + library;
  for (const StandardPart& standard : kStandardParts) WritePart(folder, standard.name);

  std::ofstream top = OpenForWriting(shape.top);
  top << "<ProductDocument><Product PartNumber=\"TOP\"><Products>\n";
  for (int sub = 1; sub <= subs; ++sub) {
    const std::string sub_name = Numbered("Sub_", sub);
    const int times = sub % 3 == 0 ? 3 : 1;
    for (int copy = 1; copy <= times; ++copy) {
      top << "<Instance Name=\"" << sub_name << "." << copy << "\" File=\"" << sub_name
          << ".CATProduct\" />\n";
    }
    shape.placements += times * per_sub;
    std::ofstream assembly = OpenForWriting(folder / (sub_name + ".CATProduct"));
    assembly << "<ProductDocument><Product PartNumber=\"" << sub_name << "\"><Products>\n";
    for (const StandardPart& standard : kStandardParts) {
      for (int copy = 1; copy <= standard.placed; ++copy) {
        assembly << "<Instance Name=\"" << standard.name << "." << copy << "\" File=\""
                 << standard.name << ".CATPart\" />\n";
      }
    }
    for (int i = 1; i <= kOwnPartsPerSub; ++i) {
      const std::string part = Numbered("Part_", (sub - 1) * kOwnPartsPerSub + i);
      assembly << "<Instance Name=\"" << part << ".1\" File=\"" << part << ".CATPart\" />\n";
      WritePart(folder, part);
    }
    assembly << "</Products></Product></ProductDocument>\n";
  }
  top << "<Instance Name=\"Library.1\" File=\"Library.CATProduct\" />\n"
      << "</Products></Product></ProductDocument>\n";

  std::ofstream library_file = OpenForWriting(folder / "Library.CATProduct");
  library_file << "<ProductDocument><Product PartNumber=\"LIB\"><Products>\n";
  for (int i = 1; i <= kLibraryComponents; ++i) {
    for (int copy = 1; copy <= kComponentPlacements; ++copy) {
      library_file << "<Instance Name=\"" << Numbered("C_", i) << "." << copy << "\" Component=\""
                   << Numbered("C_", i) << "\" />\n";
    }
  }
  library_file << "</Products></Product>\n";
  for (int i = 1; i <= kLibraryComponents; ++i) {
    library_file << "<Component PartNumber=\"" << Numbered("C_", i) << "\" />\n";
  }
  library_file << "</ProductDocument>\n";
  return shape;
}

}  // namespace kelvort::bench
