#pragma once
// The hex calculator's window frmHexCalculator: the display, the three mode
// buttons and the 26 keys. It holds no state: clicks and typed keys go to the
// core's HexCalculator, and the model is copied back onto the widgets.

#include <QWidget>
#include <array>
#include <functional>

#include "core/calculator/hex_calculator.h"

class QGroupBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;

namespace edid::gui {

/// The calculator's widget; objectName "frmHexCalculator".
class HexCalculatorWindow : public QWidget {
  Q_OBJECT
 public:
  /// model returns the calculator, or nullptr once it was closed. afterEvent runs
  /// after each forwarded event (the main window mirrors its own state then).
  explicit HexCalculatorWindow(std::function<HexCalculator*()> model,
                               std::function<void()> afterEvent = {}, QWidget* parent = nullptr);

  /// Copies the model onto the widgets.
  void refresh();
  /// Button Command1_<index>, 0..25.
  QPushButton* key(int index) const { return m_keys.at(std::size_t(index)); }
  QLabel* display() const { return m_display; }
  QRadioButton* option(int index) const { return m_options.at(std::size_t(index)); }

  /// The character a key event types for the calculator: Enter 13, Escape 27,
  /// Backspace 8, Delete 127, else the ASCII character typed; 0 for anything else.
  static int keyCharacter(const QKeyEvent& event);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void forward(const std::function<void(HexCalculator&)>& handler);

  std::function<HexCalculator*()> m_model;
  std::function<void()> m_afterEvent;
  std::array<QPushButton*, HexCalculator::kKeyCount> m_keys{};
  std::array<QRadioButton*, 3> m_options{};
  QGroupBox* m_mode = nullptr;
  QLabel* m_display = nullptr;
};

}  // namespace edid::gui
