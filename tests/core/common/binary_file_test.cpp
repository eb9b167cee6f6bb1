// The binary export: the replace-only-when-complete write and the
// File menu flow around it.
#include "core/common/binary_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/shell/program.h"
#include "support/as_user.h"
#include "support/corpus.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace edid {
namespace {

namespace fs = std::filesystem;

using test::TempDir;
using test::writeText;

TEST(BinaryFile, AReadOnlyFolderKeepsTheOldFile) {
  TempDir dir;
  const fs::path folder = dir.path / "locked";
  fs::create_directory(folder);
  const std::string target = (folder / "old.bin").string();
  writeText(target, "old contents");
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read |
                              fs::perms::others_exec);
  // The image is read before root is dropped: the child may not reach the corpus.
  const Image image = test::corpusImage("000CCAC2C577");
  const std::string said = test::asOrdinaryUser([&] {
    const Status status = exportBinaryFile(target, image);
    return status.ok() ? std::string("ok") : status.error();
  });
  fs::permissions(folder, fs::perms::owner_all);
  EXPECT_EQ(said, "Cannot export " + target + ": Permission denied");
  EXPECT_EQ(test::readFile(target), "old contents");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

class ExportFlow : public ::testing::Test {
 protected:
  test::FakeHost host;
  Program program{host};
  TempDir dir;
};

TEST_F(ExportFlow, AsksForANameConfirmsAReplaceAndLeavesTheDataFileAlone) {
  program.ExportBinary_Click();  // no decoding screen: nothing at all
  EXPECT_TRUE(host.dialogs.empty());

  program.mnuFileNew_Click();
  program.common().CurrentFilePath = "monitor.DAT";
  program.ExportBinary_Click();  // cancelled
  ASSERT_EQ(host.dialogs.size(), 1u);
  EXPECT_EQ(host.dialogs[0].title, "Save As");
  EXPECT_EQ(host.dialogs[0].filter, "All Files (*.*)|*.*");

  const std::string target = dir.file("out.bin");
  writeText(target, "keep me");
  host.fileNames = {target};
  host.answers = {false};
  program.ExportBinary_Click();
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0], target + "\r\n\r\nExisits! Do you want to Replace it?");
  EXPECT_EQ(test::readFile(target), "keep me");

  host.fileNames = {target};
  host.answers = {true};
  program.ExportBinary_Click();
  // File New's image: the header, zeros, and the checksum 0x100 - (6 * 0xFF mod 0x100) = 0x06.
  std::string fresh(128, '\0');
  for (int i = 1; i <= 6; ++i) fresh[std::size_t(i)] = '\xFF';
  fresh[127] = '\x06';
  EXPECT_EQ(test::readFile(target), fresh);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(program.common().CurrentFilePath, "monitor.DAT");
  EXPECT_FALSE(program.common().UnsavedChanges);

  host.fileNames = {dir.file("none/out.bin")};
  program.ExportBinary_Click();
  EXPECT_EQ(host.messages, std::vector<std::string>{"Cannot export " + dir.file("none/out.bin") +
                                                    ": No such file or directory"});
}

}  // namespace
}  // namespace edid
