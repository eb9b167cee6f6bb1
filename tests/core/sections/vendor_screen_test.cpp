// The vendor frame on the decoding screen: decoders onto labels and texts, and
// the entry box with its key filter, messages and checksum upkeep.
#include <gtest/gtest.h>

#include "core/screen/checksum_screen.h"
#include "core/screen/edid_screen.h"
#include "core/screen/vendor_screen.h"
#include "support/corpus.h"
#include "support/fake_host.h"

namespace edid {
namespace {

class VendorScreen : public ::testing::Test {
 protected:
  void load(const Image& image) {
    screen.document.load(image);
    screen.BuildEDIDDefinations();
    common.markSaved(screen.image);
  }
  void enter(int cell, const std::string& text) {
    screen.txtEdit_GotFocus(cell);
    screen.section<edid::VendorScreen>().vendor.VendorInfo.text = text;
    screen.section<edid::VendorScreen>().VendorInfo_KeyUp(13);
  }

  Common common;
  test::FakeHost host;
  EdidScreen screen{common, host};
};

TEST_F(VendorScreen, DecodersFillLabelsAndReportTexts) {
  Image image = test::corpusImage("000CCAC2C577");  // VSC, week 39 of 2008
  image.setByte(10, 0x41);
  image.setByte(11, 0x42);
  image.setByte(12, 0xD2);
  image.setByte(13, 0x04);
  image.setByte(14, 0x00);
  image.setByte(15, 0x00);
  load(image);
  EXPECT_EQ(common.ManufacturerText, "VSC");
  EXPECT_EQ(screen.section<edid::VendorScreen>().vendor.lbVendor[0].caption, "Manufacturer - VSC");
  EXPECT_EQ(screen.section<edid::VendorScreen>().vendor.lbVendor[1].caption,
            "Product Code - 4241(AB)");
  EXPECT_EQ(common.WeekText, "39");
  EXPECT_EQ(screen.section<edid::VendorScreen>().vendor.lbVendor[3].caption,
            "Week Manufacture - 39");
  EXPECT_EQ(common.YearText, "2008");
  EXPECT_EQ(screen.section<edid::VendorScreen>().vendor.lbVendor[4].caption,
            "Year Manufacture - 2008");
  EXPECT_EQ(common.SerialNumberText, "01234");
  EXPECT_EQ(screen.section<edid::VendorScreen>().vendor.lbVendor[6].caption, "AB83901234");
  // The year decoder runs last, so the box shows the year until a cell is focused.
  EXPECT_EQ(screen.section<edid::VendorScreen>().vendor.VendorInfo.text, "2008");
}

TEST_F(VendorScreen, EntriesWriteBytesAndKeepTheChecksumWhileModifyIsOn) {
  common.ModifyMode = true;
  load(test::corpusImage("000CCAC2C577"));
  enter(8, "ABC");
  EXPECT_EQ(screen.image.cell(8), "04");
  EXPECT_EQ(screen.image.cell(9), "43");
  EXPECT_EQ(screen.section<edid::VendorScreen>().vendor.lbVendor[0].caption, "Manufacturer - ABC");
  enter(13, "1234");
  EXPECT_EQ(screen.image.cell(12), "D2");
  EXPECT_EQ(screen.image.cell(15), "00");
  EXPECT_EQ(screen.section<edid::VendorScreen>().vendor.VendorInfo.text, "01234");
  enter(16, "52");
  EXPECT_EQ(screen.image.cell(16), "34");
  enter(17, "2155");
  EXPECT_EQ(screen.image.cell(17), "A5");
  enter(10, "AB");
  EXPECT_EQ(screen.section<edid::VendorScreen>().vendor.lbVendor[1].caption,
            "Product Code - 4241(AB)");
  EXPECT_EQ(screen.section<ChecksumScreen>().ComputeCheckSum(), 0);
  EXPECT_TRUE(common.UnsavedChanges);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(VendorScreen, RefusedEntriesShowTheirMessageAndChangeNothing) {
  common.ModifyMode = true;
  load(test::corpusImage("000CCAC2C577"));
  const Image before = screen.image;
  enter(16, "53");
  enter(17, "99");
  enter(17, "1989");
  enter(13, "4294967296");
  enter(8, "A.B");
  EXPECT_EQ(host.messages, (std::vector<std::string>{
                               "Max value is 52", "Please enter in the full year (1999)",
                               "The Range is 1990-2155", "The Range is 0-4294967295", "A-Z Only"}));
  EXPECT_EQ(screen.image, before);
  EXPECT_FALSE(common.UnsavedChanges);
  // The refused text stays for correction.
  EXPECT_EQ(screen.section<edid::VendorScreen>().vendor.VendorInfo.text, "A.B");
}

TEST_F(VendorScreen, EntryDoesNothingWhileModifyIsOff) {
  load(test::corpusImage("000CCAC2C577"));
  const Image before = screen.image;
  enter(17, "1999");
  EXPECT_EQ(screen.image, before);
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace edid
