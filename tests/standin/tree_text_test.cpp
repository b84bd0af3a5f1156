// The printed tree of a document.
#include <gtest/gtest.h>

#include "document_files.h"
#include "part.h"
#include "support/standin_documents.h"
#include "support/temp_dir.h"
#include "tree_text.h"

namespace kelvort {
namespace {

TEST(TreeTextTest, ShowsEveryItemOnALineOfItsOwn) {
  testing::TempDir dir;
  const auto app = standin::OpenApplication({testing::WriteSmallAssembly(dir.path())});
  // A text that would break the line is escaped.
  const auto bolt = app->FindDocument("Bolt.CATPart");
  bolt->part()->parameters()->Create("Create", "Note", standin::ParameterType::kString,
                                     "two\nlines \"quoted\"");
  EXPECT_EQ(TreeText(*app->active()), R"(ProductDocument Asm.CATProduct
  Product ASM
    Parameters
      Length (Real) = 10
    User properties
      Length (Real) = 0
    Formulas
      Form_Length: user property Length = Length
    Products
      Sub.1 (SUB, Asm.CATProduct)
        Products
          Bolt.1 (BOLT, Bolt.CATPart)
            User properties
              Length (Real) = 0
            Part BOLT
              Parameters
                Length (Real) = 30
                Finish (String) = "Zinc"  permitted: "Zinc", "Black"
                Note (String) = "two\nlines ""quoted"""
              Formulas
                Form_Length: user property Length = Length
      Bolt.1 (BOLT, Bolt.CATPart): as shown above
      Bolt.2 (BOLT, Bolt.CATPart): as shown above
      Washer.1 (WASHER, Washer.CATPart)
        Part WASHER
)");
  EXPECT_EQ(TreeText(*bolt), R"(PartDocument Bolt.CATPart
  Product BOLT
    User properties
      Length (Real) = 0
    Part BOLT
      Parameters
        Length (Real) = 30
        Finish (String) = "Zinc"  permitted: "Zinc", "Black"
        Note (String) = "two\nlines ""quoted"""
      Formulas
        Form_Length: user property Length = Length
)");
}

}  // namespace
}  // namespace kelvort
