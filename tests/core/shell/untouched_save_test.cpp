// A file opened and saved without an edit keeps every byte: viewing a colour point
// block must not tidy its unused bytes nor move the checksum under the user.
#include <gtest/gtest.h>

#include "core/common/data_file.h"
#include "core/common/text.h"
#include "core/shell/program.h"
#include "support/corpus.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace edid {
namespace {

// A data file as another tool might write it: only the hex dump section.
std::string handWrittenDataFile(const Image& image) {
  std::string text = "128 BYTES OF EDID CODE:\r\n\r\n";
  text += "         0   1   2   3   4   5   6   7   8   9\r\n";
  text += "      ________________________________________\r\n";
  for (int row = 0; row < 13; ++row) {
    text += PadLeft(std::to_string(row * 10), 3) + "  |";
    for (int i = row * 10; i < row * 10 + 10 && i < kEdidSize; ++i) text += "  " + image.cell(i);
    text += "\r\n";
  }
  return text;
}

TEST(UntouchedSave, AColourPointFileKeepsItsHexDump) {
  // A real monitor's image with block 72 turned into colour points: point #1
  // present, point #2 switched off but with its old bytes left in place and no
  // 0A 20 20 end, as a monitor may send it.
  Image image = test::corpusImage("1953CCF64283");
  const std::vector<int> block = {0,    0,    0,    0xFB, 0,    0x01, 0x05, 0x50, 0x54,
                                  0x78, 0x00, 0x0A, 0x52, 0x55, 0x82, 0x00, 0x00, 0x00};
  for (std::size_t i = 0; i < block.size(); ++i) image.setByte(72 + static_cast<int>(i), block[i]);
  image.setByte(kChecksumByte, image.correctChecksum());

  test::TempDir dir("edid_untouched");
  const std::string received = dir.file("received.DAT");
  test::writeText(received, handWrittenDataFile(image));

  test::FakeHost host;
  Program program(host);
  program.Command2_Click();  // "Modify EDID" on: the checksum would follow any write
  host.fileNames.push_back(received);
  program.mnuFileOpen_Click();
  ASSERT_TRUE(host.messages.empty()) << host.messages.front();
  ASSERT_NE(program.screen(), nullptr);
  // Look at the block, as a user would, then save under a new name.
  program.screen()->txtEdit_GotFocus(90 - 18 + 12);
  EXPECT_FALSE(program.common().UnsavedChanges);
  const std::string saved = dir.file("saved.DAT");
  host.fileNames.push_back(saved);
  program.mnuFileSaveAs_Click();
  ASSERT_TRUE(host.messages.empty()) << host.messages.front();

  const auto before = parseEdidCodeSection(test::readFile(received));
  const auto after = parseEdidCodeSection(test::readFile(saved));
  ASSERT_TRUE(before.ok()) << before.error();
  ASSERT_TRUE(after.ok()) << after.error();
  EXPECT_EQ(*after, *before);
  for (int i = 0; i < kEdidSize; ++i)
    EXPECT_EQ((*after)[static_cast<std::size_t>(i)], image.cell(i)) << "byte " << i;
  // The report of the saved file still names the absent point.
  EXPECT_NE(test::readFile(saved).find("White Point #2\r\n                    Not Used\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace edid
