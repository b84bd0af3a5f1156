// Update: formulas whose body names a parameter give their output that parameter's value.
#include <gtest/gtest.h>

#include "document_files.h"
#include "support/failure_of.h"
#include "support/standin_documents.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

DispatchPtr Obj(const Variant& value) {
  return value.ToObject();
}

class UpdateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = standin::OpenApplication({testing::WriteSmallAssembly(dir_.path())});
    root_ = Obj(Obj(app_->Get("ActiveDocument"))->Get("Product"));
    const auto bolt_reference =
        Obj(Obj(Obj(root_->Get("Products"))->Call("Item", {"Bolt.1"}))->Get("ReferenceProduct"));
    bolt_properties_ = Obj(bolt_reference->Get("UserRefProperties"));
    bolt_part_ = Obj(Obj(bolt_reference->Get("Parent"))->Get("Part"));
  }
  Variant Value(const DispatchPtr& collection, const char* key) {
    return Obj(collection->Call("Item", {key}))->Get("Value");
  }

  testing::TempDir dir_;
  standin::ApplicationPtr app_;
  DispatchPtr root_, bolt_properties_, bolt_part_;
};

TEST_F(UpdateTest, ProductUpdateRecomputesTheWholeStructure) {
  const auto root_properties = Obj(root_->Get("UserRefProperties"));
  EXPECT_EQ(Value(root_properties, "Length"), Variant(0.0));
  EXPECT_EQ(Value(bolt_properties_, "Length"), Variant(0.0));
  root_->Call("Update");
  // The output takes the parameter of the body's name held by the same product or part,
  // not the output itself, which bears the same short name.
  EXPECT_EQ(Value(root_properties, "Length"), Variant(10.0));
  EXPECT_EQ(Value(bolt_properties_, "Length"), Variant(30.0));
}

TEST_F(UpdateTest, PartUpdateRecomputesThePartOnly) {
  Obj(bolt_part_->Get("Parameters"))->Call("Item", {"Length"}).ToObject()->Put("Value", 35);
  bolt_part_->Call("Update");
  EXPECT_EQ(Value(bolt_properties_, "Length"), Variant(35.0));
  EXPECT_EQ(Value(Obj(root_->Get("UserRefProperties")), "Length"), Variant(0.0));
}

TEST_F(UpdateTest, NewFormulasAreComputedOnUpdateAndUnsuitableValuesFail) {
  const auto part_parameters = Obj(bolt_part_->Get("Parameters"));
  const auto relations = Obj(bolt_part_->Get("Relations"));
  // A formula created as the program creates it: the user property of the same name.
  Obj(part_parameters->Call("Item", {"Finish"}))->Put("Value", "Black");
  const auto finish = Obj(bolt_properties_->Call("CreateString", {"Finish", ""}));
  relations->Call("CreateFormula", {"Form_Finish", "", Variant(finish), "Finish"});
  // A body that names no parameter leaves its output alone.
  const auto note = Obj(bolt_properties_->Call("CreateString", {"Note", "kept"}));
  relations->Call("CreateFormula", {"Form_Note", "", Variant(note), "Note"});
  bolt_part_->Call("Update");
  EXPECT_EQ(finish->Get("Value"), Variant("Black"));
  EXPECT_EQ(note->Get("Value"), Variant("kept"));

  // An enumerated output that keeps the empty value it was created with, driven by a
  // parameter that is empty as well, is left as it is: the update does not fail.
  const auto colour = Obj(bolt_properties_->Call("CreateString", {"Colour", ""}));
  colour->Call("SetEnumerateValues", {Variant::Array{"Red", "Green"}});
  part_parameters->Call("CreateString", {"Colour", ""});
  relations->Call("CreateFormula", {"Form_Colour", "", Variant(colour), "Colour"});
  bolt_part_->Call("Update");
  EXPECT_EQ(colour->Get("Value"), Variant(""));

  // An enumerated output refuses a value outside its permitted ones, and so the update fails.
  const auto grade = Obj(bolt_properties_->Call("CreateString", {"Grade", ""}));
  grade->Call("SetEnumerateValues", {Variant::Array{"8.8", "10.9"}});
  part_parameters->Call("CreateString", {"Grade", "12.9"});
  relations->Call("CreateFormula", {"Form_Grade", "", Variant(grade), "Grade"});
  EXPECT_EQ(testing::FailureOf([&] { bolt_part_->Call("Update"); }).description(),
            "Method 'Update' of object 'Part' failed");
  EXPECT_EQ(grade->Get("Value"), Variant(""));
}

}  // namespace
}  // namespace kelvort
