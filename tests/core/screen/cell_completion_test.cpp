// A cell left with fewer than two characters becomes two digits, so the saved hex
// dump always reads back byte for byte.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/common/binary_file.h"
#include "core/screen/established_screen.h"
#include "screen_fixture.h"
#include "support/temp_dir.h"

namespace edid::test {
namespace {

class CellCompletion : public ScreenFixture {};

// The checksum worked out from the bytes themselves, not by the screen.
int checksumFor(const Image& image) {
  int sum = 0;
  for (int i = 0; i < kChecksumByte; ++i) sum += image.byte(i);
  return (256 - sum % 256) % 256;
}

TEST_F(CellCompletion, ShortCellsGetALeadingZeroAndTheirFieldAndChecksumFollow) {
  load(corpusImage("000CCAC2C577"));
  setModes(true, false);
  focusCell(36);

  // "5" reads as 0x50 while typed; leaving the cell makes it 0x05:
  // 1024x768@70 (bit 2) and 1280x1024@75 (bit 0) of established timings II.
  typeInto(36, "5");
  EXPECT_TRUE(screen.txtEdit_LostFocus(36));
  EXPECT_EQ(screen.image.cell(36), "05");
  std::vector<std::string> checked;
  for (const CheckBox& box : screen.section<EstablishedScreen>().established.ET2)
    if (box.value) checked.push_back(box.caption);
  std::sort(checked.begin(), checked.end());
  EXPECT_EQ(checked, (std::vector<std::string>{"1024 X 768 @ 70Hz", "1280 X 1024 @ 75Hz"}));
  EXPECT_EQ(screen.image.byte(kChecksumByte), checksumFor(screen.image));
  EXPECT_TRUE(common.UnsavedChanges);
  EXPECT_TRUE(screen.image.checkWritable());

  screen.txtEdit_Change(36, "");
  EXPECT_TRUE(screen.txtEdit_LostFocus(36));
  EXPECT_EQ(screen.image.cell(36), "00");
  EXPECT_EQ(screen.image.byte(kChecksumByte), checksumFor(screen.image));
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(CellCompletion, LockedCellsAndTheWriteGuard) {
  // With "Modify EDID" off the cells only display: nothing is rewritten.
  load(corpusImage("000CCAC2C577"));
  screen.txtEdit_Change(36, "5");
  EXPECT_TRUE(screen.txtEdit_LostFocus(36));
  EXPECT_EQ(screen.image.cell(36), "5");

  const Status guard = screen.image.checkWritable();
  ASSERT_FALSE(guard);
  EXPECT_EQ(guard.error(), "Cannot write the EDID: cell 36 holds \"5\", not two hex digits");
  const TempDir dir("edid_write_guard");
  const Status exported = exportBinaryFile(dir.file("x.bin"), screen.image);
  EXPECT_EQ(exported.error(), guard.error());
  EXPECT_FALSE(std::filesystem::exists(dir.file("x.bin")));

  // Pasted text: anything but hex digits is refused and the cell keeps its text.
  screen.txtEdit_Change(36, "0G");
  EXPECT_EQ(screen.image.cell(36), "5");
  EXPECT_EQ(host.messages, (std::vector<std::string>{"Please Make Your Values In Hex"}));
  screen.txtEdit_Change(36, "aF");
  EXPECT_EQ(screen.image.cell(36), "AF");
  EXPECT_TRUE(screen.image.checkWritable());
}

}  // namespace
}  // namespace edid::test
