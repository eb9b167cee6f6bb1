// The file dialog filters the core asks for, in Qt's form.
#include <gtest/gtest.h>

#include "gui/shell/dialogs.h"
#include "gui/shell/editor_settings.h"

namespace edid::gui::test {
namespace {

TEST(DialogsTest, FiltersTakeQtsFormWithLowerCasePatterns) {
  EXPECT_EQ(qtFileFilter(QStringLiteral("EDID/DDC Data Files (*.DAT)|*.DAT")),
            QStringLiteral("EDID/DDC Data Files (*.DAT *.dat)"));
  EXPECT_EQ(qtFileFilter(QStringLiteral("All Files (*.*)|*.*")), QStringLiteral("All Files (*.*)"));
  EXPECT_EQ(qtFileFilter(QStringLiteral("Binary EDID (*.BIN)|*.BIN;*.EDID|All Files (*.*)|*.*")),
            QStringLiteral("Binary EDID (*.BIN *.EDID *.bin *.edid);;All Files (*.*)"));
  EXPECT_EQ(qtFileFilter(QString()), QString());
}

TEST(DialogsTest, MessagesShowCrLfAsLineBreaks) {
  EXPECT_EQ(messageText(QStringLiteral("/tmp/a.DAT\r\n\r\nExisits! Do you want to Replace it?")),
            QStringLiteral("/tmp/a.DAT\n\nExisits! Do you want to Replace it?"));
}

TEST(DialogsTest, SettingsLiveUnderAFileSafeFormOfTheTitle) {
  EXPECT_EQ(settingsName(), QStringLiteral("EDID - DDC EnCoding and Decoding Program"));
}

}  // namespace
}  // namespace edid::gui::test
