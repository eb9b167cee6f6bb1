// The main window's logic: the two modes, the screen's lifetime and naming the
// monitor from model list lines.
#include "core/shell/program.h"

#include <gtest/gtest.h>

#include "core/screen/vendor_screen.h"
#include "support/corpus.h"
#include "support/fake_host.h"

namespace edid {
namespace {

class ProgramTest : public ::testing::Test {
 protected:
  EdidScreen& load(const Image& image) {
    EdidScreen& screen = program.showScreen();
    screen.document.load(image);
    screen.BuildEDIDDefinations();
    program.common().markSaved(screen.image);
    return screen;
  }

  test::FakeHost host;
  Program program{host};
};

TEST_F(ProgramTest, ModesFollowTheirButtons) {
  program.Command3_Click();  // disabled: nothing happens
  EXPECT_FALSE(program.common().AutoCellSeekMode);

  program.Command2_Click();
  EXPECT_TRUE(program.Command3.enabled);
  ASSERT_NE(program.screen(), nullptr);  // switching on opens the screen at cell 0
  EXPECT_EQ(program.screen()->focus, (FocusTarget{FocusControl::Cell, 0}));
  EXPECT_TRUE(program.screen()->Hints[0].visible);
  EXPECT_FALSE(program.screen()->cellLocked[5]);

  program.Command3_Click();
  program.Command2_Click();
  EXPECT_EQ(program.Command2.caption, "Modify EDID (OFF)");
  EXPECT_FALSE(program.Command3.enabled);
  EXPECT_TRUE(program.common().AutoCellSeekMode);  // kept, only the button is disabled
  program.Command2_Click();
  program.Command3_Click();
  EXPECT_EQ(program.Command3.caption, "Auto Cell Seek (OFF)");
}

TEST_F(ProgramTest, FillInModelInfoMatchesKeyAndSplitsBrandAndModel) {
  // 000CCAC2C577 is VSC, product code 0x7D20.
  EdidScreen& screen = load(test::corpusImage("000CCAC2C577"));
  ASSERT_EQ(screen.section<VendorScreen>().GetManufacturer() +
                screen.section<VendorScreen>().GetProductCode(),
            "VSC7D20");
  auto& lines = program.common().DdcTestLines;

  lines = {"ABC1234=\"Other Thing\"", "VSC7D20 = \"ViewTech  VX-1  \""};
  EXPECT_TRUE(program.FillInModelInfo());
  EXPECT_EQ(screen.txtBrand.text, "ViewTech");
  EXPECT_EQ(screen.txtModel.text, "VX-1");

  lines = {"VSC7D20,\"ViewTech VX 1932\""};
  EXPECT_TRUE(program.FillInModelInfo());
  EXPECT_EQ(screen.txtModel.text, "VX 1932");

  lines = {"vsc7d20 \"Lower Case\""};  // the key is case-sensitive
  EXPECT_FALSE(program.FillInModelInfo());
  EXPECT_EQ(screen.txtBrand.text, "VSC");  // the manufacturer code stands in

  lines = {"VSC7D20 \"OnlyBrand\""};
  EXPECT_FALSE(program.FillInModelInfo());
  EXPECT_EQ(screen.txtBrand.text, "OnlyBrand");
  EXPECT_EQ(screen.txtModel.text, "VA926 Series");  // its name descriptor

  lines = {"VSC7D20 ViewTech Unquoted"};  // no quotes: the whole line
  program.FillInModelInfo();
  EXPECT_EQ(screen.txtBrand.text, "VSC7D20");
  EXPECT_EQ(screen.txtModel.text, "ViewTech Unquoted");
}

}  // namespace
}  // namespace edid
