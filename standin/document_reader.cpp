// Opening documents from their files: one XML file a document, components inside a
// product document or in files of their own.
#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <map>
#include <pugixml.hpp>
#include <sstream>
#include <unordered_set>

#include "document_error.h"
#include "document_files.h"
#include "part.h"
#include "product.h"
#include "products.h"
#include "util/run_error.h"

namespace kelvort::standin {
namespace fs = std::filesystem;
namespace {

// One file being read: its text, for line numbers, and its XML.
struct Source {
  fs::path file;
  std::string text;
  pugi::xml_document xml;

  size_t LineOf(ptrdiff_t offset) const {
    if (offset < 0) return 0;
    const auto end = text.begin() + std::min<ptrdiff_t>(offset, std::ssize(text));
    return static_cast<size_t>(std::count(text.begin(), end, '\n')) + 1;
  }
  [[noreturn]] void Fail(pugi::xml_node node, const std::string& what) const {
    throw DocumentError(file, what, LineOf(node.offset_debug()));
  }
};

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// Refuses attributes and child elements the format does not have: a misspelt name would
// otherwise be dropped without a word.
void CheckShape(const Source& source, pugi::xml_node node,
                std::initializer_list<std::string_view> attributes,
                std::initializer_list<std::string_view> children) {
  for (pugi::xml_attribute attribute : node.attributes()) {
    if (std::find(attributes.begin(), attributes.end(), attribute.name()) == attributes.end()) {
      source.Fail(node, "element <" + std::string(node.name()) + "> has no attribute " +
                            Quoted(attribute.name()));
    }
  }
  for (pugi::xml_node child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    if (std::find(children.begin(), children.end(), child.name()) == children.end()) {
      source.Fail(child, "element <" + std::string(child.name()) + "> is not allowed in <" +
                             node.name() + ">");
    }
  }
}

std::string Required(const Source& source, pugi::xml_node node, const char* name) {
  const pugi::xml_attribute attribute = node.attribute(name);
  if (!attribute || attribute.value()[0] == '\0') {
    source.Fail(node, "element <" + std::string(node.name()) + "> needs a non-empty " + name +
                          " attribute");
  }
  return attribute.value();
}

class DocumentReader {
 public:
  explicit DocumentReader(Application& application) : application_(application) {
    for (const DocumentPtr& document : application.documents()) {
      opened_.emplace(document->file(), document);
    }
  }

  DocumentPtr Open(const fs::path& requested) {
    const fs::path file = fs::weakly_canonical(fs::absolute(requested));
    if (const auto found = opened_.find(file); found != opened_.end()) return found->second;
    auto source = std::make_unique<Source>();
    source->file = file;
    Load(*source);
    const pugi::xml_node root = source->xml.document_element();
    const std::string_view root_name = root.name();
    DocumentType type;
    if (root_name == "ProductDocument") {
      type = DocumentType::kProduct;
    } else if (root_name == "PartDocument") {
      type = DocumentType::kPart;
    } else if (root_name == "DrawingDocument") {
      type = DocumentType::kDrawing;
    } else {
      source->Fail(root, "the root element <" + std::string(root_name) +
                             "> is not <ProductDocument>, <PartDocument> or <DrawingDocument>");
    }
    auto document = std::make_shared<Document>(
        application_.host(), type, file,
        std::static_pointer_cast<Application>(application_.shared_from_this()));
    if (!application_.AddDocument(document)) {
      throw DocumentError(file, "a document named " + Quoted(document->Name()) +
                                    " is open already: " +
                                    application_.FindDocument(document->Name())->file().string());
    }
    opened_.emplace(file, document);
    switch (type) {
      case DocumentType::kProduct:
        ReadProductDocument(*source, root, document);
        break;
      case DocumentType::kPart:
        ReadPartDocument(*source, root, document);
        break;
      case DocumentType::kDrawing:
        CheckShape(*source, root, {}, {});
        break;
    }
    document->MarkSaved();
    return document;
  }

 private:
  static void Load(Source& source) {
    std::error_code error;
    if (!fs::exists(source.file, error)) throw DocumentError(source.file, "file not found");
    if (fs::is_directory(source.file, error)) {
      throw DocumentError(source.file, "is a folder, not a document file");
    }
    std::ifstream in(source.file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in) throw DocumentError(source.file, "cannot be read");
    source.text = std::move(bytes).str();
    const pugi::xml_parse_result parsed =
        source.xml.load_buffer(source.text.data(), source.text.size());
    if (!parsed) {
      throw DocumentError(source.file, std::string("not well-formed XML: ") + parsed.description(),
                          source.LineOf(parsed.offset));
    }
  }

  void ReadProductDocument(Source& source, pugi::xml_node root, const DocumentPtr& document) {
    CheckShape(source, root, {}, {"Product", "Component"});
    const pugi::xml_node root_product = root.child("Product");
    if (!root_product || root_product.next_sibling("Product")) {
      source.Fail(root, "a product document holds exactly one <Product>");
    }
    // Every reference product first, so that an instance may place a component that the
    // file defines further down.
    std::vector<std::pair<pugi::xml_node, ProductPtr>> products;
    for (pugi::xml_node element : root.children()) {
      if (element.type() != pugi::node_element) continue;
      auto product = Product::CreateReference(application_.host(),
                                              Required(source, element, "PartNumber"), document);
      if (element == root_product) {
        document->SetProduct(product);
      } else if (!document->AddComponent(product)) {
        source.Fail(element, "the part number " + Quoted(product->part_number()) +
                                 " is defined twice in this document");
      }
      products.emplace_back(element, std::move(product));
    }
    for (const auto& [element, product] : products) {
      ReadProduct(source, element, *product, *document, true);
    }
  }

  void ReadPartDocument(Source& source, pugi::xml_node root, const DocumentPtr& document) {
    CheckShape(source, root, {}, {"Product", "Part"});
    const pugi::xml_node product_element = root.child("Product");
    const pugi::xml_node part_element = root.child("Part");
    if (!product_element || product_element.next_sibling("Product") || !part_element ||
        part_element.next_sibling("Part")) {
      source.Fail(root, "a part document holds exactly one <Product> and one <Part>");
    }
    document->SetProduct(Product::CreateReference(
        application_.host(), Required(source, product_element, "PartNumber"), document));
    ReadProduct(source, product_element, *document->product(), *document, false);
    document->SetPart(Part::Create(application_.host(), document));
    CheckShape(source, part_element, {}, {"Parameters", "Relations"});
    ReadParameters(source, part_element.child("Parameters"), *document->part()->parameters());
    ReadRelations(source, part_element.child("Relations"), *document->part()->relations());
  }

  void ReadProduct(Source& source, pugi::xml_node element, Product& product, Document& document,
                   bool with_children) {
    if (with_children) {
      CheckShape(source, element, {"PartNumber"},
                 {"Parameters", "UserRefProperties", "Relations", "Products"});
    } else {
      CheckShape(source, element, {"PartNumber"}, {"Parameters", "UserRefProperties", "Relations"});
    }
    ReadParameters(source, element.child("Parameters"), *product.parameters());
    ReadParameters(source, element.child("UserRefProperties"), *product.properties());
    ReadRelations(source, element.child("Relations"), *product.relations());
    ReadInstances(source, element.child("Products"), product, document);
  }

  void ReadParameters(Source& source, pugi::xml_node element, Parameters& parameters) {
    if (!element) return;
    CheckShape(source, element, {}, {"Parameter"});
    for (pugi::xml_node node : element.children("Parameter")) {
      CheckShape(source, node, {"Name", "Type", "Value"}, {"Permitted"});
      const std::string name = Required(source, node, "Name");
      const auto type = TypeFromWord(Required(source, node, "Type"));
      if (!type) {
        source.Fail(node, "the type " + Quoted(node.attribute("Type").value()) +
                              " is not String, Integer, Boolean or Real");
      }
      Variant value = Coerce(*type, Variant());
      if (const pugi::xml_attribute text = node.attribute("Value")) {
        const auto parsed = ParseValueText(*type, text.value());
        if (!parsed) {
          source.Fail(node, "the value " + Quoted(text.value()) + " is not a valid " +
                                std::string(TypeWord(*type)));
        }
        value = *parsed;
      }
      if (parameters.FindShort(name)) {
        source.Fail(node, "the parameter " + Quoted(name) + " is defined twice");
      }
      ParameterPtr parameter = Create(source, node, parameters, name, *type, value);
      std::vector<std::string> permitted;
      for (pugi::xml_node choice : node.children("Permitted")) {
        CheckShape(source, choice, {"Value"}, {});
        permitted.emplace_back(choice.attribute("Value").value());
      }
      if (!permitted.empty()) SetPermitted(source, node, *parameter, std::move(permitted));
    }
  }

  static ParameterPtr Create(const Source& source, pugi::xml_node node, Parameters& parameters,
                             const std::string& name, ParameterType type, const Variant& value) {
    try {
      return parameters.Create("Create", name, type, value);
    } catch (const RunError&) {
      source.Fail(node, "the parameter " + Quoted(name) + " holds a text the host cannot keep");
    }
  }

  static void SetPermitted(const Source& source, pugi::xml_node node, Parameter& parameter,
                           std::vector<std::string> permitted) {
    try {
      parameter.SetPermitted(std::move(permitted));
    } catch (const RunError&) {
      source.Fail(node, "only a String parameter has permitted values");
    }
  }

  void ReadRelations(Source& source, pugi::xml_node element, Relations& relations) {
    if (!element) return;
    CheckShape(source, element, {}, {"Formula"});
    for (pugi::xml_node node : element.children("Formula")) {
      CheckShape(source, node, {"Name", "Comment", "Body", "Output", "OutputIn"}, {});
      const std::string name = Required(source, node, "Name");
      const std::string output_name = Required(source, node, "Output");
      const std::string_view output_in = node.attribute("OutputIn").value();
      ParametersPtr collection;
      if (output_in == "Parameters") {
        collection = relations.parameters();
      } else if (output_in == "UserRefProperties") {
        collection = relations.properties();
      } else {
        source.Fail(node, "OutputIn must be \"Parameters\" or \"UserRefProperties\"");
      }
      const ParameterPtr output = collection ? collection->FindShort(output_name) : nullptr;
      if (!output) {
        source.Fail(node, "the formula " + Quoted(name) + " drives " + Quoted(output_name) +
                              ", which is not in its " + std::string(output_in));
      }
      if (relations.Find(name))
        source.Fail(node, "the formula " + Quoted(name) + " is defined twice");
      try {
        relations.CreateFormula(name, node.attribute("Comment").value(), output,
                                node.attribute("Body").value());
      } catch (const RunError&) {
        source.Fail(node, "the formula " + Quoted(name) +
                              " drives a parameter that another formula drives already");
      }
    }
  }

  void ReadInstances(Source& source, pugi::xml_node element, Product& product, Document& document) {
    if (!element) return;
    CheckShape(source, element, {}, {"Instance"});
    for (pugi::xml_node node : element.children("Instance")) {
      CheckShape(source, node, {"Name", "Component", "File"}, {});
      const std::string name = Required(source, node, "Name");
      const pugi::xml_attribute component = node.attribute("Component");
      const pugi::xml_attribute file = node.attribute("File");
      if (static_cast<bool>(component) == static_cast<bool>(file)) {
        source.Fail(node, "an instance names either a Component or a File");
      }
      ProductPtr reference;
      if (component) {
        reference = document.FindComponent(component.value());
        if (!reference) {
          source.Fail(node, "no component with the part number " + Quoted(component.value()) +
                                " is defined in this document");
        }
      } else {
        reference = Placed(source, node, file.value());
      }
      if (!product.products()->AddInstance(name, reference)) {
        source.Fail(node, "the instance name " + Quoted(name) + " is used twice in " +
                              Quoted(product.part_number()));
      }
    }
  }

  // The product of a document placed by file name, relative to the placing document.
  ProductPtr Placed(const Source& source, pugi::xml_node node, std::string file_name) {
    std::replace(file_name.begin(), file_name.end(), '\\', '/');
    const fs::path file = source.file.parent_path() / fs::path(file_name);
    const DocumentPtr placed = Open(file);
    if (!placed->product()) {
      source.Fail(node, "the file " + Quoted(file_name) + " holds a " +
                            std::string(placed->Type()) + ", which cannot be placed");
    }
    return placed->product();
  }

  Application& application_;
  std::map<fs::path, DocumentPtr> opened_;
};

// Refuses a structure that contains itself, which could never be walked to its end.
void CheckNoCycle(const Application& application) {
  std::unordered_set<const Product*> done, open;
  const auto visit = [&](const auto& self, Product& reference) -> void {
    if (done.contains(&reference)) return;
    if (!open.insert(&reference).second) {
      const auto home = reference.document();
      throw DocumentError(home ? home->file() : fs::path(),
                          "the product " + Quoted(reference.part_number()) + " contains itself");
    }
    for (const ProductPtr& child : reference.products()->items()) self(self, *child->reference());
    open.erase(&reference);
    done.insert(&reference);
  };
  for (const DocumentPtr& document : application.documents()) {
    if (document->product()) visit(visit, *document->product());
    for (const ProductPtr& component : document->components()) visit(visit, *component);
  }
}

// Lets go of the structures of a refused set of documents: a structure that contains
// itself would otherwise keep itself alive.
void Dismantle(const Application& application) {
  for (const DocumentPtr& document : application.documents()) {
    if (document->product()) document->product()->products()->Clear();
    for (const ProductPtr& component : document->components()) component->products()->Clear();
  }
}

}  // namespace

ApplicationPtr OpenApplication(const std::vector<fs::path>& files, HostOptions options) {
  auto application = Application::Create(std::make_shared<Host>(std::move(options)));
  try {
    DocumentReader reader(*application);
    DocumentPtr active;
    for (const fs::path& file : files) {
      DocumentPtr document = reader.Open(file);
      document->OpenWindow();
      if (!active) active = std::move(document);
    }
    for (const DocumentPtr& document : application->documents()) {
      if (application->host()->cache_mode() && !document->has_window()) document->SetLoaded(false);
    }
    CheckNoCycle(*application);
    application->Activate(active);
  } catch (...) {
    Dismantle(*application);
    throw;
  }
  return application;
}

}  // namespace kelvort::standin
