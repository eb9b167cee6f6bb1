#include "gui/calculator/hex_calculator_window.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/screen/widget_mirror.h"

namespace edid::gui {

namespace {

// Where each key sits: row, column, row span, column span.
struct Place {
  int row, column, rowSpan = 1, columnSpan = 1;
};
constexpr Place kPlaces[HexCalculator::kKeyCount] = {
    {5, 0, 1, 2},                          // 0
    {4, 0},       {4, 1}, {4, 2},          // 1 2 3
    {3, 0},       {3, 1}, {3, 2},          // 4 5 6
    {2, 0},       {2, 1}, {2, 2},          // 7 8 9
    {1, 0},       {1, 1}, {1, 2},          // A B C
    {0, 0},       {0, 1}, {0, 2},          // D E F
    {5, 3},       {4, 3}, {3, 3}, {2, 3},  // + - * /
    {2, 4, 4, 1},                          // Enter
    {0, 3},       {0, 4},                  // Clear CE
    {1, 4},                                // +/-
    {5, 2},                                // .
    {1, 3},                                // BS
};

}  // namespace

HexCalculatorWindow::HexCalculatorWindow(std::function<HexCalculator*()> model,
                                         std::function<void()> afterEvent, QWidget* parent)
    : QWidget(parent), m_model(std::move(model)), m_afterEvent(std::move(afterEvent)) {
  setObjectName(QStringLiteral("frmHexCalculator"));
  setWindowTitle(QStringLiteral("Hex Calculator"));
  // The window takes the keys; its buttons never hold the focus.
  setFocusPolicy(Qt::StrongFocus);

  auto* layout = new QVBoxLayout(this);
  m_display = new QLabel(this);
  m_display->setObjectName(QStringLiteral("Display"));
  m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_display->setFrameShape(QFrame::Panel);
  m_display->setFrameShadow(QFrame::Sunken);
  m_display->setAutoFillBackground(true);
  m_display->setBackgroundRole(QPalette::Base);
  m_display->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  mono.setPointSizeF(mono.pointSizeF() * 1.4);
  m_display->setFont(mono);
  m_display->setMinimumHeight(m_display->fontMetrics().height() + 12);
  layout->addWidget(m_display);

  m_mode = new QGroupBox(this);
  m_mode->setObjectName(QStringLiteral("Mode"));
  auto* modes = new QHBoxLayout(m_mode);
  for (int i = 0; i < 3; ++i) {
    auto* option = new QRadioButton(m_mode);
    option->setObjectName(QStringLiteral("Option1_%1").arg(i));
    option->setFocusPolicy(Qt::NoFocus);
    connect(option, &QRadioButton::clicked, this,
            [this, i] { forward([i](HexCalculator& calc) { calc.Option1_Click(i); }); });
    modes->addWidget(option);
    m_options[std::size_t(i)] = option;
  }
  modes->addStretch();
  layout->addWidget(m_mode);

  auto* grid = new QGridLayout;
  grid->setSpacing(4);
  for (int i = 0; i < HexCalculator::kKeyCount; ++i) {
    auto* button = new QPushButton(this);
    button->setObjectName(QStringLiteral("Command1_%1").arg(i));
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumSize(44, 32);
    // Tiled beside the decoding screen the window grows tall; the keys keep their height.
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(button, &QPushButton::clicked, this,
            [this, i] { forward([i](HexCalculator& calc) { calc.Command1_Click(i); }); });
    if (kPlaces[i].rowSpan > 1) button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    const Place& at = kPlaces[i];
    grid->addWidget(button, at.row, at.column, at.rowSpan, at.columnSpan);
    m_keys[std::size_t(i)] = button;
  }
  layout->addLayout(grid);
  layout->addStretch(1);
  refresh();
}

void HexCalculatorWindow::forward(const std::function<void(HexCalculator&)>& handler) {
  if (HexCalculator* calc = m_model()) handler(*calc);
  refresh();
  if (m_afterEvent) m_afterEvent();
}

void HexCalculatorWindow::refresh() {
  const HexCalculator* calc = m_model();
  if (!calc) return;
  for (int i = 0; i < HexCalculator::kKeyCount; ++i) {
    const Button& model = calc->Command1[std::size_t(i)];
    QPushButton* button = m_keys[std::size_t(i)];
    if (button->text() != toQt(model.caption)) button->setText(toQt(model.caption));
    button->setEnabled(model.enabled);
    mirrorVisible(button, model.visible);
  }
  for (int i = 0; i < 3; ++i)
    mirrorOptionButton(m_options[std::size_t(i)], calc->Option1[std::size_t(i)]);
  mirrorFrame(m_mode, calc->Mode);
  const QString shown = toQt(calc->Display.caption);
  if (m_display->text() != shown) m_display->setText(shown);
}

int HexCalculatorWindow::keyCharacter(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Delete:
      return 127;
    default:
      break;
  }
  // Shortcuts are no typing.
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
  const QString text = event.text();
  if (text.size() != 1 || text.at(0).unicode() >= 128) return 0;
  return text.at(0).unicode();
}

void HexCalculatorWindow::keyPressEvent(QKeyEvent* event) {
  const int typed = keyCharacter(*event);
  if (typed == 0 || !m_model()) {
    QWidget::keyPressEvent(event);
    return;
  }
  bool acted = false;
  forward([&](HexCalculator& calc) { acted = calc.Form_KeyPress(typed); });
  if (!acted) QWidget::keyPressEvent(event);
}

}  // namespace edid::gui
