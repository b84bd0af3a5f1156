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

}  // namespace
}  // namespace kelvort
