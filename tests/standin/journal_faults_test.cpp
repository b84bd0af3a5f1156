// The stand-in's test support: the journal of member calls and faults on request.
#include <gtest/gtest.h>

#include <sstream>

#include "document_files.h"
#include "support/failure_of.h"
#include "support/standin_documents.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

DispatchPtr Obj(const Variant& value) {
  return value.ToObject();
}

class JournalFaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = standin::OpenApplication({testing::WriteSmallAssembly(dir_.path())});
  }
  standin::Host& host() { return *app_->host(); }

  testing::TempDir dir_;
  standin::ApplicationPtr app_;
};

TEST_F(JournalFaultsTest, JournalRecordsEveryCallInOrder) {
  // Opening the documents serves no call.
  EXPECT_TRUE(host().journal().entries().empty());
  std::ostringstream stream;
  host().journal().WriteTo(&stream);

  const auto document = Obj(app_->Get("ActiveDocument"));
  const auto parameters = Obj(Obj(document->Get("Product"))->Get("Parameters"));
  parameters->Call("CreateString", {"Note", "say \"hi\"\nbye"});
  const auto note = Obj(parameters->Call("Item", {"ASM\\Note"}));
  note->Call("SetEnumerateValues", {Variant::Array{"a", int32_t{1}, "say \"hi\"\nbye"}});
  note->Put("Value", "a");
  app_->Put("DisplayFileAlerts", false);
  Obj(document->Get("Selection"))->Call("Clear");
  Obj(document->Get("Selection"))->Call("Add", {Variant(note)});
  EXPECT_ANY_THROW(document->Get("NoSuchMember"));

  const std::vector<std::string> expected{
      "Application.ActiveDocument",
      "ProductDocument.Product",
      "Product.Parameters",
      R"(Parameters.CreateString("Note", "say ""hi""\nbye"))",
      R"(Parameters.Item("ASM\Note"))",
      R"(StrParam.SetEnumerateValues(Array("a", 1, "say ""hi""\nbye")))",
      R"(StrParam.Value = "a")",
      "Application.DisplayFileAlerts = False",
      "ProductDocument.Selection",
      "Selection.Clear()",
      "ProductDocument.Selection",
      "Selection.Add(<StrParam>)",
      "ProductDocument.NoSuchMember",
  };
  EXPECT_EQ(host().journal().Lines(), expected);
  std::string written;
  for (const std::string& line : expected) written += line + "\n";
  EXPECT_EQ(stream.str(), written);
  const auto& entry = host().journal().entries()[3];
  EXPECT_EQ(entry.type_name, "Parameters");
  EXPECT_EQ(entry.member, "CreateString");
  EXPECT_EQ(entry.args, (std::vector<Variant>{"Note", "say \"hi\"\nbye"}));
  host().journal().WriteTo(nullptr);

  // Without keeping entries, nothing is recorded.
  host().journal().Clear();
  host().journal().Keep(false);
  app_->Get("Documents");
  EXPECT_TRUE(host().journal().entries().empty());
}

TEST_F(JournalFaultsTest, TheNthCallOfAMemberFailsOnce) {
  const auto parameters =
      Obj(Obj(Obj(app_->Get("ActiveDocument"))->Get("Product"))->Get("Parameters"));
  host().faults().Add("item", 2);
  host().faults().Add("CreateInteger", 1);
  // Calls before the fault was asked for do not count; letter case does not matter.
  EXPECT_NO_THROW(parameters->Call("Item", {"ASM\\Length"}));
  const auto failure = testing::FailureOf([&] { parameters->Call("ITEM", {"ASM\\Length"}); });
  EXPECT_EQ(failure.number(), errors::kHostFailure);
  EXPECT_EQ(failure.description(), "Method 'ITEM' of object 'Parameters' failed");
  EXPECT_NO_THROW(parameters->Call("Item", {"ASM\\Length"}));
  // A faulted call is refused before it acts, and is still journaled.
  EXPECT_ANY_THROW(parameters->Call("CreateInteger", {"Count", 1}));
  EXPECT_EQ(parameters->Get("Count"), Variant(int32_t{1}));
  EXPECT_NO_THROW(parameters->Call("CreateInteger", {"Count", 1}));
  EXPECT_EQ(host().journal().entries().size(), 9u);
  // Any object's member of that name counts.
  host().faults().Add("Count", 2);
  EXPECT_NO_THROW(parameters->Get("Count"));
  EXPECT_ANY_THROW(Obj(app_->Get("Documents"))->Get("Count"));
}

}  // namespace
}  // namespace kelvort
