// The Problems pane and its count in the status bar: the conformance findings of
// the image on the decoding screen, checked again whenever the image changes.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>

#include "core/check/conformance.h"
#include "core/shell/program.h"
#include "gui/check/problems_pane.h"
#include "gui/screen/edid_screen_widget.h"
#include "gui/screen/extension_block_pane.h"
#include "gui/shell/child_sub_window.h"
#include "gui/shell/main_window.h"

namespace edid::gui {

void MainWindow::createProblemsPane() {
  m_problems = new ProblemsPane(this);
  m_problems->setAllowedAreas(Qt::AllDockWidgetAreas);
  addDockWidget(Qt::BottomDockWidgetArea, m_problems);
  m_problems->hide();
  connect(m_problems, &ProblemsPane::byteChosen, this, &MainWindow::focusByte);

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  view->setObjectName(QStringLiteral("mnuView"));
  QAction* toggle = m_problems->toggleViewAction();
  toggle->setObjectName(QStringLiteral("mnuViewProblems"));
  view->addAction(toggle);

  m_problemsPanel = new QLabel(statusBar());
  m_problemsPanel->setObjectName(QStringLiteral("sbStatusBar_problems"));
  statusBar()->addPermanentWidget(m_problemsPanel);
  m_problemsPanel->hide();
}

void MainWindow::mirrorProblems() {
  if (!m_problems) return;
  const EdidScreen* screen = m_destroying ? nullptr : m_program->screen();
  if (!screen) {
    m_checkedImage.reset();
    m_problems->setFindings({});
    m_problemsPanel->hide();
    return;
  }
  // Only a changed image is checked again.
  if (m_checkedImage && *m_checkedImage == screen->image) return;
  m_checkedImage = std::make_unique<Image>(screen->image);
  const bool failedBefore = check::hasFailure(m_problems->findings());
  const std::vector<check::Finding> findings = check::checkImage(screen->image);
  m_problems->setFindings(findings);
  m_problemsPanel->setText(QString::fromStdString(check::summaryText(findings)));
  m_problemsPanel->show();
  // A new failure brings the pane up; closing it again is the user's choice.
  if (check::hasFailure(findings) && !failedBefore) m_problems->show();
}

void MainWindow::focusByte(int block, int byte) {
  if (!m_screenWidget) return;
  if (m_screenSub) activateChildWindow(ChildWindow::EdidScreen);
  if (block == 0) {
    if (QLineEdit* cell = m_screenWidget->cell(byte)) cell->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (QTabWidget* tabs = m_screenWidget->extensionArea()) tabs->setCurrentIndex(0);
  ExtensionBlockPane* pane = m_screenWidget->extensionPane();
  pane->showBlock(block - 1);
  pane->selectByte(byte);
}

}  // namespace edid::gui
