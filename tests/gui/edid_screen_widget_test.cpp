// The decoding screen: grid, frames, colours, cell events and the section editors.
#include <QCheckBox>
#include <QLabel>

#include "editor_fixture.h"
#include "gui/shell/child_sub_window.h"

namespace edid::gui::test {
namespace {

QString hex(int value);

class EdidScreenWidgetTest : public EditorTest {
 protected:
  // The byte 127 that makes the shown cells 0-126 add up to a multiple of 256.
  QString checksumOfShownCells() {
    int sum = 0;
    for (int i = 0; i < 127; ++i) sum += cell(i)->text().toInt(nullptr, 16);
    return hex((256 - sum % 256) % 256);
  }
};

QColor base(QWidget* widget) {
  return widget->palette().color(QPalette::Base);
}
const QColor kSection(0xFF, 0xC0, 0xC0);
const QColor kField(0xFF, 0xFF, 0x80);

QString hex(int value) {
  return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

TEST_F(EdidScreenWidgetTest, GridHoldsTheImageInTabOrder) {
  loadCorpus(kCorpusId);
  const auto bytes = edid::test::corpusBytes(kCorpusId);
  for (int i = 0; i < 130; ++i) {
    QLineEdit* box = cell(i);
    EXPECT_EQ(box->text(), i < 128 ? hex(bytes[std::size_t(i)]) : QString()) << i;
    if (i > 0) {
      EXPECT_EQ(cell(i - 1)->nextInFocusChain(), box) << i;
    }
  }
  EXPECT_EQ(visibleFrames(), std::vector<int>{});
  EXPECT_EQ(child<QLineEdit>("txtRevision")->text(), QStringLiteral("3"));
}

TEST_F(EdidScreenWidgetTest, FocusShowsOneFrameColoursTheSectionAndLocksWithModifyOff) {
  loadCorpus(kCorpusId);
  clickCell(13);
  EXPECT_EQ(visibleFrames(), std::vector<int>{1});
  EXPECT_FALSE(frame(1)->isEnabled());
  for (int i = 8; i <= 17; ++i)
    EXPECT_EQ(base(cell(i)), (i >= 12 && i <= 15) ? kField : kSection) << i;
  EXPECT_EQ(base(cell(7)), QApplication::palette(cell(7)).color(QPalette::Base));
  for (int i : {0, 13, 127}) EXPECT_TRUE(cell(i)->isReadOnly()) << i;
  for (int k = 0; k < 5; ++k)
    EXPECT_EQ(child<QLabel>(qPrintable(QStringLiteral("lbVendor_%1").arg(k)))->autoFillBackground(),
              k == 2);

  clickCell(0);
  EXPECT_EQ(visibleFrames(), std::vector<int>{0});
  EXPECT_EQ(base(cell(13)), QApplication::palette(cell(13)).color(QPalette::Base));
  for (int i = 0; i <= 7; ++i) EXPECT_EQ(base(cell(i)), kField) << i;

  // The checksum frame moves its highlight between the two labels.
  clickCell(126);
  EXPECT_EQ(visibleFrames(), std::vector<int>{13});
  EXPECT_TRUE(child<QLabel>("lbEDID_6")->autoFillBackground());
  EXPECT_FALSE(child<QLabel>("lbEDID_7")->autoFillBackground());
  clickCell(127);
  EXPECT_FALSE(child<QLabel>("lbEDID_6")->autoFillBackground());
  EXPECT_TRUE(child<QLabel>("lbEDID_7")->autoFillBackground());
}

TEST_F(EdidScreenWidgetTest, LeavingACellWithThreeCharactersSendsTheFocusBack) {
  loadCorpus(kCorpusId);
  modifyOn();
  clickCell(30);
  QTest::keyClicks(cell(30), QStringLiteral("1A2"));
  QTest::keyClick(cell(30), Qt::Key_Tab);
  EXPECT_EQ(dialogs.messageTexts(), QStringList{"Please Make Your Values In Hex"});
  EXPECT_EQ(QApplication::focusWidget(), cell(30));
  EXPECT_EQ(visibleFrames(), std::vector<int>{4});  // still the section of cell 30

  // A refused cell keeps refusing until corrected; a key other than a hex digit is
  // refused at once and leaves the cell as it was.
  clickCell(40);
  EXPECT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(QApplication::focusWidget(), cell(30));
  cell(30)->selectAll();
  QTest::keyClicks(cell(30), QStringLiteral("zG"));
  EXPECT_EQ(dialogs.messageTexts().mid(2),
            QStringList(2, QStringLiteral("Please Make Your Values In Hex")));
  EXPECT_EQ(cell(30)->text(), QStringLiteral("1A2"));
  QTest::keyClicks(cell(30), QStringLiteral("c5"));
  clickCell(40);
  EXPECT_EQ(dialogs.messages.size(), 4u);
  EXPECT_EQ(QApplication::focusWidget(), cell(40));
  EXPECT_EQ(cell(30)->text(), QStringLiteral("C5"));
  EXPECT_EQ(visibleFrames(), std::vector<int>{8});
}

TEST_F(EdidScreenWidgetTest, AutoCellSeekPutsTheCaretIntoTheSectionInput) {
  loadCorpus(kCorpusId);
  modifyOn();
  QTest::mouseClick(button("Command3"), Qt::LeftButton);
  clickCell(19);
  QLineEdit* verRev = child<QLineEdit>("VerRev");
  EXPECT_EQ(QApplication::focusWidget(), verRev);
  EXPECT_EQ(verRev->selectedText(), QStringLiteral("3"));
  QTest::keyClicks(verRev, QStringLiteral("4"));
  QTest::keyClick(verRev, Qt::Key_Return);
  EXPECT_EQ(cell(19)->text(), QStringLiteral("04"));
  EXPECT_EQ(child<QLineEdit>("txtRevision")->text(), QStringLiteral("4"));

  clickCell(13);
  EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>("VendorInfo"));
}

TEST_F(EdidScreenWidgetTest, TimingCheckBoxesEditTheirBitOnlyWhenClicked) {
  const int byte35 = edid::test::corpusBytes(kCorpusId)[35];
  loadCorpus(kCorpusId);
  modifyOn();
  clickCell(35);
  auto* box = child<QCheckBox>("ET1_2");  // 640 X 480 @ 60Hz, bit 5
  EXPECT_EQ(box->isChecked(), (byte35 & 0x20) != 0);
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));  // on the box
  EXPECT_EQ(cell(35)->text(), hex(byte35 ^ 0x20));
  EXPECT_EQ(cell(127)->text(), checksumOfShownCells());

  // A decode that checks boxes from code writes nothing back.
  clickCell(36);
  const QString byte36 = cell(36)->text();
  clickCell(37);
  EXPECT_EQ(cell(36)->text(), byte36);
}

TEST_F(EdidScreenWidgetTest, ClosingWithUnsavedChangesAsksFirst) {
  loadCorpus(kCorpusId);
  modifyOn();
  clickCell(21);
  QTest::keyClicks(cell(21), QStringLiteral("5a"));
  ASSERT_TRUE(program().common().UnsavedChanges);

  dialogs.answers = {true};  // Yes, then the Save As dialog is cancelled
  ASSERT_NE(window->screenSubWindow(), nullptr) << "frmEDIDWindow";
  window->screenSubWindow()->close();
  flushDeletes();
  ASSERT_NE(window->screenSubWindow(), nullptr) << "frmEDIDWindow";
  EXPECT_TRUE(window->screenSubWindow()->isVisible());
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);

  dialogs.answers = {false};
  window->screenSubWindow()->close();
  flushDeletes();
  EXPECT_EQ(program().screen(), nullptr);
  EXPECT_FALSE(program().common().EdidScreenOpen);
  EXPECT_EQ(dialogs.fileRequests.size(), 1u);  // No writes nothing
  EXPECT_TRUE(window->mdiArea()->subWindowList().isEmpty());
}

}  // namespace
}  // namespace edid::gui::test
