// Print, Page Setup and Print Preview as the program runs them, with a scripted printer.
#include <gtest/gtest.h>

#include "core/shell/program.h"
#include "support/corpus.h"
#include "support/fake_host.h"

namespace edid {
namespace {

// Records the order of what the program asked for.
class PrinterHost : public test::FakeHost {
 public:
  std::vector<std::string> events;
  bool choose = true;
  Status printed = success();

  void showDocument(const std::string& text, bool inBackground) override {
    FakeHost::showDocument(text, inBackground);
    events.push_back(inBackground ? "build hidden" : "show");
  }
  bool choosePrinter(const std::string& title, bool selection) override {
    events.push_back(title + (selection ? " with selection" : ""));
    return choose;
  }
  Status printDocument() override {
    events.push_back("print");
    return printed;
  }
  void closeWindow(ChildWindow window) override {
    if (window == ChildWindow::Document) events.push_back("close document");
  }
  Status previewDocument() override {
    events.push_back("preview");
    return success();
  }
};

TEST(ProgramPrint, DialogFirstThenTheHiddenReportIsPrintedAndClosed) {
  PrinterHost host;
  Program program(host);
  program.mnuFilePrint_Click(ChildWindow::Document, true);  // no image
  EXPECT_TRUE(host.events.empty());

  program.showScreen().image = test::corpusImage("000CCAC2C577");
  program.screen()->BuildEDIDDefinations();
  program.mnuFilePrint_Click(ChildWindow::None, false);  // no active child window
  EXPECT_TRUE(host.events.empty());

  host.choose = false;
  program.mnuFilePrint_Click(ChildWindow::EdidScreen, false);
  EXPECT_EQ(host.events, std::vector<std::string>{"Print"});  // cancel builds nothing

  host.choose = true;
  host.events.clear();
  program.ShowReport(false);
  program.mnuFilePrint_Click(ChildWindow::Document, true);
  EXPECT_EQ(host.events, (std::vector<std::string>{"show", "Print with selection", "build hidden",
                                                   "print", "close document"}));
  EXPECT_FALSE(program.common().DocumentOpen);
  ASSERT_EQ(host.documents.size(), 2u);
  EXPECT_NE(host.documents[1].find("128 BYTES OF EDID CODE:"), std::string::npos);
  EXPECT_TRUE(host.messages.empty());

  // A printer that fails says so, and the window still goes.
  host.events.clear();
  host.printed = failure("Cannot print: the printer did not start");
  program.mnuFilePrint_Click(ChildWindow::EdidScreen, false);
  EXPECT_EQ(host.events,
            (std::vector<std::string>{"Print", "build hidden", "print", "close document"}));
  EXPECT_EQ(host.messages, std::vector<std::string>{"Cannot print: the printer did not start"});

  host.events.clear();
  program.mnuFilePrintPreview_Click();
  EXPECT_EQ(host.events, (std::vector<std::string>{"show", "preview"}));
  EXPECT_TRUE(program.common().DocumentOpen);
}

}  // namespace
}  // namespace edid
