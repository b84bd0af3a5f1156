// A document's tree as text.
#include "tree_text.h"

#include <algorithm>
#include <unordered_set>

#include "part.h"
#include "product.h"
#include "products.h"
#include "quoted_text.h"

namespace kelvort::standin {
namespace {

class TreeWriter {
 public:
  std::string Take() { return std::move(text_); }

  void Line(int depth, const std::string& line) {
    text_.append(static_cast<size_t>(depth) * 2, ' ');
    text_ += line;
    text_ += '\n';
  }

  void Parameters(int depth, const char* title, const standin::Parameters& parameters) {
    if (parameters.items().empty()) return;
    Line(depth, title);
    for (const ParameterPtr& parameter : parameters.items()) {
      std::string line = parameter->short_name() + " (" + std::string(TypeWord(parameter->type())) +
                         ") = " + Shown(*parameter, parameter->ValueAsString());
      if (!parameter->permitted().empty()) {
        line += "  permitted: ";
        const char* separator = "";
        for (const std::string& value : parameter->permitted()) {
          line += separator + Shown(*parameter, value);
          separator = ", ";
        }
      }
      Line(depth + 1, line);
    }
  }

  void Formulas(int depth, const Relations& relations) {
    if (relations.items().empty()) return;
    Line(depth, "Formulas");
    for (const FormulaPtr& formula : relations.items()) {
      const ParameterPtr output = formula->output();
      std::string line = formula->Name() + ": ";
      if (output) {
        line += output->parent() == relations.properties() ? "user property " : "parameter ";
        line += output->short_name();
      }
      line += " = " + OneLine(formula->body());
      if (!formula->comment().empty()) line += "  comment " + QuotedText(formula->comment());
      Line(depth + 1, line);
    }
  }

  // The content of a reference product, or a note where it was shown already.
  void Content(int depth, Product& reference) {
    Parameters(depth, "Parameters", *reference.parameters());
    Parameters(depth, "User properties", *reference.properties());
    Formulas(depth, *reference.relations());
    const auto home = reference.document();
    if (home && home->part() && home->product().get() == &reference) {
      const auto& part = *home->part();
      Line(depth, "Part " + part.Name());
      Parameters(depth + 1, "Parameters", *part.parameters());
      Formulas(depth + 1, *part.relations());
    }
    const auto& children = reference.products()->items();
    if (children.empty()) return;
    Line(depth, "Products");
    for (const ProductPtr& child : children) Instance(depth + 1, *child);
  }

 private:
  // The text as it stands, unless it would not stay on one line.
  static std::string OneLine(const std::string& text) {
    const bool plain = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) >= 0x20; });
    return plain ? text : QuotedText(text);
  }
  static std::string Shown(const Parameter& parameter, const std::string& value) {
    return parameter.type() == ParameterType::kString ? QuotedText(value) : value;
  }

  void Instance(int depth, Product& instance) {
    const ProductPtr reference = instance.reference();
    const auto home = reference->document();
    std::string line = instance.Name() + " (" + reference->part_number();
    if (home) line += ", " + home->Name();
    line += ")";
    if (!shown_.insert(reference.get()).second) {
      Line(depth, line + ": as shown above");
      return;
    }
    Line(depth, line);
    Content(depth + 1, *reference);
  }

  std::string text_;
  std::unordered_set<const Product*> shown_;
};

}  // namespace

std::string TreeText(Document& document) {
  TreeWriter writer;
  writer.Line(0, std::string(document.Type()) + " " + document.Name());
  if (const auto& product = document.product()) {
    writer.Line(1, "Product " + product->part_number());
    writer.Content(2, *product);
  }
  return writer.Take();
}

}  // namespace kelvort::standin
