#include "gui/screen/extension_block_pane.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>
#include <span>
#include <utility>

#include "core/common/extension_blocks.h"
#include "core/cta/cta861.h"
#include "gui/screen/cta_edit_pane.h"
#include "gui/screen/widget_mirror.h"

namespace edid::gui {

namespace {

constexpr int kColumns = 16;
constexpr int kRows = cta::kBlockSize / kColumns;
// Where an item's bytes lie, and those of the data block (or block) around it.
constexpr int kFirstRole = Qt::UserRole;
constexpr int kLengthRole = Qt::UserRole + 1;
constexpr int kBlockFirstRole = Qt::UserRole + 2;
constexpr int kBlockLengthRole = Qt::UserRole + 3;
// The data block or detailed timing (0-based) an item belongs to, for the editors.
constexpr int kDataBlockRole = Qt::UserRole + 4;
constexpr int kDtdRole = Qt::UserRole + 5;

void tag(QTreeWidgetItem* item, int role, int index) {
  item->setData(0, role, index);
  for (int i = 0; i < item->childCount(); ++i) tag(item->child(i), role, index);
}

int indexOf(const QTreeWidgetItem* item, int role) {
  const QVariant v = item ? item->data(0, role) : QVariant();
  return v.isValid() ? v.toInt() : -1;
}

const QColor kBlockColour(255, 244, 196);
const QColor kItemColour(255, 200, 120);

void addItems(QTreeWidgetItem* parent, const cta::Node& node, int blockFirst, int blockLength) {
  if (node.label.empty()) return;
  auto* item = new QTreeWidgetItem(parent, {toQt(node.label.str()), toQt(node.text.str())});
  item->setData(0, kFirstRole, node.offset);
  item->setData(0, kLengthRole, node.length);
  item->setData(0, kBlockFirstRole, blockFirst);
  item->setData(0, kBlockLengthRole, blockLength);
  for (const cta::Node& child : node.children) addItems(item, child, blockFirst, blockLength);
}

}  // namespace

ExtensionBlockPane::ExtensionBlockPane(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("extensionPane"));
  m_blocks = new QComboBox(this);
  m_blocks->setObjectName(QStringLiteral("extensionBlockChoice"));
  m_grid = new QTableWidget(kRows, kColumns, this);
  m_grid->setObjectName(QStringLiteral("extensionGrid"));
  m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_grid->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_grid->setSelectionMode(QAbstractItemView::NoSelection);
  QStringList columns;
  for (int c = 0; c < kColumns; ++c) columns << QString::number(c, 16).toUpper();
  m_grid->setHorizontalHeaderLabels(columns);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kColumns; ++c) {
      auto* cell = new QTableWidgetItem;
      cell->setTextAlignment(Qt::AlignCenter);
      m_grid->setItem(r, c, cell);
    }
  // All 128 bytes at once, never a scroll bar: the cells are sized for two digits
  // and the rows' captions for the largest offset.
  const QFontMetrics metrics(m_grid->font());
  QHeaderView* across = m_grid->horizontalHeader();
  QHeaderView* down = m_grid->verticalHeader();
  across->setSectionResizeMode(QHeaderView::Fixed);
  down->setSectionResizeMode(QHeaderView::Fixed);
  across->setDefaultSectionSize(metrics.horizontalAdvance(QStringLiteral("000")) + 6);
  down->setDefaultSectionSize(metrics.height() + 6);
  down->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("00000")) + 6);
  m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_grid->setFixedSize(
      down->width() + across->defaultSectionSize() * kColumns + 2 * m_grid->frameWidth(),
      across->sizeHint().height() + down->defaultSectionSize() * kRows + 2 * m_grid->frameWidth());
  m_tree = new QTreeWidget(this);
  m_tree->setObjectName(QStringLiteral("extensionTree"));
  m_tree->setHeaderLabels({tr("Item"), tr("Value")});
  m_tree->setMinimumWidth(320);

  m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
  m_edit = new CtaEditPane(this);
  m_edit->setEnabled(false);
  // Room for the widest controls (a VIC's name, an audio descriptor's rates) from the
  // start, so the screen opens wide enough and does not scroll once a block is chosen.
  m_edit->setMinimumWidth(QFontMetrics(font()).averageCharWidth() * 44);

  auto* grids = new QHBoxLayout;
  grids->addWidget(m_grid, 0, Qt::AlignTop);
  grids->addWidget(m_tree, 1);
  grids->addWidget(m_edit, 0, Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_blocks);
  layout->addLayout(grids, 1);

  connect(m_blocks, &QComboBox::currentIndexChanged, this, &ExtensionBlockPane::showBlock);
  connect(m_grid, &QTableWidget::cellClicked, this,
          [this](int row, int column) { selectByte(row * kColumns + column); });
  connect(m_tree, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { itemChosen(item); });
  connect(m_tree, &QTreeWidget::customContextMenuRequested, this, &ExtensionBlockPane::showMenu);
}

void ExtensionBlockPane::setEditable(bool editable) {
  m_editable = editable;
  m_edit->setEnabled(editable);
}

void ExtensionBlockPane::showMenu(const QPoint& at) {
  if (!m_editable || m_shown < 0) return;
  QTreeWidgetItem* item = m_tree->itemAt(at);
  QMenu menu(this);
  m_edit->show(m_extension, m_baseDtd, m_shown + 1, indexOf(item, kDataBlockRole),
               indexOf(item, kDtdRole));
  const bool isCta = m_extension[std::size_t(m_shown) * cta::kBlockSize] == cta::kCtaTag;
  m_edit->fillMenu(menu, isCta, indexOf(item, kDataBlockRole), indexOf(item, kDtdRole));
  menu.exec(m_tree->viewport()->mapToGlobal(at));
}

void ExtensionBlockPane::setExtension(const std::vector<std::uint8_t>& extension) {
  if (extension == m_extension && m_shown >= 0) return;
  m_extension = extension;
  const int keep = std::max(m_shown, 0);
  // After an edit the same data block or timing stays selected, so its pane stays open.
  m_reselect = m_chosen;
  m_reselectDtd = m_chosenDtd;
  m_shown = -1;
  const QSignalBlocker blocker(m_blocks);
  m_blocks->clear();
  const int count = static_cast<int>(extension.size()) / cta::kBlockSize;
  for (int i = 0; i < count; ++i)
    m_blocks->addItem(
        QStringLiteral("Block %1: %2")
            .arg(i + 1)
            .arg(toQt(extensionTagName(extension[std::size_t(i) * cta::kBlockSize]))));
  if (count > 0) showBlock(std::min(keep, count - 1));
}

void ExtensionBlockPane::showBlock(int index) {
  const int count = static_cast<int>(m_extension.size()) / cta::kBlockSize;
  if (index < 0 || index >= count) return;
  m_shown = index;
  if (m_blocks->currentIndex() != index) {
    const QSignalBlocker blocker(m_blocks);
    m_blocks->setCurrentIndex(index);
  }
  const auto bytes =
      std::span(m_extension)
          .subspan(std::size_t(index) * cta::kBlockSize, std::size_t(cta::kBlockSize));
  QStringList rows;
  for (int r = 0; r < kRows; ++r) {
    rows << QString::number((index + 1) * cta::kBlockSize + r * kColumns);
    for (int c = 0; c < kColumns; ++c)
      m_grid->item(r, c)->setText(
          QStringLiteral("%1")
              .arg(bytes[std::size_t(r * kColumns + c)], 2, 16, QLatin1Char('0'))
              .toUpper());
  }
  m_grid->setVerticalHeaderLabels(rows);
  m_tree->clear();
  QTreeWidgetItem* dataBlocks = nullptr;
  QTreeWidgetItem* timings = nullptr;
  const cta::Block block = cta::decodeBlock(bytes, index + 1);
  for (const cta::Node& node : block.root.children) {
    // A data block colours its own bytes; other items the whole block's.
    if (node.key == "data_blocks") {
      auto* list = new QTreeWidgetItem(m_tree, {toQt(node.label.str()), toQt(node.text.str())});
      dataBlocks = list;
      list->setData(0, kFirstRole, node.offset);
      list->setData(0, kLengthRole, node.length);
      list->setData(0, kBlockFirstRole, node.offset);
      list->setData(0, kBlockLengthRole, node.length);
      for (const cta::Node& dataBlock : node.children) {
        addItems(list, dataBlock, dataBlock.offset, dataBlock.length);
        tag(list->child(list->childCount() - 1), kDataBlockRole, list->childCount() - 1);
      }
      list->setExpanded(true);
      continue;
    }
    QTreeWidgetItem root;
    addItems(&root, node, node.offset, node.length);
    if (node.key == "detailed_timings" && root.childCount() == 1) {
      timings = root.child(0);
      for (int i = 0; i < timings->childCount(); ++i) tag(timings->child(i), kDtdRole, i);
    }
    m_tree->addTopLevelItems(root.takeChildren());
  }
  m_tree->resizeColumnToContents(0);
  paint(0, 0, 0, 0);
  m_edit->setVisible(bytes[0] == cta::kCtaTag);
  m_edit->show(m_extension, m_baseDtd, index + 1, -1);
  const int reselect = std::exchange(m_reselect, -1);
  const int reselectDtd = std::exchange(m_reselectDtd, -1);
  m_chosen = m_chosenDtd = -1;
  QTreeWidgetItem* again = nullptr;
  if (dataBlocks && reselect >= 0 && reselect < dataBlocks->childCount())
    again = dataBlocks->child(reselect);
  else if (timings && reselectDtd >= 0 && reselectDtd < timings->childCount())
    again = timings->child(reselectDtd);
  if (again) {
    m_tree->setCurrentItem(again);
    itemChosen(again);
  }
}

void ExtensionBlockPane::selectByte(int offset) {
  // The deepest item whose bytes hold the offset; an item of no bytes never wins.
  QTreeWidgetItem* best = nullptr;
  int bestDepth = -1;
  const std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
    const int first = item->data(0, kFirstRole).toInt();
    const int length = item->data(0, kLengthRole).toInt();
    if (length > 0 && offset >= first && offset < first + length && depth > bestDepth) {
      best = item;
      bestDepth = depth;
    }
    for (int i = 0; i < item->childCount(); ++i) walk(item->child(i), depth + 1);
  };
  for (int i = 0; i < m_tree->topLevelItemCount(); ++i) walk(m_tree->topLevelItem(i), 0);
  if (!best) {
    paint(0, 0, offset, 1);
    return;
  }
  m_tree->setCurrentItem(best);
  m_tree->scrollToItem(best);
  itemChosen(best);
}

void ExtensionBlockPane::itemChosen(QTreeWidgetItem* item) {
  if (!item) return;
  m_chosen = indexOf(item, kDataBlockRole);
  m_chosenDtd = indexOf(item, kDtdRole);
  m_edit->show(m_extension, m_baseDtd, m_shown + 1, m_chosen, m_chosenDtd);
  paint(item->data(0, kBlockFirstRole).toInt(), item->data(0, kBlockLengthRole).toInt(),
        item->data(0, kFirstRole).toInt(), item->data(0, kLengthRole).toInt());
}

void ExtensionBlockPane::paint(int blockFirst, int blockLength, int first, int length) {
  m_grid->clearSelection();
  for (int i = 0; i < cta::kBlockSize; ++i) {
    QTableWidgetItem* cell = m_grid->item(i / kColumns, i % kColumns);
    const bool inItem = i >= first && i < first + length;
    const bool inBlock = i >= blockFirst && i < blockFirst + blockLength;
    cell->setBackground(inItem ? kItemColour : inBlock ? kBlockColour : QBrush());
    cell->setSelected(inItem);
  }
}

}  // namespace edid::gui
