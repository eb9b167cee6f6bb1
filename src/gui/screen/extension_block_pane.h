#pragma once
// The extension blocks decoded, read-only: a choice of block, its 128 bytes in a
// grid of 16 columns and, beside it, the tree of its decoded items. Clicking a byte
// selects the item that holds it and colours its data block; clicking an item
// selects its bytes.

#include <QWidget>
#include <cstdint>
#include <vector>

class QComboBox;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace edid::gui {

class CtaEditPane;

class ExtensionBlockPane : public QWidget {
  Q_OBJECT

 public:
  explicit ExtensionBlockPane(QWidget* parent = nullptr);

  /// Shows the blocks of an image's extension (none: the pane is empty).
  void setExtension(const std::vector<std::uint8_t>& extension);
  /// Shows block index (0 for the first block after the base block).
  void showBlock(int index);
  /// Selects the deepest item holding byte offset (0..127) of the shown block.
  void selectByte(int offset);

  /// With "Modify EDID" on, the tree's context menu and the edit pane change blocks.
  void setEditable(bool editable);
  /// The 18 bytes a new detailed timing starts from (the base block's first).
  void setBaseDtd(const std::vector<std::uint8_t>& bytes) { m_baseDtd = bytes; }
  CtaEditPane* editPane() const { return m_edit; }

  QComboBox* blockChoice() const { return m_blocks; }
  QTableWidget* grid() const { return m_grid; }
  QTreeWidget* tree() const { return m_tree; }

 private:
  void itemChosen(QTreeWidgetItem* item);
  void showMenu(const QPoint& at);
  /// Colours the data block's bytes and the item's own, and selects the item's.
  void paint(int blockFirst, int blockLength, int first, int length);

  std::vector<std::uint8_t> m_extension;
  int m_shown = -1;
  QComboBox* m_blocks = nullptr;
  QTableWidget* m_grid = nullptr;
  QTreeWidget* m_tree = nullptr;
  CtaEditPane* m_edit = nullptr;
  std::vector<std::uint8_t> m_baseDtd;
  bool m_editable = false;
  int m_chosen = -1;       ///< the data block of the item chosen last
  int m_chosenDtd = -1;    ///< the detailed timing of the item chosen last
  int m_reselect = -1;     ///< the data block to select again after an edit
  int m_reselectDtd = -1;  ///< the detailed timing to select again after an edit
};

}  // namespace edid::gui
