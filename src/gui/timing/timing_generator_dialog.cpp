#include "gui/timing/timing_generator_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/common/image.h"
#include "core/sections/detailed_timing.h"

namespace edid::gui {

TimingGeneratorDialog::TimingGeneratorDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmTimingGenerator"));
  setWindowTitle(tr("Generate a Detailed Timing"));
  auto* form = new QFormLayout;
  // The preview sets the width; boxes that wide would read as text fields.
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);

  const auto spin = [this](const char* name, int value) {
    auto* box = new QSpinBox(this);
    box->setObjectName(QLatin1String(name));
    box->setRange(1, 32767);
    box->setValue(value);
    return box;
  };
  m_width = spin("txtWidth", 1920);
  m_height = spin("txtHeight", 1080);
  m_refresh = new QDoubleSpinBox(this);
  m_refresh->setObjectName(QStringLiteral("txtRefresh"));
  m_refresh->setRange(1, 1000);
  m_refresh->setDecimals(3);
  m_refresh->setValue(60);
  m_refresh->setSuffix(QStringLiteral(" Hz"));
  m_method = new QComboBox(this);
  m_method->setObjectName(QStringLiteral("cboMethod"));
  m_method->addItems({QStringLiteral("CVT"), QStringLiteral("CVT-RB"), QStringLiteral("CVT-RB2"),
                      QStringLiteral("GTF"), QStringLiteral("DMT"), QStringLiteral("CTA VIC")});
  m_vic = new QSpinBox(this);
  m_vic->setObjectName(QStringLiteral("txtVic"));
  m_vic->setRange(1, 219);
  m_vic->setValue(16);
  m_interlaced = new QCheckBox(tr("Interlaced (the refresh rate counts fields)"), this);
  m_interlaced->setObjectName(QStringLiteral("chkInterlaced"));
  m_keepSize = new QCheckBox(tr("Keep the image size"), this);
  m_keepSize->setObjectName(QStringLiteral("chkKeepImageSize"));
  m_keepSize->setChecked(true);

  form->addRow(tr("&Method:"), m_method);
  form->addRow(tr("&Width:"), m_width);
  form->addRow(tr("&Height:"), m_height);
  form->addRow(tr("&Refresh:"), m_refresh);
  form->addRow(tr("&VIC:"), m_vic);
  form->addRow(QString(), m_interlaced);
  form->addRow(QString(), m_keepSize);

  m_frequencies = new QLabel(this);
  m_frequencies->setObjectName(QStringLiteral("lblFrequencies"));
  m_frequencies->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_preview = new QPlainTextEdit(this);
  m_preview->setObjectName(QStringLiteral("txtPreview"));
  m_preview->setReadOnly(true);
  m_preview->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // The report's 70 columns and the bytes line, without a scroll bar.
  const QFontMetrics metrics(m_preview->font());
  m_preview->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_preview->setMinimumSize(metrics.horizontalAdvance(QString(84, QLatin1Char('0'))),
                            metrics.lineSpacing() * 21);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_ok = buttons->button(QDialogButtonBox::Ok);
  m_ok->setObjectName(QStringLiteral("cmdOK"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(m_frequencies);
  layout->addWidget(m_preview);
  layout->addWidget(buttons);

  for (QSpinBox* box : {m_width, m_height, m_vic})
    connect(box, &QSpinBox::valueChanged, this, &TimingGeneratorDialog::update);
  connect(m_refresh, &QDoubleSpinBox::valueChanged, this, &TimingGeneratorDialog::update);
  connect(m_method, &QComboBox::currentIndexChanged, this, &TimingGeneratorDialog::update);
  connect(m_interlaced, &QCheckBox::toggled, this, &TimingGeneratorDialog::update);
  connect(m_keepSize, &QCheckBox::toggled, this, &TimingGeneratorDialog::update);
  update();
}

void TimingGeneratorDialog::setImageSize(int hMm, int vMm) {
  m_hImageMm = hMm;
  m_vImageMm = vMm;
  update();
}

void TimingGeneratorDialog::setStart(const timing::GeneratorStart& start) {
  {
    // One preview for the whole start, not one per box.
    const QSignalBlocker blockWidth(m_width), blockHeight(m_height), blockRefresh(m_refresh),
        blockInterlaced(m_interlaced);
    m_width->setValue(start.width);
    m_height->setValue(start.height);
    m_refresh->setValue(start.refreshHz);
    m_interlaced->setChecked(start.interlaced);
  }
  setImageSize(start.hImageMm, start.vImageMm);
}

bool TimingGeneratorDialog::keepImageSize() const {
  return m_keepSize->isChecked();
}

void TimingGeneratorDialog::update() {
  const auto method = static_cast<Method>(m_method->currentIndex());
  const bool vic = method == CtaVic;
  const bool formula = method == Cvt || method == CvtRb || method == CvtRb2 || method == Gtf;
  m_vic->setEnabled(vic);
  for (QWidget* w : {static_cast<QWidget*>(m_width), static_cast<QWidget*>(m_height),
                     static_cast<QWidget*>(m_refresh)})
    w->setEnabled(!vic);
  m_interlaced->setEnabled(formula);
  const bool interlaced = formula && m_interlaced->isChecked();

  const int w = m_width->value();
  const int h = m_height->value();
  const double hz = m_refresh->value();
  Result<timing::Timing> made = failure("");
  switch (method) {
    case Cvt:
    case CvtRb:
    case CvtRb2: {
      timing::CvtOptions o;
      o.blanking = method == Cvt     ? timing::CvtBlanking::Standard
                   : method == CvtRb ? timing::CvtBlanking::Reduced
                                     : timing::CvtBlanking::ReducedV2;
      o.interlaced = interlaced;
      made = timing::cvt(w, h, hz, o);
      break;
    }
    case Gtf:
      made = timing::gtf(w, h, hz, {interlaced, false, std::nullopt});
      break;
    case Dmt:
      made = timing::dmt(w, h, hz);
      break;
    case CtaVic:
      made = timing::vic(m_vic->value());
      break;
  }
  m_timing = made;
  if (made) {
    const bool keep = m_keepSize->isChecked();
    m_descriptor = timing::encodeDescriptor(*made, keep ? m_hImageMm : 0, keep ? m_vImageMm : 0);
  } else {
    m_descriptor = Error{made.error()};
  }
  m_ok->setEnabled(m_descriptor.ok());
  if (!made) {
    m_frequencies->setText(QString::fromStdString(made.error()));
    m_preview->clear();
    return;
  }
  const timing::Timing& t = *made;
  m_frequencies->setText(tr("%1\nPixel clock %2 MHz, horizontal %3 kHz, vertical %4 Hz")
                             .arg(QString::fromStdString(t.name))
                             .arg(t.pixelClockKHz / 1000.0, 0, 'f', 3)
                             .arg(t.horizontalKHz(), 0, 'f', 3)
                             .arg(t.verticalHz(), 0, 'f', 3));
  // The report keeps its columns; a refusal is one long sentence that must show whole.
  m_preview->setLineWrapMode(m_descriptor ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
  if (!m_descriptor) {
    m_preview->setPlainText(QString::fromStdString(m_descriptor.error()));
    return;
  }
  Image image;
  QString hex;
  for (int i = 0; i < 18; ++i) {
    const int byte = (*m_descriptor)[static_cast<std::size_t>(i)];
    image.setByte(54 + i, byte);
    hex += QStringLiteral("%1 ").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
  }
  QString text = QString::fromStdString(detailed_timing::decode(image, 54).reportText);
  text.remove(QLatin1Char('\r'));
  m_preview->setPlainText(text + tr("Bytes: ") + hex.trimmed());
}

}  // namespace edid::gui
