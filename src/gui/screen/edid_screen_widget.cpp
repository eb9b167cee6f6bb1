#include "gui/screen/edid_screen_widget.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/common/extension_blocks.h"
#include "core/cta/cta_edit.h"
#include "gui/screen/cta_edit_pane.h"
#include "gui/screen/extension_block_pane.h"
#include "gui/screen/widget_mirror.h"
#include "gui/sections/basic_display_panel.h"
#include "gui/sections/chromaticity_panel.h"
#include "gui/sections/detailed_timing_panel.h"
#include "gui/sections/established_panel.h"
#include "gui/sections/identification_panels.h"
#include "gui/sections/monitor_descriptor_panel.h"
#include "gui/sections/standard_timing_panel.h"

namespace edid::gui {

namespace {

/// Ctrl+Z, Ctrl+Shift+Z, Ctrl+Y: in the grid they undo and redo the document.
bool isHistoryKey(const QKeyEvent* key) {
  return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
         key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Z) ||
         key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z) ||
         key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
}

}  // namespace

namespace {

constexpr int kColumns = 10;
constexpr int kRows = kGridCells / kColumns;
constexpr const char* kCellIndexProperty = "cellIndex";

QFont cellFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::Monospace);
  return font;
}

}  // namespace

EdidScreenWidget::EdidScreenWidget(std::function<EdidScreen*()> model, QWidget* parent)
    : QWidget(parent), m_model(std::move(model)) {
  setObjectName(QStringLiteral("frmEDID"));
  // A tile smaller than the contents scrolls instead of squeezing (and cutting) the
  // captions; the contents always get at least their own minimum size.
  m_scroll = new QScrollArea(this);
  m_scroll->setObjectName(QStringLiteral("scroll"));
  m_scroll->setFrameShape(QFrame::NoFrame);
  m_scroll->setWidgetResizable(true);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(m_scroll);
  auto* content = new QWidget(m_scroll);
  content->setObjectName(QStringLiteral("content"));
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(createIdentification());
  auto* body = new QHBoxLayout;
  body->setSpacing(10);
  auto* left = new QVBoxLayout;
  left->addWidget(createGrid());
  left->addStretch();
  body->addLayout(left);
  body->addWidget(createFrames(), 1);
  layout->addLayout(body, 1);
  layout->addWidget(createExtensionBlocks());
  m_scroll->setWidget(content);
  refresh();
}

QSize EdidScreenWidget::sizeHint() const {
  // A scroll area offers only a small size of its own; the window opens showing all.
  return m_scroll->widget()->sizeHint();
}

EdidScreenWidget::~EdidScreenWidget() {
  // Children send focus events while they go; let them find no model rather than
  // a half-destroyed binder.
  m_model = [] { return static_cast<EdidScreen*>(nullptr); };
  qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

QWidget* EdidScreenWidget::createIdentification() {
  auto* box = new QWidget(this);
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 4);
  const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
  auto add = [&](const QString& name, const QString& caption, int widthInDigits,
                 TextBox EdidScreen::*member) {
    auto* label = new QLabel(caption, box);
    auto* edit = new QLineEdit(box);
    edit->setObjectName(name);
    edit->setMinimumWidth(digit * widthInDigits);
    label->setBuddy(edit);
    layout->addWidget(label);
    layout->addWidget(edit, widthInDigits);
    InputBoxHandlers handlers;
    handlers.box = [member](EdidScreen& screen) -> TextBox& { return screen.*member; };
    new InputBoxBinding(edit, *this, std::move(handlers));
    return edit;
  };
  m_txtModel = add(QStringLiteral("txtModel"), QStringLiteral("Model"), 16, &EdidScreen::txtModel);
  m_txtBrand = add(QStringLiteral("txtBrand"), QStringLiteral("Brand"), 12, &EdidScreen::txtBrand);
  m_txtVersion =
      add(QStringLiteral("txtVersion"), QStringLiteral("Version"), 4, &EdidScreen::txtVersion);
  m_txtRevision =
      add(QStringLiteral("txtRevision"), QStringLiteral("Revision"), 4, &EdidScreen::txtRevision);
  return box;
}

QWidget* EdidScreenWidget::createGrid() {
  auto* grid = new QWidget(this);
  grid->setObjectName(QStringLiteral("grid"));
  auto* layout = new QGridLayout(grid);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setHorizontalSpacing(2);
  layout->setVerticalSpacing(2);

  const QFont font = cellFont();
  const QFontMetrics metrics(font);
  // Three characters of the fixed font plus the box's frame and text margins.
  const int cellWidth = metrics.horizontalAdvance(QStringLiteral("000")) + 12;

  int header = 0;
  auto addHeader = [&](const QString& text, int row, int column, Qt::Alignment align) {
    auto* label = new QLabel(text, grid);
    label->setObjectName(QStringLiteral("Label2_%1").arg(header++));
    label->setFont(font);
    label->setAlignment(align);
    layout->addWidget(label, row, column);
  };
  for (int c = 0; c < kColumns; ++c)
    addHeader(QString::number(c), 0, c + 1, Qt::AlignHCenter | Qt::AlignBottom);
  for (int r = 0; r < kRows; ++r)
    addHeader(QString::number(r * kColumns), r + 1, 0, Qt::AlignRight | Qt::AlignVCenter);

  for (int i = 0; i < kGridCells; ++i) {
    auto* cell = new QLineEdit(grid);
    cell->setObjectName(QStringLiteral("txtEdit_%1").arg(i));
    cell->setProperty(kCellIndexProperty, i);
    cell->setFont(font);
    cell->setAlignment(Qt::AlignCenter);
    cell->setFixedWidth(cellWidth);
    cell->installEventFilter(this);
    layout->addWidget(cell, i / kColumns + 1, i % kColumns + 1);
    m_cells[std::size_t(i)] = cell;
    if (i > 0) setTabOrder(m_cells[std::size_t(i - 1)], cell);
  }
  return grid;
}

QWidget* EdidScreenWidget::createExtensionBlocks() {
  // The whole width below the grid and frames: a block's bytes and its tree side by
  // side, and the raw dump of all blocks behind a tab.
  m_extensionArea = new QTabWidget(this);
  m_extensionArea->setObjectName(QStringLiteral("extensionArea"));
  m_extensionPane = new ExtensionBlockPane(m_extensionArea);
  // An edit of the extension blocks is one step of the document, byte 126 with it.
  m_extensionPane->editPane()->setWriter(
      [this](const std::vector<std::uint8_t>& extension, const QString& label) {
        forward([&](EdidScreen& screen) {
          screen.document.write(cta::blockCountWrites(screen.image, extension), extension,
                                fromQt(label));
          screen.BuildEDIDDefinations();
        });
      });
  m_extensionArea->addTab(m_extensionPane, tr("Decoded"));
  m_extensionBlocks = new QPlainTextEdit(m_extensionArea);
  m_extensionBlocks->setObjectName(QStringLiteral("extensionBlocks"));
  m_extensionBlocks->setReadOnly(true);
  m_extensionBlocks->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_extensionBlocks->setFont(cellFont());
  m_extensionBlocks->setToolTip(
      QStringLiteral("The extension blocks after the base block, kept as they were read"));
  // One block's heading and rows, so a single CTA-861 block shows whole.
  const QFontMetrics metrics(m_extensionBlocks->font());
  m_extensionBlocks->setMinimumHeight(metrics.lineSpacing() * 10 + 12);
  m_extensionBlocks->setMinimumWidth(metrics.horizontalAdvance(QString(55, QLatin1Char('0'))) + 24);
  m_extensionArea->addTab(m_extensionBlocks, tr("Hex"));
  m_extensionArea->hide();
  return m_extensionArea;
}

QWidget* EdidScreenWidget::createFrames() {
  auto* area = new QWidget(this);
  area->setObjectName(QStringLiteral("frames"));
  area->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 44);
  auto* layout = new QGridLayout(area);
  layout->setContentsMargins(0, 0, 0, 0);
  EdidScreen* screen = model();
  const int count = screen ? int(screen->Hints.size()) : 0;
  for (int i = 0; i < count; ++i) {
    m_frames.push_back(createSectionFrame(i, area));
    // The place keeps the room of the largest frame, so the screen opens at the
    // size that shows every section without growing or scrolling later.
    QSizePolicy policy = m_frames[std::size_t(i)]->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    m_frames[std::size_t(i)]->setSizePolicy(policy);
    // All frames share one place; the model shows one at a time.
    layout->addWidget(m_frames[std::size_t(i)], 0, 0, Qt::AlignTop);
  }
  m_dtHelp = createSectionLabel(area, QStringLiteral("DTHelp"));
  m_dtHelp->setWordWrap(true);
  layout->addWidget(m_dtHelp, 1, 0);
  layout->setRowStretch(2, 1);

  if (screen) createPanels(*screen);
  return area;
}

template <typename Panel, typename Section>
void EdidScreenWidget::addPanel(EdidScreen& screen) {
  PanelFrames frames;
  for (const Frame* frame : screen.section<Section>().frames())
    frames.push_back(m_frames.at(std::size_t(screen.Hints.indexOf(*frame))));
  m_panels.push_back(std::make_unique<Panel>(frames, *this));
}

void EdidScreenWidget::createPanels(EdidScreen& screen) {
  // One line per panel: the panel of a section object fills the frames it brings.
  addPanel<HeaderPanel, HeaderScreen>(screen);
  addPanel<VendorPanel, VendorScreen>(screen);
  addPanel<VersionPanel, VersionScreen>(screen);
  addPanel<BasicDisplayPanel, BasicDisplayScreen>(screen);
  addPanel<ChromaticityPanel, ChromaticityScreen>(screen);
  addPanel<EstablishedPanel, EstablishedScreen>(screen);
  addPanel<StandardTimingPanel, StandardTimingScreen>(screen);
  addPanel<MonitorDescriptorPanel, MonitorDescriptorScreen>(screen);
  addPanel<ChecksumPanel, ChecksumScreen>(screen);
  addPanel<DetailedTimingPanel, DetailedTimingScreen>(screen);
}

void EdidScreenWidget::forward(const std::function<void(EdidScreen&)>& handler) {
  EdidScreen* screen = model();
  if (!screen) return;
  handler(*screen);
  refresh();
}

void EdidScreenWidget::refresh() {
  EdidScreen* screen = model();
  if (!screen) return;
  mirror(*screen);
  applyFocusRequest();
  emit refreshed();
}

void EdidScreenWidget::mirror(const EdidScreen& screen) {
  // The caption is a file path once a file is open: local 8-bit, like every path.
  // "[*]" shows the unsaved-changes mark where the window manager puts it.
  const QString caption =
      QString::fromLocal8Bit(screen.caption.data(), qsizetype(screen.caption.size())) +
      QStringLiteral("[*]");
  if (windowTitle() != caption) setWindowTitle(caption);
  setWindowModified(screen.common().UnsavedChanges);

  for (int i = 0; i < kGridCells; ++i) {
    const auto k = std::size_t(i);
    QLineEdit* cell = m_cells[k];
    const QSignalBlocker blocker(cell);
    const QString text = toQt(screen.image.cell(i));
    if (cell->text() != text) cell->setText(text);
    if (cell->isReadOnly() != screen.cellLocked[k]) cell->setReadOnly(screen.cellLocked[k]);
    mirrorBackColour(cell, screen.cellColour[k]);
  }
  mirrorTextBox(m_txtModel, screen.txtModel);
  mirrorTextBox(m_txtBrand, screen.txtBrand);
  mirrorTextBox(m_txtVersion, screen.txtVersion);
  mirrorTextBox(m_txtRevision, screen.txtRevision);
  for (std::size_t i = 0; i < m_frames.size() && i < screen.Hints.size(); ++i)
    mirrorFrame(m_frames[i], screen.Hints[i]);
  mirrorLabel(m_dtHelp, screen.DTHelp);
  for (const auto& panel : m_panels) panel->mirror(screen);
  m_extensionPane->setEditable(screen.common().ModifyMode);
  const auto base = screen.image.bytes();
  m_extensionPane->setBaseDtd({base.begin() + 54, base.begin() + 72});
  mirrorExtension(screen.image.extension());
}

void EdidScreenWidget::mirrorExtension(const std::vector<std::uint8_t>& extension) {
  if (extension == m_shownExtension && m_extensionArea->isHidden() == extension.empty()) return;
  m_shownExtension = extension;
  QStringList lines;
  for (const std::string& line : extensionDumpLines(extension)) lines.append(toQt(line));
  m_extensionBlocks->setPlainText(lines.join(QLatin1Char('\n')));
  m_extensionPane->setExtension(extension);
  const bool appears = m_extensionArea->isHidden() && !extension.empty();
  m_extensionArea->setVisible(!extension.empty());
  // The window was sized without the view; let it grow rather than squeeze the grid.
  QWidget* frame = parentWidget();
  if (appears && frame && !frame->isMaximized()) {
    if (QLayout* contents = m_scroll->widget()->layout()) contents->activate();
    if (QLayout* own = layout()) own->activate();
    QSize grown = frame->size().expandedTo(frame->sizeHint());
    // Within the area it lies in: what does not fit scrolls.
    if (const QWidget* area = frame->parentWidget()) grown = grown.boundedTo(area->size());
    frame->resize(grown);
  }
}

QWidget* EdidScreenWidget::widgetFor(const FocusTarget& target) const {
  switch (target.control) {
    case FocusControl::Cell:
      return target.cell >= 0 && target.cell < kGridCells ? m_cells[std::size_t(target.cell)]
                                                          : nullptr;
    case FocusControl::VendorInfo:
      return findChild<QWidget*>(QStringLiteral("VendorInfo"));
    case FocusControl::VerRev:
      return findChild<QWidget*>(QStringLiteral("VerRev"));
    case FocusControl::BasicInput:
      return findChild<QWidget*>(QStringLiteral("BasicInput"));
    case FocusControl::ChromaValue:
      return findChild<QWidget*>(QStringLiteral("ChromaValue"));
    case FocusControl::STAInput:
      return findChild<QWidget*>(QStringLiteral("STAInput"));
    case FocusControl::DTInput:
      return findChild<QWidget*>(QStringLiteral("DTInput"));
    case FocusControl::DTaInput:
      return findChild<QWidget*>(QStringLiteral("DTaInput"));
    case FocusControl::ExtStaInput:
      return findChild<QWidget*>(QStringLiteral("ExtStaInput"));
    case FocusControl::None:
    case FocusControl::Other:
      break;
  }
  return nullptr;
}

void EdidScreenWidget::applyFocusRequest() {
  EdidScreen* screen = model();
  if (!screen || !screen->focusRequested) return;
  screen->focusRequested = false;
  QWidget* target = widgetFor(screen->focus);
  if (!target) return;
  // The model already ran the target's focus logic; the move is not a user event.
  const QScopedValueRollback guard(m_applyingFocus, true);
  // In a window that is not active yet no focus-out reaches the old cell, so its
  // selection would stay on show next to the new one.
  for (QLineEdit* cell : m_cells)
    if (cell != target && cell->hasSelectedText()) cell->deselect();
  target->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->selectAll();
}

bool EdidScreenWidget::eventFilter(QObject* watched, QEvent* event) {
  auto* cell = qobject_cast<QLineEdit*>(watched);
  const QVariant index = watched->property(kCellIndexProperty);
  if (!cell || !index.isValid()) return QWidget::eventFilter(watched, event);
  return cellEvent(cell, index.toInt(), event);
}

bool EdidScreenWidget::cellEvent(QLineEdit* cell, int index, QEvent* event) {
  const auto pushText = [cell, index](EdidScreen& screen) {
    screen.txtEdit_Change(index, fromQt(cell->text()));
  };
  switch (event->type()) {
    case QEvent::FocusIn: {
      m_pressed[std::size_t(index)].clear();
      if (m_applyingFocus || m_inLostFocus) break;
      // The section frame follows the cell with the focus however it got there: a
      // click into an inactive window only delivers the focus when the window
      // activates, and then the cell must still show its section.
      const bool user = isUserFocusChange(event);
      const EdidScreen* screen = model();
      if (!user && (!screen || screen->focus == FocusTarget{FocusControl::Cell, index})) break;
      forward([index](EdidScreen& screen) { screen.txtEdit_GotFocus(index); });
      selectAllOnFocus(cell, event);
      break;
    }
    case QEvent::MouseButtonRelease:
      trackSelectAll(cell, event);
      break;
    case QEvent::FocusOut: {
      // Only the cell with the focus shows its selection.
      if (isUserFocusChange(event)) cell->deselect();
      if (m_applyingFocus || m_inLostFocus || !isUserFocusChange(event) || !model()) break;
      // The refusal's message box and the focus moving back must not count as
      // the user leaving or entering cells.
      const QScopedValueRollback guard(m_inLostFocus, true);
      forward([&](EdidScreen& screen) {
        pushText(screen);
        screen.txtEdit_LostFocus(index);
      });
      break;
    }
    case QEvent::ShortcutOverride:
      // Left unaccepted, the keys reach the window's Undo and Redo instead of the
      // cell's own text undo.
      if (isHistoryKey(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
      }
      break;
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      // With nothing to undo the keys still do nothing to the cell's text.
      if (isHistoryKey(key)) return true;
      m_pressed[std::size_t(index)].press(key->key());
      if (key->text().size() != 1) break;
      // Anything beyond ASCII is no hex digit; the model refuses it as such.
      const char16_t code = key->text().at(0).unicode();
      const char typed = code < 128 ? char(code) : '?';
      char entered = typed;
      // Straight to the model: a refresh here would drop a key still being typed.
      EdidScreen* screen = model();
      if (screen && !screen->txtEdit_KeyPress(index, entered)) return true;
      if (entered == typed) break;
      QKeyEvent replaced(key->type(), key->key(), key->modifiers(),
                         QString(QChar(char16_t(static_cast<unsigned char>(entered)))),
                         key->isAutoRepeat(), key->count());
      QCoreApplication::sendEvent(cell, &replaced);
      return true;
    }
    case QEvent::KeyRelease: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->isAutoRepeat() || !m_pressed[std::size_t(index)].release(key->key())) break;
      forward([&](EdidScreen& screen) {
        pushText(screen);
        screen.txtEdit_KeyUp(index);
      });
      break;
    }
    default:
      break;
  }
  return false;
}

}  // namespace edid::gui
