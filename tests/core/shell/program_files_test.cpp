// The File menu flows against real files in a temporary folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "core/common/data_file.h"
#include "core/common/text.h"
#include "core/screen/monitor_descriptor_screen.h"
#include "core/shell/program.h"
#include "support/corpus.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace edid {
namespace {

namespace fs = std::filesystem;

using test::writeText;

class FileFlows : public ::testing::Test {
 protected:
  std::string file(const std::string& name) const { return m_dir.file(name); }

  // Loads a corpus image as if it had been retrieved: no file yet, nothing unsaved.
  EdidScreen& load(const std::string& id) {
    EdidScreen& screen = program.showScreen();
    screen.document.load(test::corpusImage(id));
    screen.BuildEDIDDefinations();
    program.common().markSaved(screen.image);
    return screen;
  }
  // Makes an unsaved change the way an edit does.
  void edit() {
    if (!program.common().ModifyMode) program.Command2_Click();
    EdidScreen& screen = *program.screen();
    screen.txtEdit_Change(20, screen.image.cell(20) == "AA" ? "BB" : "AA");
    screen.txtEdit_KeyUp(20);
    ASSERT_TRUE(program.common().UnsavedChanges);
  }
  void saveAs(const std::string& path) {
    host.fileNames.push_back(path);
    program.mnuFileSaveAs_Click();
  }
  void open(const std::string& path) {
    host.fileNames.push_back(path);
    program.mnuFileOpen_Click();
  }

  test::TempDir m_dir{"edid_file_flows"};
  const fs::path& folder = m_dir.path;
  test::FakeHost host;
  Program program{host};
};

TEST_F(FileFlows, OpenLoadsTheFileAndStartsCleanTracking) {
  load("000CCAC2C577");
  saveAs(file("a.DAT"));
  const std::string text = test::readFile(file("a.DAT"));
  // Spacing elements are not written; only a block's own text holds empty lines.
  const auto blocks = text.find(") Detailed Timing / Descriptor Block ");
  ASSERT_NE(blocks, std::string::npos);
  EXPECT_EQ(text.substr(0, blocks).find("\r\n\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_NE(text.find("\r\n128 BYTES OF EDID CODE:\r\n         0   1"), std::string::npos);

  Program reader(host);
  reader.Command2_Click();  // Modify on: the focus on cell 0 recomputes the checksum
  host.fileNames.push_back(file("a.DAT"));
  reader.mnuFileOpen_Click();
  ASSERT_NE(reader.screen(), nullptr);
  EXPECT_EQ(reader.screen()->caption, file("a.DAT"));
  EXPECT_EQ(reader.common().ManufacturerText, "VSC");
  EXPECT_FALSE(reader.common().UnsavedChanges);
  EXPECT_EQ(reader.common().SavedImage, reader.screen()->image.byteTexts());
}

TEST_F(FileFlows, ALaterBarInTheReportKeepsTheFileReadable) {
  // Block 90 becomes the name "Mon|tor|Name", which the report prints after the dump.
  Image named = test::corpusImage("000CCAC2C577");
  const std::string name("\0\0\0\xFC\0Mon|tor|Name\n", 18);
  for (std::size_t i = 0; i < name.size(); ++i)
    named.setByte(90 + static_cast<int>(i), static_cast<unsigned char>(name[i]));
  named.setByte(127, named.correctChecksum());
  load("000CCAC2C577").document.load(named);
  saveAs(file("bars.DAT"));
  open(file("bars.DAT"));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(program.screen()->image.byteTexts(), named.byteTexts());
}

TEST_F(FileFlows, SaveAsOntoAnExistingFile) {
  load("000CCAC2C577");
  writeText(file("old.DAT"), "old");
  edit();
  saveAs(file("old.DAT"));  // answered No
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0], file("old.DAT") + "\r\n\r\nExisits! Do you want to Replace it?");
  EXPECT_EQ(test::readFile(file("old.DAT")), "old");
  EXPECT_EQ(program.common().CurrentFilePath, "");

  // The next Save asks for a name; Yes to the question replaces the file.
  host.fileNames.push_back(file("old.DAT"));
  host.answers.push_back(true);
  program.mnuFileSave_Click();
  EXPECT_EQ(host.dialogs.size(), 2u);
  EXPECT_NE(test::readFile(file("old.DAT")).find("128 BYTES OF EDID CODE:"), std::string::npos);
  EXPECT_EQ(program.common().CurrentFilePath, file("old.DAT"));

  // Save with a name writes without asking.
  edit();
  program.mnuFileSave_Click();
  EXPECT_EQ(host.dialogs.size(), 2u);
  EXPECT_FALSE(program.common().UnsavedChanges);
}

TEST_F(FileFlows, AFailedSaveKeepsTheOldFileAndTheChanges) {
  load("000CCAC2C577");
  // A name longer than any file system allows.
  const std::string path = file(std::string(256, 'n'));
  saveAs(path);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], "Cannot save " + path + ": File name too long");

  saveAs(file("good.DAT"));
  edit();
  fs::remove_all(folder);
  program.mnuFileSave_Click();
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[1], "Cannot save " + file("good.DAT") + ": No such file or directory");
  EXPECT_TRUE(program.common().UnsavedChanges);

  // Closing asks, the save fails again, and the screen stays.
  host.answers.push_back(true);
  EXPECT_FALSE(program.closeScreen());
  EXPECT_NE(program.screen(), nullptr);
}

// Writes half of what it is given, then fails as a full disk does.
std::size_t writeHalfThenFail(const char* data, std::size_t size, std::FILE* file) {
  const std::size_t written = std::fwrite(data, 1, size / 2, file);
  errno = ENOSPC;
  return written;
}

TEST_F(FileFlows, SaveReplacesTheFileWholeOrNotAtAll) {
  load("000CCAC2C577");
  saveAs(file("a.DAT"));
  const std::string first = test::readFile(file("a.DAT"));
  // A hard link shares the old file's data: a rename leaves it alone, while a copy
  // over the target or a write into it would change what the link shows.
  fs::create_hard_link(file("a.DAT"), file("link.DAT"));
  edit();
  program.mnuFileSave_Click();
  ASSERT_TRUE(host.messages.empty()) << host.messages[0];
  EXPECT_EQ(test::readFile(file("link.DAT")), first);
  const std::string second = test::readFile(file("a.DAT"));
  EXPECT_NE(second, first);
  EXPECT_NE(second.find("\r\n  0  |  00  FF  FF  FF  FF  FF  FF  00  5A  63\r\n"),
            std::string::npos);

  // A write that stops half-way keeps the old file whole and the changes unsaved.
  edit();
  const FileWriter previous = setFileWriter(&writeHalfThenFail);
  program.mnuFileSave_Click();
  setFileWriter(previous);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], "Cannot save " + file("a.DAT") + ": No space left on device");
  EXPECT_EQ(test::readFile(file("a.DAT")), second);
  EXPECT_TRUE(program.common().UnsavedChanges);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.DAT", "link.DAT"}));
}

TEST_F(FileFlows, OpenWithUnsavedChangesAsksFirst) {
  load("000CCAC2C577");
  saveAs(file("a.DAT"));
  load("FA6E41896752");
  program.common().CurrentFilePath.clear();
  edit();

  // Yes, then the Save As dialog is cancelled: the Open stops before its dialog.
  host.answers.push_back(true);
  program.mnuFileOpen_Click();
  EXPECT_EQ(host.dialogs.back().title, "Save As");
  EXPECT_TRUE(program.common().UnsavedChanges);

  // No: the Open goes on without saving.
  open(file("a.DAT"));
  EXPECT_EQ(host.questions.size(), 2u);
  EXPECT_EQ(program.common().ManufacturerText, "VSC");
  EXPECT_FALSE(program.common().UnsavedChanges);
}

// A model taken from the name descriptor follows its edits, in the box and in the
// report, until the user types a model of their own.
TEST_F(FileFlows, TheModelFollowsTheNameDescriptor) {
  const auto bytes = test::corpusBytes("1953CCF64283");  // name "TFT1780", no list line
  writeText(file("aoc.bin"), std::string(bytes.begin(), bytes.end()));
  program.modelListFolders = {EDID_TEST_DATA_DIR};
  program.Command2_Click();
  open(file("aoc.bin"));
  EdidScreen& screen = *program.screen();
  EXPECT_EQ(screen.txtModel.text, "TFT1780");
  screen.setFocusToCell(110);
  screen.section<MonitorDescriptorScreen>().descriptor.DTaInput.text = "ABC";
  screen.section<MonitorDescriptorScreen>().DTaInput_KeyUp(13);
  EXPECT_EQ(screen.txtModel.text, "ABC");
  program.BuildReport();
  EXPECT_NE(program.reportText().find("DDCTest For: AOC ABC\r\n"), std::string::npos);

  screen.txtModel.text = "Mine";
  screen.section<MonitorDescriptorScreen>().descriptor.DTaInput.text = "XYZ";
  screen.section<MonitorDescriptorScreen>().DTaInput_KeyUp(13);
  EXPECT_EQ(screen.txtModel.text, "Mine");
}

TEST_F(FileFlows, CancelAtSaveChangesKeepsEverything) {
  load("000CCAC2C577");
  saveAs(file("kept.DAT"));
  edit();
  const Image edited = program.screen()->image;
  const auto cancelled = [&](const char* flow) {
    SCOPED_TRACE(flow);
    EXPECT_EQ(host.questions.back(), "Save Changes?");
    ASSERT_NE(program.screen(), nullptr);
    EXPECT_EQ(program.screen()->image, edited);
    EXPECT_TRUE(program.common().UnsavedChanges);
    EXPECT_TRUE(host.dialogs.size() == 1u) << "no file dialog after Cancel";
  };

  host.choices = {Answer::Cancel};
  EXPECT_FALSE(program.closeScreen());
  cancelled("close");
  host.choices = {Answer::Cancel};
  EXPECT_FALSE(program.closeAll());
  cancelled("exit");
  host.choices = {Answer::Cancel};
  program.mnuFileNew_Click();
  cancelled("new");
  host.choices = {Answer::Cancel};
  program.mnuFileOpen_Click();
  cancelled("open");
  EXPECT_EQ(host.questions.size(), 4u) << "Cancel asks nothing more";

  // No goes on without saving; the old file keeps the saved image.
  host.choices = {Answer::No};
  EXPECT_TRUE(program.closeScreen());
  EXPECT_EQ(program.screen(), nullptr);
  open(file("kept.DAT"));
  EXPECT_EQ(program.screen()->image, test::corpusImage("000CCAC2C577"));
}

}  // namespace
}  // namespace edid
