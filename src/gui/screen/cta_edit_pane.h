#pragma once
// The edit controls of a CTA-861 block: the fields of the selected data block (or
// the block's byte 3 when none is selected) and the tree's context menu. Each accepted
// change hands the new extension to the window, which writes it as one undo step; a
// refused one says why and changes nothing.

#include <QGroupBox>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/common/result.h"

class QMenu;

namespace edid::gui {

class CtaEditPane : public QGroupBox {
  Q_OBJECT

 public:
  using Bytes = std::vector<std::uint8_t>;
  /// Writes an accepted extension, labelled for the Edit menu ("Undo Add VIC").
  using Writer = std::function<void(const Bytes& extension, const QString& label)>;

  explicit CtaEditPane(QWidget* parent = nullptr);

  void setWriter(Writer writer) { m_write = std::move(writer); }
  /// Shows the controls of data block index (-1: the block's byte 3) of block number,
  /// or those of detailed timing dtd when one is given.
  void show(const Bytes& extension, const Bytes& baseDtd, int number, int dataBlock, int dtd = -1);
  /// The context menu's actions for the item: data block index, DTD index (or -1
  /// each); a block of another kind only comes and goes.
  void fillMenu(QMenu& menu, bool isCta, int dataBlock, int dtd);

 private:
  /// Applies an edit's result, or shows its refusal.
  void accept(const Result<Bytes>& result, const QString& label);
  void rebuild();
  void fillCtaMenu(QMenu& menu, int dataBlock, int dtd);
  /// One row per detailed timing field, each applied on its own.
  void addDtdRows(QWidget* content, const std::vector<std::uint8_t>& dtd);

  Writer m_write;
  Bytes m_extension;
  Bytes m_baseDtd;
  int m_number = 0;
  int m_dataBlock = -1;
  int m_dtd = -1;
  QWidget* m_content = nullptr;
};

}  // namespace edid::gui
