// The Edit menu shows the decoding screen's history; Ctrl+Z and Ctrl+Y in a grid cell
// move the document, not the cell's own text.
#include "editor_fixture.h"

namespace edid::gui::test {
namespace {

class UndoRedoTest : public EditorTest {};

TEST_F(UndoRedoTest, TheEditMenuFollowsTheHistoryAndTheGridKeysMoveIt) {
  struct Row {
    const char* step;
    std::function<void()> act;
    QString cell36, undo, redo;
    bool modified;
  };
  // 000CCAC2C577's byte 36 is EF.
  const std::vector<Row> rows = {
      {"loaded", [this] {}, "EF", "&Undo", "&Redo", false},
      {"typed pair",
       [this] {
         clickCell(36);
         QTest::keyClicks(cell(36), QStringLiteral("3c"));
       },
       "3C", "&Undo Cell 36", "&Redo", true},
      {"Ctrl+Z in the cell", [this] { QTest::keyClick(cell(36), Qt::Key_Z, Qt::ControlModifier); },
       "EF", "&Undo", "&Redo Cell 36", false},
      {"Ctrl+Y in the cell", [this] { QTest::keyClick(cell(36), Qt::Key_Y, Qt::ControlModifier); },
       "3C", "&Undo Cell 36", "&Redo", true},
      {"File New", [this] { trigger("mnuFileNew"); }, "00", "&Undo", "&Redo", false},
  };
  loadCorpus(kCorpusId);
  modifyOn();
  dialogs.choices = {Answer::No};  // "Save Changes?"
  dialogs.answers = {true};        // "Are You Sure?"
  for (const Row& row : rows) {
    row.act();
    EXPECT_EQ(cell(36)->text(), row.cell36) << row.step;
    EXPECT_EQ(action("mnuEditUndo")->text(), row.undo) << row.step;
    EXPECT_EQ(action("mnuEditRedo")->text(), row.redo) << row.step;
    EXPECT_EQ(action("mnuEditUndo")->isEnabled(), row.undo != "&Undo") << row.step;
    EXPECT_EQ(action("mnuEditRedo")->isEnabled(), row.redo != "&Redo") << row.step;
    EXPECT_EQ(screen()->isWindowModified(), row.modified) << row.step;
  }
}

}  // namespace
}  // namespace edid::gui::test
