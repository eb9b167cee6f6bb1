// The extension blocks through Open, an edit of the base block, Save, a second
// Open and the binary export, on every corpus EDID that has them.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/common/data_file.h"
#include "core/common/extension_blocks.h"
#include "core/common/text.h"
#include "core/report/report.h"
#include "core/shell/program.h"
#include "support/corpus.h"
#include "support/fake_host.h"
#include "support/fake_sources.h"
#include "support/temp_dir.h"

namespace edid {
namespace {

using Bytes = std::vector<std::uint8_t>;

class ExtensionFlows : public ::testing::Test {
 protected:
  std::string file(const std::string& name) const { return m_dir.file(name); }
  static void open(Program& program, test::FakeHost& host, const std::string& path) {
    host.fileNames.push_back(path);
    program.mnuFileOpen_Click();
  }
  static Bytes extensionOf(const Bytes& bytes) { return {bytes.begin() + kEdidSize, bytes.end()}; }

  test::TempDir m_dir{"edid_extension_flows"};
};

TEST_F(ExtensionFlows, EveryLongCorpusEdidSurvivesEditSaveReopenAndExport) {
  int checked = 0;
  for (const std::string& id : test::corpusIds()) {
    const Bytes original = test::corpusBytes(id);
    if (original.size() <= std::size_t(kEdidSize)) continue;
    test::writeBytes(file("in.bin"), test::asText(original));

    test::FakeHost host;
    Program program(host);
    program.Command2_Click();  // Modify on
    open(program, host, file("in.bin"));
    ASSERT_NE(program.screen(), nullptr) << id;
    EdidScreen& screen = *program.screen();
    EXPECT_TRUE(host.messages.empty()) << id;
    EXPECT_EQ(screen.image.extension(), extensionOf(original)) << id;
    // A raw file is no data file: Save must ask for one.
    EXPECT_EQ(program.common().CurrentFilePath, "") << id;

    // Edit byte 20 through the grid; the checksum follows, worked out here.
    Bytes edited(original.begin(), original.begin() + kEdidSize);
    edited[20] = edited[20] == 0xAA ? 0xBB : 0xAA;
    int sum = 0;
    for (int i = 0; i < kChecksumByte; ++i) sum += edited[std::size_t(i)];
    edited[kChecksumByte] = std::uint8_t((256 - sum % 256) % 256);
    screen.txtEdit_Change(20, ByteToHex(edited[20]));
    screen.txtEdit_KeyUp(20);
    ASSERT_EQ(screen.image.bytes(), edited) << id;
    EXPECT_EQ(screen.image.extension(), extensionOf(original)) << id;

    host.fileNames.push_back(file(id + ".DAT"));
    program.mnuFileSave_Click();
    ASSERT_TRUE(host.messages.empty()) << id << ": " << host.messages.front();

    test::FakeHost readerHost;
    Program reader(readerHost);
    open(reader, readerHost, file(id + ".DAT"));
    ASSERT_NE(reader.screen(), nullptr) << id;
    EXPECT_TRUE(readerHost.messages.empty()) << id;
    EXPECT_EQ(reader.screen()->image.bytes(), edited) << id;
    EXPECT_EQ(reader.screen()->image.extension(), extensionOf(original)) << id;

    // Byte 126 disagrees with the blocks in some corpus files: write them as they are.
    const bool miscounted = original[kExtensionFlagByte] != (original.size() / kEdidSize) - 1;
    readerHost.answers.push_back(true);
    readerHost.fileNames.push_back(file(id + ".bin"));
    reader.ExportBinary_Click();
    EXPECT_EQ(readerHost.questions.size(), miscounted ? 1u : 0u) << id;
    Bytes expected = edited;
    expected.insert(expected.end(), original.begin() + kEdidSize, original.end());
    EXPECT_EQ(test::readFile(file(id + ".bin")), test::asText(expected)) << id;
    ++checked;
  }
  EXPECT_GT(checked, 200);
}

TEST_F(ExtensionFlows, ExportAsksWhenByte126MiscountsTheBlocks) {
  // 6EE45059B11A: 256 bytes, byte 126 says 0. 3A17B088C99E: 128 bytes, byte 126 says 1.
  const std::vector<std::tuple<const char*, std::size_t, const char*>> cases = {
      {"6EE45059B11A", 256,
       "Byte 126 announces 0 extension blocks, but the image holds 1.\r\n\r\nWrite the file as it "
       "is?"},
      {"3A17B088C99E", 128,
       "Byte 126 announces 1 extension block, but the image holds none.\r\n\r\nWrite the file as "
       "it is?"}};
  for (const auto& [id, size, question] : cases) {
    const Bytes original = test::corpusBytes(id);
    ASSERT_EQ(original.size(), size) << id;
    test::writeBytes(file("in.bin"), test::asText(original));
    test::FakeHost host;
    Program program(host);
    open(program, host, file("in.bin"));

    // No: nothing is asked or written after it.
    host.fileNames.push_back(file("out.bin"));
    program.ExportBinary_Click();
    ASSERT_EQ(host.questions, std::vector<std::string>{question}) << id;
    EXPECT_TRUE(host.dialogs.size() == 1 && host.dialogs[0].title == "Open") << id;
    EXPECT_FALSE(std::filesystem::exists(file("out.bin"))) << id;

    // Yes: the file is written as the image holds it.
    host.answers.push_back(true);
    program.ExportBinary_Click();
    EXPECT_EQ(host.questions.size(), 2u) << id;
    EXPECT_EQ(test::readFile(file("out.bin")), test::asText(original)) << id;
    std::filesystem::remove(file("out.bin"));
  }

  // Byte 126 and the blocks agree: no question.
  test::writeBytes(file("in.bin"), test::asText(test::corpusBytes("FA6E41896752")));
  test::FakeHost host;
  Program program(host);
  open(program, host, file("in.bin"));
  host.fileNames.push_back(file("out.bin"));
  program.ExportBinary_Click();
  EXPECT_TRUE(host.questions.empty());
  EXPECT_EQ(test::readFile(file("out.bin")), test::readFile(file("in.bin")));
}

TEST_F(ExtensionFlows, BrokenAndForeignFilesOpenOrAreRefusedWithoutLoss) {
  const Bytes original = test::corpusBytes("FA6E41896752");
  test::FakeHost host;
  Program program(host);
  test::writeBytes(file("a.bin"), test::asText(original));
  open(program, host, file("a.bin"));
  const Image before = program.screen()->image;
  program.common().CurrentFilePath = "kept.DAT";

  // Text without an EDID: the one refusal, and nothing changes.
  test::writeBytes(file("notes.txt"), "Monitor notes\r\nModel: 8800\r\n");
  open(program, host, file("notes.txt"));
  EXPECT_EQ(host.messages, std::vector<std::string>{kInvalidDataFileMessage});
  EXPECT_EQ(program.screen()->image, before);

  // A damaged data file: the row and the cell named, nothing changed.
  std::string damaged =
      dataFileText(reportLinesOf(test::corpusImage("B323DBCD820B"), "", "", momentFromEpoch(0)));
  test::writeBytes(file("c.DAT"), damaged.replace(damaged.find(" 10  |") + 9, 1, " "));
  host.messages.clear();
  open(program, host, file("c.DAT"));
  EXPECT_EQ(host.messages, std::vector<std::string>{"The EDID code row 10 holds \"9\" in cell "
                                                    "10; a cell takes two hex digits"});
  EXPECT_EQ(program.screen()->image, before);
  EXPECT_EQ(program.common().CurrentFilePath, "kept.DAT");

  // A partial last block opens with the whole blocks and a warning naming the file.
  std::string longer = test::asText(original) + "\x01\x02\x03";
  test::writeBytes(file("b.bin"), longer);
  host.messages.clear();
  open(program, host, file("b.bin"));
  EXPECT_EQ(host.messages,
            std::vector<std::string>{file("b.bin") +
                                     "\r\n\r\nThe last 3 bytes do not fill a 128-byte block and "
                                     "are left out."});
  EXPECT_EQ(program.screen()->image, before);
  EXPECT_EQ(program.common().CurrentFilePath, "");

  // File New starts without extension blocks.
  host.answers.push_back(true);  // Are You Sure?
  program.mnuFileNew_Click();
  EXPECT_TRUE(program.screen()->image.extension().empty());
}

}  // namespace
}  // namespace edid
