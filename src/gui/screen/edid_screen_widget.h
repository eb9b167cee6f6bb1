#pragma once
// The decoding screen frmEDID: the 13 x 10 grid of byte cells, the four
// identification boxes and the section frames beside the grid, one panel per
// section object of the model. It owns
// no state of its own: after every forwarded event it copies the screen model
// onto the widgets and applies the focus move the model asked for.

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "gui/sections/section_panel.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QScrollArea;
class QTabWidget;

namespace edid::gui {

class ExtensionBlockPane;

/// The decoding screen's widget; objectName "frmEDID".
class EdidScreenWidget : public QWidget, public ScreenBinder {
  Q_OBJECT
 public:
  /// model returns the screen model, or nullptr once the screen was closed.
  explicit EdidScreenWidget(std::function<EdidScreen*()> model, QWidget* parent = nullptr);
  ~EdidScreenWidget() override;

  EdidScreen* model() override { return m_model(); }
  void forward(const std::function<void(EdidScreen&)>& handler) override;
  bool applyingFocus() const override { return m_applyingFocus; }

  /// Copies the whole model onto the widgets, then applies a requested focus move.
  void refresh();
  /// The size that shows every section without scrolling.
  QSize sizeHint() const override;

  /// Byte cell txtEdit_<index>, 0..129.
  QLineEdit* cell(int index) const { return m_cells.at(std::size_t(index)); }
  /// Section frame Hints_<index>, 0..frameCount() - 1.
  QGroupBox* frame(int index) const { return m_frames.at(std::size_t(index)); }
  int frameCount() const { return int(m_frames.size()); }
  /// The extension blocks below the grid and frames, decoded and as hex, one tab
  /// each; hidden when the image has none.
  QTabWidget* extensionArea() const { return m_extensionArea; }
  /// The read-only hex view of the extension blocks.
  QPlainTextEdit* extensionBlocks() const { return m_extensionBlocks; }
  /// The decoded extension blocks beside their bytes.
  ExtensionBlockPane* extensionPane() const { return m_extensionPane; }
  /// The widget the model means by a focus target; nullptr when it has none.
  QWidget* widgetFor(const FocusTarget& target) const;

 signals:
  /// The widgets now show the model's state (after every handler).
  void refreshed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* createGrid();
  QWidget* createExtensionBlocks();
  QWidget* createIdentification();
  QWidget* createFrames();
  void createPanels(EdidScreen& screen);
  /// A panel of type Panel on the frames of the model's section object Section.
  template <typename Panel, typename Section>
  void addPanel(EdidScreen& screen);
  void mirror(const EdidScreen& screen);
  void mirrorExtension(const std::vector<std::uint8_t>& extension);
  void applyFocusRequest();
  bool cellEvent(QLineEdit* cell, int index, QEvent* event);

  std::function<EdidScreen*()> m_model;
  QScrollArea* m_scroll = nullptr;
  std::array<QLineEdit*, kGridCells> m_cells{};
  std::vector<QGroupBox*> m_frames;
  QLineEdit* m_txtModel = nullptr;
  QLineEdit* m_txtBrand = nullptr;
  QLineEdit* m_txtVersion = nullptr;
  QLineEdit* m_txtRevision = nullptr;
  QLabel* m_dtHelp = nullptr;
  QTabWidget* m_extensionArea = nullptr;
  QPlainTextEdit* m_extensionBlocks = nullptr;
  ExtensionBlockPane* m_extensionPane = nullptr;
  std::vector<std::uint8_t> m_shownExtension;
  std::vector<std::unique_ptr<SectionPanel>> m_panels;
  bool m_applyingFocus = false;
  bool m_inLostFocus = false;
  std::array<PressedKeys, kGridCells> m_pressed{};
};

}  // namespace edid::gui
