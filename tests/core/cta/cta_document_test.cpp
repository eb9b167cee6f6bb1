#include <gtest/gtest.h>

#include "core/common/document.h"
#include "core/cta/cta_edit.h"
#include "support/corpus.h"

namespace edid {
namespace {

// A new CTA-861 block on 1031763B91D4 (one block): byte 126 counts two, the base
// checksum follows, and undo and redo swap the extension and the unsaved mark as one step.
TEST(CtaDocument, ExtensionEditIsOneUndoStep) {
  Common common;
  common.ModifyMode = true;
  Document document(common);
  const auto bytes = test::corpusBytes("1031763B91D4");
  document.load(Image::fromEdid(std::string(bytes.begin(), bytes.end())));
  common.markSaved(document.image());
  const cta::Bytes before = document.image().extension();
  const auto added = cta::addCtaBlock(before);
  ASSERT_TRUE(added.ok());
  document.write(cta::blockCountWrites(document.image(), *added), *added, "Add Extension Block");
  EXPECT_EQ(document.image().extension().size(), 256u);
  EXPECT_EQ(document.image().byte(126), 2);
  EXPECT_EQ(document.image().checksumTest(), 0);
  EXPECT_TRUE(common.UnsavedChanges);
  EXPECT_EQ(document.undoLabel(), "Add Extension Block");

  ASSERT_TRUE(document.undo());
  EXPECT_EQ(document.image().extension(), before);
  EXPECT_EQ(document.image().byte(126), 1);
  EXPECT_FALSE(common.UnsavedChanges);
  ASSERT_TRUE(document.redo());
  EXPECT_EQ(document.image().extension(), *added);
  EXPECT_TRUE(common.UnsavedChanges);
}

}  // namespace
}  // namespace edid
