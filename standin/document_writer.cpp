// Writing documents back to their files, in the format the reader opens.
#include <pugixml.hpp>
#include <sstream>

#include "document_file_io.h"
#include "document_files.h"
#include "part.h"
#include "product.h"
#include "products.h"
#include "util/run_error.h"

namespace kelvort::standin {
namespace fs = std::filesystem;
namespace {

void WriteParameters(pugi::xml_node parent, const char* name, const Parameters& parameters) {
  if (parameters.items().empty()) return;
  pugi::xml_node element = parent.append_child(name);
  for (const ParameterPtr& parameter : parameters.items()) {
    pugi::xml_node node = element.append_child("Parameter");
    node.append_attribute("Name") = parameter->short_name().c_str();
    node.append_attribute("Type") = std::string(TypeWord(parameter->type())).c_str();
    node.append_attribute("Value") = parameter->ValueAsString().c_str();
    for (const std::string& value : parameter->permitted()) {
      node.append_child("Permitted").append_attribute("Value") = value.c_str();
    }
  }
}

void WriteRelations(pugi::xml_node parent, const Relations& relations) {
  if (relations.items().empty()) return;
  pugi::xml_node element = parent.append_child("Relations");
  for (const FormulaPtr& formula : relations.items()) {
    pugi::xml_node node = element.append_child("Formula");
    node.append_attribute("Name") = formula->Name().c_str();
    node.append_attribute("Comment") = formula->comment().c_str();
    node.append_attribute("Body") = formula->body().c_str();
    if (const ParameterPtr output = formula->output()) {
      node.append_attribute("Output") = output->short_name().c_str();
      node.append_attribute("OutputIn") =
          output->parent() == relations.parameters() ? "Parameters" : "UserRefProperties";
    }
  }
}

void WriteInstances(pugi::xml_node parent, const Product& product, const Document& document) {
  const auto& instances = product.products()->items();
  if (instances.empty()) return;
  pugi::xml_node element = parent.append_child("Products");
  for (const ProductPtr& instance : instances) {
    pugi::xml_node node = element.append_child("Instance");
    node.append_attribute("Name") = instance->Name().c_str();
    const ProductPtr reference = instance->reference();
    const auto home = reference->document();
    if (home.get() == &document) {
      node.append_attribute("Component") = reference->part_number().c_str();
    } else if (home) {
      const fs::path file = home->file().lexically_relative(document.file().parent_path());
      node.append_attribute("File") = file.generic_string().c_str();
    }
  }
}

void WriteProduct(pugi::xml_node parent, const char* name, const Product& product,
                  const Document& document) {
  pugi::xml_node element = parent.append_child(name);
  element.append_attribute("PartNumber") = product.part_number().c_str();
  WriteParameters(element, "Parameters", *product.parameters());
  WriteParameters(element, "UserRefProperties", *product.properties());
  WriteRelations(element, *product.relations());
  WriteInstances(element, product, document);
}

}  // namespace

std::string DocumentFileText(const Document& document) {
  pugi::xml_document xml;
  pugi::xml_node declaration = xml.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "UTF-8";
  pugi::xml_node root = xml.append_child(std::string(document.Type()).c_str());
  if (document.product()) WriteProduct(root, "Product", *document.product(), document);
  for (const ProductPtr& component : document.components()) {
    WriteProduct(root, "Component", *component, document);
  }
  if (const auto& part = document.part()) {
    pugi::xml_node element = root.append_child("Part");
    WriteParameters(element, "Parameters", *part->parameters());
    WriteRelations(element, *part->relations());
  }
  std::ostringstream text;
  xml.save(text, "  ", pugi::format_default, pugi::encoding_utf8);
  return std::move(text).str();
}

void SaveChangedDocuments(Application& application) {
  std::string failures;
  for (const DocumentPtr& document : application.documents()) {
    if (!document->changed() || document->is_new()) continue;
    const std::string file = document->file().string();
    try {
      WriteFileAtomically(document->file(), DocumentFileText(*document));
      document->MarkSaved();
    } catch (const RunError& error) {
      failures += failures.empty() ? "" : "\n";
      failures += file + ": cannot be written: " + error.description();
    }
  }
  if (!failures.empty()) throw std::runtime_error(failures);
}

}  // namespace kelvort::standin
