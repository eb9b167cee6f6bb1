#pragma once
// "Generate...": a detailed timing made from a width, height and refresh rate by
// CVT, CVT reduced blanking (v1, v2) or GTF, or taken from the DMT or CTA-861 lists,
// previewed field by field before OK hands back its 18 bytes.

#include <QDialog>

#include "core/common/result.h"
#include "core/timing/generate.h"
#include "core/timing/timing.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace edid::gui {

class TimingGeneratorDialog : public QDialog {
  Q_OBJECT
 public:
  /// The methods in the order of the method box.
  enum Method { Cvt, CvtRb, CvtRb2, Gtf, Dmt, CtaVic };

  explicit TimingGeneratorDialog(QWidget* parent = nullptr);

  /// The image size of the block being replaced, kept when "Keep the image size" is on.
  void setImageSize(int hMm, int vMm);
  /// Fills the size, rate and interlace boxes and the image size from a block.
  void setStart(const timing::GeneratorStart& start);
  /// The timing the controls make now, or why there is none.
  const Result<timing::Timing>& timing() const { return m_timing; }
  bool keepImageSize() const;
  /// Its 18 bytes with the image size kept or 0, or why the block cannot hold it.
  const Result<timing::Descriptor>& descriptor() const { return m_descriptor; }

 private:
  void update();

  QSpinBox* m_width;
  QSpinBox* m_height;
  QDoubleSpinBox* m_refresh;
  QComboBox* m_method;
  QSpinBox* m_vic;
  QCheckBox* m_interlaced;
  QCheckBox* m_keepSize;
  QLabel* m_frequencies;
  QPlainTextEdit* m_preview;
  QPushButton* m_ok;
  int m_hImageMm = 0;
  int m_vImageMm = 0;
  Result<timing::Timing> m_timing = failure("");
  Result<timing::Descriptor> m_descriptor = failure("");
};

}  // namespace edid::gui
