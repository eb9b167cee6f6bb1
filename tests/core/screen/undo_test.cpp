// Undo and redo over each kind of edit. Expected bytes are worked out by hand from
// the VESA layout of 000CCAC2C577 (checksum 0C): each row lists the bytes it changes.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "core/screen/basic_display_screen.h"
#include "core/screen/detailed_timing_screen.h"
#include "core/screen/option_groups.h"
#include "screen_fixture.h"
#include "support/corpus.h"

namespace edid::test {
namespace {

class UndoTest : public ScreenFixture {
 protected:
  void SetUp() override {
    setModes(true, false);
    load(file);
  }
  Image file = corpusImage("000CCAC2C577");

  // The file with bytes "C=XX" or "A-B=XX" changed.
  Image fileWith(const std::string& bytes) const {
    Image image = file;
    std::istringstream in(bytes);
    for (std::string change; in >> change;) {
      const int first = std::stoi(change), equals = int(change.find('='));
      const int last = change.find('-') < change.find('=')
                           ? std::stoi(change.substr(change.find('-') + 1))
                           : first;
      for (int i = first; i <= last; ++i)
        image.setByte(i, std::stoi(change.substr(equals + 1), nullptr, 16));
    }
    return image;
  }
  void typePair(int index, const std::string& pair) {
    focusCell(index);
    for (std::size_t n = 1; n <= pair.size(); ++n) typeInto(index, pair.substr(0, n));
    screen.txtEdit_LostFocus(index);
  }
};

struct Edit {
  const char* label;
  std::function<void()> act;
  const char* bytes;  ///< every byte changed so far, the checksum included
};

TEST_F(UndoTest, EachKindOfEditIsOneStepUndoneAndRedoneWithItsChecksum) {
  const std::vector<Edit> edits = {
      // Byte 36 EF -> 3C: the checksum rises by 179.
      {"Cell 36", [this] { typePair(36, "3C"); }, "36=3C 127=BF"},
      // 65 MHz = 6500 = 0x1964 in 10 kHz units, low byte first.
      {"Pixel Clock",
       [this] {
         focusCell(54);
         selectOption(screen.section<DetailedTimingScreen>().detailed.DT, 0);
         screen.section<DetailedTimingScreen>().detailed.DTInput.text = "65";
         screen.section<DetailedTimingScreen>().DTInput_KeyUp(13);
       },
       "36=3C 54=64 55=19 127=9C"},
      // Stand-By is bit 7 of byte 24.
      {"Stand-By",
       [this] {
         focusCell(24);
         screen.section<BasicDisplayScreen>().basic.FSupport[0].value = true;
         screen.section<BasicDisplayScreen>().FSupport_Click(0);
       },
       "36=3C 54=64 55=19 24=AE 127=1C"},
      // The range limits block at 90 blanked into an empty serial number (tag FF).
      {"Block Reset",
       [this] {
         focusCell(93);
         screen.section<DetailedTimingScreen>().Hints_DblClick(9);
       },
       "36=3C 54=64 55=19 24=AE 93=FF 95-99=00 101-107=00 127=DF"},
  };
  for (const Edit& edit : edits) {
    edit.act();
    EXPECT_EQ(screen.image, fileWith(edit.bytes)) << edit.label;
    EXPECT_EQ(screen.document.undoLabel(), edit.label);
  }
  for (std::size_t k = edits.size(); k-- > 0;) {
    ASSERT_TRUE(screen.undo());
    EXPECT_EQ(screen.image, k ? fileWith(edits[k - 1].bytes) : file) << edits[k].label;
    EXPECT_EQ(screen.document.redoLabel(), edits[k].label);
  }
  // Back at the file: nothing unsaved, nothing more to undo.
  EXPECT_FALSE(common.UnsavedChanges);
  EXPECT_FALSE(screen.undo());
  ASSERT_TRUE(screen.redo());
  EXPECT_EQ(screen.image, fileWith(edits[0].bytes));
  EXPECT_TRUE(common.UnsavedChanges);
  // The frame on show follows: cell 93's descriptor is the range limits block again.
  EXPECT_EQ(screen.DescriptorTag, "FD");

  // A new edit drops the redo branch; one typed digit and its padding are one step.
  typePair(35, "5");
  EXPECT_EQ(screen.image, fileWith("36=3C 35=05 127=79"));
  EXPECT_FALSE(screen.document.canRedo());
  ASSERT_TRUE(screen.undo());
  EXPECT_EQ(screen.image, fileWith(edits[0].bytes));
  EXPECT_EQ(screen.document.undoLabel(), "Cell 36");
}

TEST_F(UndoTest, TheSavedImageDecidesWhatIsUnsaved) {
  typePair(36, "3C");
  common.markSaved(screen.image);
  typePair(37, "00");
  EXPECT_TRUE(common.UnsavedChanges);
  common.ReportRefreshPending = false;
  screen.undo();
  EXPECT_FALSE(common.UnsavedChanges);
  EXPECT_TRUE(common.ReportRefreshPending) << "an open report follows the undo";
  screen.undo();
  EXPECT_TRUE(common.UnsavedChanges);
  EXPECT_EQ(screen.image, file);
}

// Undo and redo themselves mark the report stale, whatever the screen does after.
TEST(DocumentUndo, UndoAndRedoMarkTheReportStale) {
  Common common;
  Document document(common);
  document.load(test::corpusImage("000CCAC2C577"));
  document.write({{20, "AA"}}, "Cell 20");
  for (const auto& move : {&Document::undo, &Document::redo}) {
    common.ReportRefreshPending = false;
    ASSERT_TRUE((document.*move)());
    EXPECT_TRUE(common.ReportRefreshPending);
    EXPECT_EQ(common.LastImage, document.image().byteTexts());
  }
}

TEST_F(UndoTest, WhatChangesNoByteAddsNoStep) {
  const std::vector<std::pair<const char*, std::function<void()>>> rows = {
      {"refused entry",
       [this] {
         focusCell(54);
         selectOption(screen.section<DetailedTimingScreen>().detailed.DT, 0);
         screen.section<DetailedTimingScreen>().detailed.DTInput.text = "700";
         screen.section<DetailedTimingScreen>().DTInput_KeyUp(13);
       }},
      {"decode", [this] { screen.BuildEDIDDefinations(); }},
      {"option already set",
       [this] {
         focusCell(24);
         screen.section<BasicDisplayScreen>().FSupport_Click(
             1);  // Suspend: bit 6 of 2E is already off
       }},
      {"focus move", [this] { focusCell(20); }},
      {"same text", [this] { typePair(36, "EF"); }},
      {"click with Modify off",
       [this] {
         setModes(false, false);
         focusCell(24);
         screen.section<BasicDisplayScreen>().basic.FSupport[0].value = true;
         screen.section<BasicDisplayScreen>().FSupport_Click(0);
       }},
  };
  for (const auto& [name, act] : rows) {
    act();
    EXPECT_FALSE(screen.document.canUndo()) << name;
    EXPECT_EQ(screen.image, file) << name;
  }
}

TEST_F(UndoTest, FileNewStartsAnEmptyHistory) {
  typePair(36, "3C");
  screen.resetToNewImage();
  EXPECT_FALSE(screen.document.canUndo());
  // 00 FF*6 00 adds up to 6 * 255 = 250 (mod 256): the checksum is 06.
  Image fresh = Image::fromBytes({0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0});
  fresh.setByte(127, 0x06);
  EXPECT_EQ(screen.image, fresh);
}

}  // namespace
}  // namespace edid::test
