#include "gui/check/problems_pane.h"

#include <QHeaderView>
#include <QStyle>
#include <QTreeWidget>

namespace edid::gui {

namespace {

QString fromStd(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Opens about seven findings high, so the decoding screen above keeps its room.
class FindingList : public QTreeWidget {
 public:
  using QTreeWidget::QTreeWidget;
  QSize sizeHint() const override {
    return {QTreeWidget::sizeHint().width(),
            header()->sizeHint().height() + 7 * (fontMetrics().height() + 4) + 2 * frameWidth()};
  }
};

}  // namespace

ProblemsPane::ProblemsPane(QWidget* parent) : QDockWidget(QStringLiteral("Problems"), parent) {
  setObjectName(QStringLiteral("dockProblems"));
  m_list = new FindingList(this);
  m_list->setObjectName(QStringLiteral("lstProblems"));
  m_list->setRootIsDecorated(false);
  m_list->setUniformRowHeights(true);
  m_list->setHeaderLabels({QStringLiteral("Where"), QStringLiteral("Problem")});
  m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  m_list->header()->setStretchLastSection(true);
  setWidget(m_list);
  connect(m_list, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { activate(item); });
  connect(m_list, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { activate(item); });
}

void ProblemsPane::setFindings(const std::vector<check::Finding>& findings) {
  if (findings == m_findings && m_list->topLevelItemCount() == int(findings.size())) return;
  m_findings = findings;
  m_list->clear();
  const QIcon failure = style()->standardIcon(QStyle::SP_MessageBoxCritical);
  const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
  int row = 0;
  for (const check::Finding& f : findings) {
    auto* item = new QTreeWidgetItem(m_list);
    const bool isFailure = f.severity == check::Severity::Failure;
    item->setIcon(0, isFailure ? failure : warning);
    item->setText(0, fromStd(check::locationText(f)));
    item->setText(1, fromStd(f.message));
    item->setToolTip(1, fromStd(check::findingLine(f)));
    item->setData(0, Qt::UserRole, row++);
  }
}

void ProblemsPane::activate(QTreeWidgetItem* item) {
  const int row = item ? item->data(0, Qt::UserRole).toInt() : -1;
  if (row < 0 || row >= int(m_findings.size())) return;
  emit byteChosen(m_findings[std::size_t(row)].block, m_findings[std::size_t(row)].first);
}

}  // namespace edid::gui
