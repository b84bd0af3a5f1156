// The stand-in's objects as the program reaches them by late binding: names, naming
// rules, parents, type names and failures.
#include <gtest/gtest.h>

#include "document_files.h"
#include "hresult.h"
#include "support/failure_of.h"
#include "support/standin_documents.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

using standin::HostLanguage;
using testing::FailureOf;

DispatchPtr Obj(const Variant& value) {
  return value.ToObject();
}

class ObjectModelTest : public ::testing::Test {
 protected:
  void Open(HostLanguage language = HostLanguage::kEnglish) {
    const auto file = testing::WriteSmallAssembly(dir_.path());
    standin::HostOptions options;
    options.language = language;
    options.environment = [](std::string_view name) {
      return name == "CATTemp" ? std::string("/tmp/catia") : std::string();
    };
    app_ = standin::OpenApplication({file}, options);
    document_ = Obj(app_->Get("ActiveDocument"));
    root_ = Obj(document_->Get("Product"));
  }
  // The child of a product at a 1-based position.
  DispatchPtr Child(const DispatchPtr& product, int position) {
    return Obj(Obj(product->Get("Products"))->Call("Item", {position}));
  }
  DispatchPtr BoltPart() {
    const auto bolt_document = Obj(Obj(Child(root_, 2)->Get("ReferenceProduct"))->Get("Parent"));
    return Obj(bolt_document->Get("Part"));
  }

  testing::TempDir dir_;
  standin::ApplicationPtr app_;
  DispatchPtr document_, root_;
};

TEST_F(ObjectModelTest, TypeNamesAndDocuments) {
  Open();
  EXPECT_EQ(app_->TypeName(), "Application");
  EXPECT_EQ(document_->TypeName(), "ProductDocument");
  EXPECT_EQ(document_->Get("Name").ToText(), "Asm.CATProduct");
  EXPECT_EQ(document_->Get("FullName").ToText(),
            testing::ToWinPath(std::filesystem::canonical(dir_.path() / "Asm.CATProduct")));
  EXPECT_EQ(Obj(document_->Get("Parent")), app_);

  // The active document and every document its structure reaches, each once.
  const auto documents = Obj(app_->Get("Documents"));
  EXPECT_EQ(documents->TypeName(), "Documents");
  EXPECT_EQ(documents->Get("Count"), Variant(int32_t{3}));
  EXPECT_EQ(Obj(documents->Call("Item", {"Bolt.CATPart"}))->TypeName(), "PartDocument");
  EXPECT_EQ(Obj(documents->Call("Item", {1})), document_);

  const auto bolt = Child(root_, 2);
  EXPECT_EQ(bolt->TypeName(), "Product");
  EXPECT_EQ(Obj(bolt->Get("Products"))->TypeName(), "Products");
  EXPECT_EQ(BoltPart()->TypeName(), "Part");
  const auto parameters = Obj(BoltPart()->Get("Parameters"));
  EXPECT_EQ(parameters->TypeName(), "Parameters");
  EXPECT_EQ(Obj(parameters->Call("Item", {"Length"}))->TypeName(), "RealParam");
  EXPECT_EQ(Obj(parameters->Call("Item", {"Finish"}))->TypeName(), "StrParam");
  EXPECT_EQ(Obj(parameters->Call("CreateInteger", {"Count", 2}))->TypeName(), "IntParam");
  EXPECT_EQ(Obj(parameters->Call("CreateBoolean", {"Done", true}))->TypeName(), "BoolParam");
  EXPECT_EQ(Obj(BoltPart()->Get("Relations"))->TypeName(), "Relations");
  EXPECT_EQ(Obj(document_->Get("Selection"))->TypeName(), "Selection");
  EXPECT_EQ(Obj(app_->Get("SystemService"))->TypeName(), "SystemService");
}

TEST_F(ObjectModelTest, ProductNamesAndInstances) {
  Open();
  EXPECT_EQ(root_->Get("Name").ToText(), "ASM");
  EXPECT_EQ(root_->Get("PartNumber").ToText(), "ASM");
  EXPECT_EQ(Obj(root_->Get("ReferenceProduct")), root_);
  EXPECT_EQ(Obj(root_->Get("Parent")), document_);

  const auto products = Obj(root_->Get("Products"));
  EXPECT_EQ(products->Get("Count"), Variant(int32_t{4}));
  const auto bolt1 = Child(root_, 2);
  const auto bolt2 = Obj(products->Call("Item", {"Bolt.2"}));
  EXPECT_EQ(bolt1->Get("Name").ToText(), "Bolt.1");
  EXPECT_EQ(bolt1->Get("PartNumber").ToText(), "BOLT");
  EXPECT_EQ(Obj(bolt1->Get("Parent")), products);
  EXPECT_EQ(Obj(products->Get("Parent")), root_);

  // The same part placed twice shares one document and one reference product.
  const auto reference = Obj(bolt1->Get("ReferenceProduct"));
  EXPECT_EQ(Obj(bolt2->Get("ReferenceProduct")), reference);
  EXPECT_EQ(reference->Get("Name").ToText(), "BOLT");
  EXPECT_EQ(Obj(reference->Get("Parent"))->Get("Name").ToText(), "Bolt.CATPart");

  // An instance's collections are its reference product's, whose Parent they answer.
  for (const char* collection : {"Parameters", "UserRefProperties", "Relations"}) {
    EXPECT_EQ(Obj(bolt1->Get(collection)), Obj(reference->Get(collection))) << collection;
    EXPECT_EQ(Obj(Obj(bolt1->Get(collection))->Get("Parent")), reference) << collection;
  }

  // A component defined inside the product document: its reference's Parent is that
  // document, and its children are the reference's.
  const auto sub = Child(root_, 1);
  const auto sub_reference = Obj(sub->Get("ReferenceProduct"));
  EXPECT_EQ(sub_reference->Get("Name").ToText(), "SUB");
  EXPECT_EQ(Obj(sub_reference->Get("Parent")), document_);
  EXPECT_EQ(Obj(sub->Get("Products")), Obj(sub_reference->Get("Products")));
  EXPECT_EQ(Obj(Child(sub, 1)->Get("ReferenceProduct")), reference);
}

TEST_F(ObjectModelTest, NamingRulesAndLookUps) {
  Open();
  // Part parameters: <part name>\<name>, found by full and short name.
  const auto part_parameters = Obj(BoltPart()->Get("Parameters"));
  EXPECT_EQ(BoltPart()->Get("Name").ToText(), "BOLT");
  const auto length = Obj(part_parameters->Call("Item", {"Length"}));
  EXPECT_EQ(length->Get("Name").ToText(), "BOLT\\Length");
  EXPECT_EQ(Obj(part_parameters->Call("Item", {"BOLT\\Length"})), length);
  EXPECT_EQ(Obj(part_parameters->Call("Item", {1})), length);
  const auto created = Obj(part_parameters->Call("CreateString", {"Material", "Steel"}));
  EXPECT_EQ(created->Get("Name").ToText(), "BOLT\\Material");
  EXPECT_EQ(part_parameters->Get("Count"), Variant(int32_t{3}));

  // Product parameters in a product document: <part number>\<name>, by full name only.
  const auto product_parameters = Obj(root_->Get("Parameters"));
  const auto product_length = Obj(product_parameters->Call("Item", {"ASM\\Length"}));
  EXPECT_EQ(product_length->Get("Name").ToText(), "ASM\\Length");
  const auto by_short_name = FailureOf([&] { product_parameters->Call("Item", {"Length"}); });
  EXPECT_EQ(by_short_name.number(), errors::kHostFailure);
  EXPECT_EQ(by_short_name.description(), "Method 'Item' of object 'Parameters' failed");
  // The key the program builds for a component uses the reference product's name.
  const auto sub_parameters = Obj(Child(root_, 1)->Get("Parameters"));
  sub_parameters->Call("CreateInteger", {"Quantity", 1});
  EXPECT_EQ(Obj(sub_parameters->Call("Item", {"SUB\\Quantity"}))->Get("Name").ToText(),
            "SUB\\Quantity");

  // User properties: <part number>\Properties\<name>, found by short name too.
  const auto properties = Obj(Child(root_, 2)->Get("UserRefProperties"));
  const auto property = Obj(properties->Call("Item", {"Length"}));
  EXPECT_EQ(property->Get("Name").ToText(), "BOLT\\Properties\\Length");
  EXPECT_EQ(Obj(properties->Call("Item", {"BOLT\\Properties\\Length"})), property);
  EXPECT_ANY_THROW(properties->Call("Item", {"BOLT\\Eigenschaften\\Length"}));

  // Formulas by name; out-of-range positions and unknown names fail alike.
  const auto relations = Obj(root_->Get("Relations"));
  EXPECT_EQ(Obj(relations->Call("Item", {"Form_Length"}))->Get("Name").ToText(), "Form_Length");
  for (const Variant& key : {Variant("Form_Width"), Variant(int32_t{0}), Variant(int32_t{2})}) {
    const auto failure = FailureOf([&] { relations->Call("Item", {key}); });
    EXPECT_EQ(failure.description(), "Method 'Item' of object 'Relations' failed");
  }
}

TEST_F(ObjectModelTest, GermanHostNamesUserPropertiesEigenschaften) {
  Open(HostLanguage::kGerman);
  const auto properties = Obj(Child(root_, 2)->Get("UserRefProperties"));
  const auto property = Obj(properties->Call("Item", {"BOLT\\Eigenschaften\\Length"}));
  EXPECT_EQ(property->Get("Name").ToText(), "BOLT\\Eigenschaften\\Length");
  EXPECT_EQ(Obj(properties->Call("Item", {"Length"})), property);
  EXPECT_ANY_THROW(properties->Call("Item", {"BOLT\\Properties\\Length"}));
  // Parameters are named alike in every language.
  EXPECT_EQ(Obj(Obj(BoltPart()->Get("Parameters"))->Call("Item", {"Length"}))->Get("Name").ToText(),
            "BOLT\\Length");
}

TEST_F(ObjectModelTest, ParentsLeadFromAFormulaToItsDocument) {
  Open();
  // A formula created through an instance: three steps reach the defining document.
  const auto bolt = Child(root_, 2);
  const auto property = Obj(Obj(bolt->Get("UserRefProperties"))->Call("CreateString", {"Tag", ""}));
  const auto formula = Obj(Obj(bolt->Get("Relations"))
                               ->Call("CreateFormula", {"Form_Tag", "", Variant(property), "Tag"}));
  EXPECT_EQ(formula->TypeName(), "Formula");
  const auto relations = Obj(formula->Get("Parent"));
  EXPECT_EQ(relations->TypeName(), "Relations");
  const auto holder = Obj(relations->Get("Parent"));
  EXPECT_EQ(holder, Obj(bolt->Get("ReferenceProduct")));
  EXPECT_EQ(Obj(holder->Get("Parent"))->Get("FullName").ToText(),
            Obj(Obj(bolt->Get("ReferenceProduct"))->Get("Parent"))->Get("FullName").ToText());

  // A part's formula: formula -> Relations -> Part -> part document.
  const auto part_formula = Obj(Obj(BoltPart()->Get("Relations"))->Call("Item", {1}));
  EXPECT_EQ(Obj(Obj(Obj(part_formula->Get("Parent"))->Get("Parent"))->Get("Parent"))->TypeName(),
            "PartDocument");
  EXPECT_EQ(part_formula->Get("Value").ToText(), "Length");
  EXPECT_EQ(part_formula->Get("Comment").ToText(), "");

  // Parameters answer their collection as Parent; the collection its holder.
  const auto parameter = Obj(Obj(BoltPart()->Get("Parameters"))->Call("Item", {1}));
  EXPECT_EQ(Obj(Obj(parameter->Get("Parent"))->Get("Parent")), BoltPart());
}

TEST_F(ObjectModelTest, ParameterValues) {
  Open();
  const auto parameters = Obj(BoltPart()->Get("Parameters"));
  const auto text = Obj(parameters->Call("CreateString", {"Note", "a"}));
  const auto whole = Obj(parameters->Call("CreateInteger", {"Count", int32_t{7}}));
  const auto flag = Obj(parameters->Call("CreateBoolean", {"Done", false}));
  const auto real = Obj(parameters->Call("CreateReal", {"Mass", 1.5}));
  EXPECT_EQ(text->Get("Value"), Variant("a"));
  EXPECT_EQ(whole->Get("Value"), Variant(int32_t{7}));
  EXPECT_EQ(flag->Get("Value"), Variant(false));
  EXPECT_EQ(real->Get("Value"), Variant(1.5));
  EXPECT_EQ(whole->Call("ValueAsString").ToText(), "7");
  EXPECT_EQ(flag->Call("ValueAsString").ToText(), "false");
  EXPECT_EQ(real->Call("ValueAsString").ToText(), "1.5");

  // Values are converted to the parameter's type as late binding converts them.
  whole->Put("Value", "12");
  EXPECT_EQ(whole->Get("Value"), Variant(int32_t{12}));
  flag->Put("Value", "True");
  EXPECT_EQ(flag->Get("Value"), Variant(true));
  EXPECT_EQ(FailureOf([&] { whole->Put("Value", "twelve"); }).number(), errors::kTypeMismatch);

  // Enumerated text parameters: the value stays until set, and must be permitted then.
  const auto choice = Obj(parameters->Call("CreateString", {"Colour", ""}));
  choice->Call("SetEnumerateValues", {Variant::Array{"Red", "Green", "Blue"}});
  EXPECT_EQ(choice->Get("Value"), Variant(""));
  EXPECT_EQ(choice->Call("GetEnumerateValuesSize"), Variant(int32_t{3}));
  EXPECT_EQ(choice->Call("GetEnumerateValues", {Variant::Array{}}),
            Variant(Variant::Array{"Red", "Green", "Blue"}));
  choice->Put("Value", "Green");
  EXPECT_EQ(choice->Get("Value"), Variant("Green"));
  const auto refused = FailureOf([&] { choice->Put("Value", "Yellow"); });
  EXPECT_EQ(refused.number(), errors::kHostFailure);
  EXPECT_EQ(refused.description(), "Method 'Value' of object 'StrParam' failed");
  EXPECT_EQ(choice->Get("Value"), Variant("Green"));
  // An empty list is refused; so are enumerated values on other types.
  EXPECT_EQ(FailureOf([&] { text->Call("SetEnumerateValues", {Variant::Array{}}); }).number(),
            errors::kHostFailure);
  EXPECT_EQ(FailureOf([&] { whole->Call("SetEnumerateValues", {Variant::Array{"1"}}); }).number(),
            errors::kMemberNotSupported);
}

TEST_F(ObjectModelTest, CreationsTheHostRefuses) {
  Open();
  const auto parameters = Obj(BoltPart()->Get("Parameters"));
  for (const char* name : {"", "Length", "Bad\x01Name"}) {
    const auto failure = FailureOf([&] { parameters->Call("CreateString", {name, "x"}); });
    EXPECT_EQ(failure.description(), "Method 'CreateString' of object 'Parameters' failed") << name;
  }
  EXPECT_ANY_THROW(parameters->Call("CreateString", {"Text", "\xff\xfe"}));
  EXPECT_EQ(FailureOf([&] {
              parameters->Call("CreateInteger", {"Big", 1e12});
            }).number(),
            errors::kOverflow);
  EXPECT_EQ(parameters->Get("Count"), Variant(int32_t{2}));

  // One formula a name, one formula an output, outputs only from the holder's collections.
  const auto relations = Obj(BoltPart()->Get("Relations"));
  const auto finish = Obj(parameters->Call("Item", {"Finish"}));
  const auto root_length = Obj(Obj(root_->Get("Parameters"))->Call("Item", {"ASM\\Length"}));
  const auto driven = Obj(Obj(root_->Get("UserRefProperties"))->Call("Item", {"Length"}));
  for (const auto& [name, output] : {std::pair<const char*, DispatchPtr>{"Form_Length", finish},
                                     {"Form_Other", root_length},
                                     {"Form_Driven", driven}}) {
    const auto failure = FailureOf([&] {
      relations->Call("CreateFormula", {name, "", Variant(output), "x"});
    });
    EXPECT_EQ(failure.description(), "Method 'CreateFormula' of object 'Relations' failed") << name;
  }
  EXPECT_EQ(relations->Get("Count"), Variant(int32_t{1}));
}

TEST_F(ObjectModelTest, MembersAsLateBindingFindsThem) {
  Open();
  // Member names ignore letter case, as COM's do.
  EXPECT_EQ(root_->Get("partnumber").ToText(), "ASM");
  EXPECT_EQ(Obj(root_->Get("PRODUCTS"))->Get("count"), Variant(int32_t{4}));
  // A member the object lacks: run-time error 438, as late binding reports it.
  const auto unknown = FailureOf([&] { root_->Get("Part"); });
  EXPECT_EQ(unknown.number(), errors::kMemberNotSupported);
  EXPECT_EQ(unknown.description(), "Object doesn't support this property or method");
  EXPECT_EQ(FailureOf([&] { document_->Get("Part"); }).number(), errors::kMemberNotSupported);
  EXPECT_EQ(FailureOf([&] { root_->Put("Name", "X"); }).number(), errors::kMemberNotSupported);
  EXPECT_EQ(FailureOf([&] { root_->Call("Update", {1}); }).number(), standin::kWrongArgumentCount);
  // A part document has both Product and Part.
  const auto bolt_document = Obj(Obj(Child(root_, 2)->Get("ReferenceProduct"))->Get("Parent"));
  EXPECT_EQ(Obj(bolt_document->Get("Product"))->Get("PartNumber").ToText(), "BOLT");
  EXPECT_EQ(Obj(Obj(bolt_document->Get("Part"))->Get("Parent")), bolt_document);
}

TEST_F(ObjectModelTest, ApplicationSettingsWorkbenchAndEnvironment) {
  Open();
  EXPECT_EQ(app_->Call("GetWorkbenchId").ToText(), "Assembly");
  app_->Call("StartWorkbench", {"PrtCfg"});
  EXPECT_EQ(app_->Call("GetWorkbenchId").ToText(), "PrtCfg");
  EXPECT_EQ(FailureOf([&] { app_->Call("StartWorkbench", {"NoSuchBench"}); }).description(),
            "Method 'StartWorkbench' of object 'Application' failed");
  EXPECT_EQ(app_->Call("GetWorkbenchId").ToText(), "PrtCfg");

  EXPECT_EQ(app_->Get("DisplayFileAlerts"), Variant(true));
  app_->Put("DisplayFileAlerts", int16_t{0});
  EXPECT_EQ(app_->Get("DisplayFileAlerts"), Variant(false));

  const auto service = Obj(app_->Get("SystemService"));
  EXPECT_EQ(service->Call("Environ", {"CATTemp"}).ToText(), "/tmp/catia");
  EXPECT_EQ(service->Call("Environ", {"Unknown"}).ToText(), "");
}

TEST(NoDocumentTest, ApplicationWithoutDocuments) {
  const auto app = standin::OpenApplication({});
  EXPECT_EQ(Obj(app->Get("Documents"))->Get("Count"), Variant(int32_t{0}));
  EXPECT_EQ(FailureOf([&] { app->Get("ActiveDocument"); }).description(),
            "Method 'ActiveDocument' of object 'Application' failed");
  EXPECT_EQ(app->Call("GetWorkbenchId").ToText(), "");
  EXPECT_ANY_THROW(app->Call("StartWorkbench", {"Assembly"}));
}

TEST(DrawingTest, ADrawingHasNeitherProductNorPart) {
  testing::TempDir dir;
  const auto samples = testing::CopySamples(dir.path());
  const auto app = standin::OpenApplication({samples / "Gearbox.CATDrawing"});
  const auto drawing = Obj(app->Get("ActiveDocument"));
  EXPECT_EQ(drawing->TypeName(), "DrawingDocument");
  EXPECT_EQ(app->Call("GetWorkbenchId").ToText(), "Drw");
  for (const char* member : {"Product", "Part"}) {
    EXPECT_EQ(FailureOf([&] { drawing->Get(member); }).number(), errors::kMemberNotSupported);
  }
  EXPECT_EQ(Obj(drawing->Get("Selection"))->Get("Count"), Variant(int32_t{0}));
}

}  // namespace
}  // namespace kelvort
