// Product structures of a given size written as stand-in document files, and a Settings.xml
// with twenty parameter definitions, for the run benchmark.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace kelvort::bench {

namespace fs = std::filesystem;

inline std::string Numbered(const char* prefix, int number) {
  char text[32];
  std::snprintf(text, sizeof text, "%s%05d", prefix, number);
  return text;
}

inline std::ofstream OpenForWriting(const fs::path& file) {
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  if (!stream) throw std::runtime_error(file.string() + ": cannot be written");
  return stream;
}

// A part document with a few parameters and a user property of its own.
inline void WritePart(const fs::path& folder, const std::string& name) {
  OpenForWriting(folder / (name + ".CATPart"))
      << "<PartDocument><Product PartNumber=\"" << name << "\"><UserRefProperties>"
      << "<Parameter Name=\"Revision\" Type=\"String\" Value=\"A\" />"
      << "</UserRefProperties></Product><Part><Parameters>"
      << "<Parameter Name=\"Length\" Type=\"Real\" Value=\"12.5\" />"
      << "<Parameter Name=\"Material\" Type=\"String\" Value=\"Steel\" />"
      << "</Parameters></Part></PartDocument>\n";
}

// A structure of `parts` part documents: Top.CATProduct places parts / 10 sub-assemblies
// (Sub_NNNNN.CATProduct, 10 part documents Part_NNNNN.CATPart each) and
// Library.CATProduct, a product document with 100 components defined inside it. Answers the
// top document's path.
inline fs::path WriteStructure(const fs::path& folder, int parts) {
  fs::create_directories(folder);
  std::ofstream top = OpenForWriting(folder / "Top.CATProduct");
  top << "<ProductDocument><Product PartNumber=\"TOP\"><Products>\n";
  for (int sub = 1; sub <= parts / 10; ++sub) {
    const std::string sub_name = Numbered("Sub_", sub);
    top << "<Instance Name=\"" << sub_name << ".1\" File=\"" << sub_name << ".CATProduct\" />\n";
    std::ofstream assembly = OpenForWriting(folder / (sub_name + ".CATProduct"));
    assembly << "<ProductDocument><Product PartNumber=\"" << sub_name << "\"><Products>\n";
    for (int i = 1; i <= 10; ++i) {
      const std::string part = Numbered("Part_", (sub - 1) * 10 + i);
      assembly << "<Instance Name=\"" << part << ".1\" File=\"" << part << ".CATPart\" />\n";
      WritePart(folder, part);
    }
    assembly << "</Products></Product></ProductDocument>\n";
  }
  top << "<Instance Name=\"Library.1\" File=\"Library.CATProduct\" />\n"
      << "</Products></Product></ProductDocument>\n";

  std::ofstream library = OpenForWriting(folder / "Library.CATProduct");
  library << "<ProductDocument><Product PartNumber=\"LIB\"><Products>\n";
  for (int i = 1; i <= 100; ++i) {
    library << "<Instance Name=\"" << Numbered("C_", i) << ".1\" Component=\"" << Numbered("C_", i)
            << "\" />\n";
  }
  library << "</Products></Product>\n";
  for (int i = 1; i <= 100; ++i) {
    library << "<Component PartNumber=\"" << Numbered("C_", i) << "\" />\n";
  }
  library << "</ProductDocument>\n";
  return folder / "Top.CATProduct";
}

// The smallest structures that show what one child costs: Top.CATProduct with no child,
// or with one child of the kind given (a part document, a sub-assembly in a product document
// of its own, a component defined inside Top's document). Answers the top document's path.
enum class ChildKind { kNone, kPart, kSubAssembly, kComponent };

inline fs::path WriteOneChild(const fs::path& folder, ChildKind kind) {
  fs::create_directories(folder);
  std::ofstream top = OpenForWriting(folder / "Top.CATProduct");
  top << "<ProductDocument><Product PartNumber=\"TOP\"><Products>\n";
  switch (kind) {
    case ChildKind::kNone:
      break;
    case ChildKind::kPart:
      top << "<Instance Name=\"Part_00001.1\" File=\"Part_00001.CATPart\" />\n";
      WritePart(folder, "Part_00001");
      break;
    case ChildKind::kSubAssembly:
      top << "<Instance Name=\"Sub_00001.1\" File=\"Sub_00001.CATProduct\" />\n";
      OpenForWriting(folder / "Sub_00001.CATProduct")
          << "<ProductDocument><Product PartNumber=\"Sub_00001\" /></ProductDocument>\n";
      break;
    case ChildKind::kComponent:
      top << "<Instance Name=\"C_00001.1\" Component=\"C_00001\" />\n";
      break;
  }
  top << "</Products></Product>\n";
  if (kind == ChildKind::kComponent) top << "<Component PartNumber=\"C_00001\" />\n";
  top << "</ProductDocument>\n";
  return folder / "Top.CATProduct";
}

// Settings.xml with twenty definitions of every kind: texts, value lists, integers and
// Booleans.
inline void WriteSettings(const fs::path& folder) {
  fs::create_directories(folder);
  OpenForWriting(folder / "Settings.xml")
      << "<?xml version=\"1.0\" encoding=\"iso-8859-1\" "
         "standalone=\"yes\"?>\n<SETTINGS><Parameters>\n"
      << R"(<Parameter Name="DrawingNumber" Type="String" Default="" />
<Parameter Name="Revision" Type="String" Default="A" />
<Parameter Name="Material" Type="String" Default="" />
<Parameter Name="WeightClass" Type="Light,Medium,Heavy" Default="Medium" />
<Parameter Name="MakeOrBuy" Type="Make,Buy" Default="Make" />
<Parameter Name="Supplier" Type="String" Default="" />
<Parameter Name="SurfaceTreatment" Type="None,Anodised,Galvanised,Painted" Default="None" />
<Parameter Name="Quantity" Type="Integer" Default="1" />
<Parameter Name="Released" Type="Boolean" Default="false" />
<Parameter Name="SparePart" Type="Boolean" Default="" />
<Parameter Name="Designer" Type="String" Default="" />
<Parameter Name="Checker" Type="String" Default="" />
<Parameter Name="Project" Type="String" Default="Bench" />
<Parameter Name="MassGrams" Type="Integer" Default="0" />
<Parameter Name="Colour" Type="Red,Green,Blue" Default="" />
<Parameter Name="Standard" Type="Boolean" Default="true" />
<Parameter Name="CostCentre" Type="Integer" Default="4711" />
<Parameter Name="Description" Type="String" Default="" />
<Parameter Name="Approved" Type="Boolean" Default="false" />
<Parameter Name="Classification" Type="A,B,C" Default="B" />
)"
      << "</Parameters></SETTINGS>\n";
}

}  // namespace kelvort::bench
