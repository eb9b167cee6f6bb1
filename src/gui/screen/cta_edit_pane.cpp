#include "gui/screen/cta_edit_pane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>
#include <span>

#include "core/cta/cta861.h"
#include "core/cta/cta_edit.h"
#include "core/screen/step_labels.h"
#include "core/sections/detailed_timing.h"
#include "gui/screen/widget_mirror.h"

namespace edid::gui {

namespace {

using cta::Bytes;
using cta::Kind;

QSpinBox* spin(QWidget* parent, const char* name, int min, int max, int value, int step = 1) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QLatin1String(name));
  box->setRange(min, max);
  box->setSingleStep(step);
  box->setValue(value);
  return box;
}

QCheckBox* check(QWidget* parent, const QString& text, bool on) {
  auto* box = new QCheckBox(text, parent);
  box->setChecked(on);
  return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QLatin1String(name));
  return b;
}

const std::pair<Kind, const char*> kAddable[] = {
    {Kind::Video, "Video"},
    {Kind::Audio, "Audio"},
    {Kind::Speakers, "Speaker Allocation"},
    {Kind::Hdmi, "HDMI"},
    {Kind::HdmiForum, "HDMI Forum"},
    {Kind::FreeSync, "FreeSync"},
    {Kind::VideoCapability, "Video Capability"},
    {Kind::Colorimetry, "Colorimetry"},
    {Kind::HdrStatic, "HDR Static Metadata"},
    {Kind::Ycbcr420Video, "YCbCr 4:2:0 Video"},
    {Kind::Ycbcr420Map, "YCbCr 4:2:0 Capability Map"},
    {Kind::HfScdb, "HDMI Forum Sink Capability"},
};

}  // namespace

CtaEditPane::CtaEditPane(QWidget* parent) : QGroupBox(tr("Edit"), parent) {
  setObjectName(QStringLiteral("ctaEditPane"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
}

void CtaEditPane::show(const Bytes& extension, const Bytes& baseDtd, int number, int dataBlock,
                       int dtd) {
  m_extension = extension;
  m_baseDtd = baseDtd;
  m_number = number;
  m_dataBlock = dataBlock;
  m_dtd = dtd;
  rebuild();
}

void CtaEditPane::accept(const Result<Bytes>& result, const QString& label) {
  if (!result) {
    QMessageBox::warning(this, tr("Edit"), toQt(result.error()));
    return;
  }
  if (m_write) m_write(*result, label);
}

void CtaEditPane::rebuild() {
  delete m_content;
  m_content = new QWidget(this);
  m_content->setObjectName(QStringLiteral("ctaEditContent"));
  layout()->addWidget(m_content);
  auto* form = new QFormLayout(m_content);
  form->setContentsMargins(0, 0, 0, 0);
  const std::size_t at = std::size_t(m_number - 1) * 128;
  if (m_number < 1 || at + 128 > m_extension.size()) return;
  const auto block = cta::parseCta(std::span(m_extension).subspan(at, 128));
  if (!block) {
    form->addRow(new QLabel(toQt(block.error()), m_content));
    return;
  }
  QWidget* w = m_content;
  const auto replace = [this](const Result<Bytes>& bytes, const QString& label) {
    if (!bytes) return accept(failure(bytes.error()), label);
    accept(cta::replaceDataBlock(m_extension, m_number, m_dataBlock, *bytes), label);
  };

  if (m_dtd >= 0 && m_dtd < int(block->dtds.size())) {
    const auto& dtd = block->dtds[std::size_t(m_dtd)];
    addDtdRows(w, Bytes(dtd.begin(), dtd.end()));
    return;
  }
  if (m_dataBlock < 0 || m_dataBlock >= int(block->dataBlocks.size())) {
    // Byte 3: underscan, basic audio, YCbCr 4:4:4 and 4:2:2, native DTD count.
    const int f = block->flags;
    auto* underscan = check(w, tr("Underscan"), f & 0x80);
    auto* audio = check(w, tr("Basic audio"), f & 0x40);
    auto* y444 = check(w, tr("YCbCr 4:4:4"), f & 0x20);
    auto* y422 = check(w, tr("YCbCr 4:2:2"), f & 0x10);
    auto* native = spin(w, "ctaNativeDtds", 0, 15, f & 15);
    for (QWidget* c : {static_cast<QWidget*>(underscan), static_cast<QWidget*>(audio),
                       static_cast<QWidget*>(y444), static_cast<QWidget*>(y422)})
      form->addRow(c);
    form->addRow(tr("Native DTDs"), native);
    auto* apply = button(w, "ctaApplyFlags", tr("Apply"));
    form->addRow(apply);
    connect(apply, &QPushButton::clicked, this, [=, this] {
      const int flags = (underscan->isChecked() ? 0x80 : 0) | (audio->isChecked() ? 0x40 : 0) |
                        (y444->isChecked() ? 0x20 : 0) | (y422->isChecked() ? 0x10 : 0) |
                        native->value();
      accept(cta::setFlags(m_extension, m_number, flags), tr("Block Flags"));
    });
    return;
  }

  const Bytes& data = block->dataBlocks[std::size_t(m_dataBlock)];
  switch (cta::dataBlockKind(data)) {
    case Kind::Video: {
      auto* vics = new QComboBox(w);
      vics->setObjectName(QStringLiteral("ctaVicChoice"));
      for (int v = 1; v <= 219; ++v)
        if (!cta::vicName(v).empty())
          vics->addItem(QStringLiteral("%1: %2").arg(v).arg(toQt(cta::vicName(v))), v);
      form->addRow(tr("VIC"), vics);
      auto* row = new QHBoxLayout;
      auto* add = button(w, "ctaAddVic", tr("Add"));
      auto* remove = button(w, "ctaRemoveVic", tr("Remove"));
      auto* native = button(w, "ctaNativeVic", tr("Native"));
      auto* plain = button(w, "ctaPlainVic", tr("Not Native"));
      for (QPushButton* b : {add, remove, native, plain}) row->addWidget(b);
      form->addRow(row);
      const auto vic = [vics] { return vics->currentData().toInt(); };
      connect(add, &QPushButton::clicked, this,
              [=, this] { accept(cta::addVic(m_extension, m_number, vic()), tr("Add VIC")); });
      connect(remove, &QPushButton::clicked, this, [=, this] {
        accept(cta::removeVic(m_extension, m_number, vic()), tr("Remove VIC"));
      });
      connect(native, &QPushButton::clicked, this, [=, this] {
        accept(cta::setNative(m_extension, m_number, vic(), true), tr("Native VIC"));
      });
      connect(plain, &QPushButton::clicked, this, [=, this] {
        accept(cta::setNative(m_extension, m_number, vic(), false), tr("Native VIC"));
      });
      return;
    }
    case Kind::Audio: {
      const cta::AudioBlock audio = cta::decodeAudio(data);
      auto* which = new QComboBox(w);
      which->setObjectName(QStringLiteral("ctaAudioChoice"));
      for (std::size_t i = 0; i < audio.descriptors.size(); ++i)
        which->addItem(tr("Descriptor %1").arg(i + 1));
      form->addRow(tr("Descriptor"), which);
      auto* format = spin(w, "ctaAudioFormat", 1, 15, 1);
      auto* channels = spin(w, "ctaAudioChannels", 1, 8, 2);
      auto* rates = new QHBoxLayout;
      std::vector<QCheckBox*> rateBoxes;
      for (const char* rate : {"32", "44.1", "48", "88.2", "96", "176.4", "192"}) {
        rateBoxes.push_back(check(w, QLatin1String(rate), false));
        rates->addWidget(rateBoxes.back());
      }
      auto* third = spin(w, "ctaAudioByte3", 0, 255, 7);
      third->setToolTip(tr("L-PCM: bit depths (1 = 16, 2 = 20, 4 = 24 bits); others: their value"));
      form->addRow(tr("Format code"), format);
      form->addRow(tr("Channels"), channels);
      form->addRow(tr("Sample rates (kHz)"), rates);
      form->addRow(tr("Depths / value"), third);
      const auto load = [=](int i) {
        if (i < 0 || i >= int(audio.descriptors.size())) return;
        const cta::AudioDescriptor& d = audio.descriptors[std::size_t(i)];
        format->setValue(d.format);
        channels->setValue(d.channels);
        for (std::size_t r = 0; r < rateBoxes.size(); ++r)
          rateBoxes[r]->setChecked(d.rates >> r & 1);
        third->setValue(d.byte3);
      };
      load(0);
      connect(which, &QComboBox::currentIndexChanged, this, load);
      auto* row = new QHBoxLayout;
      auto* apply = button(w, "ctaApplyAudio", tr("Apply"));
      auto* add = button(w, "ctaAddAudio", tr("Add Descriptor"));
      auto* remove = button(w, "ctaRemoveAudio", tr("Remove Descriptor"));
      for (QPushButton* b : {apply, add, remove}) row->addWidget(b);
      form->addRow(row);
      const auto entered = [=] {
        cta::AudioDescriptor d;
        d.format = format->value();
        d.channels = channels->value();
        d.rates = 0;
        for (std::size_t r = 0; r < rateBoxes.size(); ++r)
          d.rates |= rateBoxes[r]->isChecked() ? 1 << r : 0;
        d.byte3 = third->value();
        return d;
      };
      connect(apply, &QPushButton::clicked, this, [=] {
        cta::AudioBlock edited = audio;
        const int i = which->currentIndex();
        if (i < 0) return;
        const int reserved = edited.descriptors[std::size_t(i)].reserved;
        edited.descriptors[std::size_t(i)] = entered();
        edited.descriptors[std::size_t(i)].reserved = reserved;
        replace(cta::encodeAudio(edited), tr("Audio Descriptor"));
      });
      connect(add, &QPushButton::clicked, this, [=] {
        cta::AudioBlock edited = audio;
        edited.descriptors.push_back(entered());
        replace(cta::encodeAudio(edited), tr("Add Audio Descriptor"));
      });
      connect(remove, &QPushButton::clicked, this, [=] {
        cta::AudioBlock edited = audio;
        const int i = which->currentIndex();
        if (i < 0) return;
        edited.descriptors.erase(edited.descriptors.begin() + i);
        replace(cta::encodeAudio(edited), tr("Remove Audio Descriptor"));
      });
      return;
    }
    case Kind::Speakers: {
      const cta::SpeakerBlock speakers = cta::decodeSpeakers(data);
      static const char* names[] = {
          "FL/FR",   "LFE1",        "FC",        "BL/BR", "BC",        "FLc/FRc",  "RLC/RRC",
          "FLw/FRw", "TpFL/TpFR",   "TpC",       "TpFC",  "LS/RS",     "LFE2",     "TpBC",
          "SiL/SiR", "TpSiL/TpSiR", "TpBL/TpBR", "BtFC",  "BtFL/BtFR", "TpLS/TpRS"};
      auto* grid = new QGridLayout;
      std::vector<QCheckBox*> boxes;
      for (int i = 0; i < 20; ++i) {
        boxes.push_back(check(w, QLatin1String(names[i]), speakers.flags >> i & 1));
        grid->addWidget(boxes.back(), i / 5, i % 5);
      }
      form->addRow(grid);
      auto* apply = button(w, "ctaApplySpeakers", tr("Apply"));
      form->addRow(apply);
      connect(apply, &QPushButton::clicked, this, [=] {
        cta::SpeakerBlock edited = speakers;
        edited.flags &= ~0xFFFFF;
        for (int i = 0; i < 20; ++i)
          edited.flags |= boxes[std::size_t(i)]->isChecked() ? 1 << i : 0;
        if (edited.flags >> (8 * edited.length)) edited.length = 3;
        replace(cta::encodeSpeakers(edited), tr("Speakers"));
      });
      return;
    }
    case Kind::Hdmi: {
      const cta::HdmiBlock hdmi = *cta::decodeHdmi(data);
      const int a = hdmi.physicalAddress;
      auto* address = new QLineEdit(
          QStringLiteral("%1.%2.%3.%4").arg(a >> 12).arg(a >> 8 & 15).arg(a >> 4 & 15).arg(a & 15),
          w);
      address->setObjectName(QStringLiteral("ctaHdmiAddress"));
      auto* tmds = spin(w, "ctaHdmiTmds", 0, 1275, hdmi.maxTmdsMhz.value_or(0), 5);
      const int f = hdmi.flags.value_or(0);
      auto* dc48 = check(w, tr("Deep colour 48 bits"), f & 0x40);
      auto* dc36 = check(w, tr("Deep colour 36 bits"), f & 0x20);
      auto* dc30 = check(w, tr("Deep colour 30 bits"), f & 0x10);
      auto* y444 = check(w, tr("Deep colour YCbCr 4:4:4"), f & 0x08);
      form->addRow(tr("Physical address"), address);
      form->addRow(tr("Maximum TMDS clock (MHz)"), tmds);
      for (QCheckBox* c : {dc48, dc36, dc30, y444}) form->addRow(c);
      auto* apply = button(w, "ctaApplyHdmi", tr("Apply"));
      form->addRow(apply);
      connect(apply, &QPushButton::clicked, this, [=, this] {
        cta::HdmiBlock edited = hdmi;
        const QStringList parts = address->text().split(QLatin1Char('.'));
        int value = 0;
        bool good = parts.size() == 4;
        for (const QString& part : parts) {
          bool ok = false;
          const int n = part.toInt(&ok);
          good = good && ok && n >= 0 && n <= 15;
          value = value << 4 | (n & 15);
        }
        if (!good) return accept(failure("A physical address is 0.0.0.0 to 15.15.15.15."), {});
        edited.physicalAddress = value;
        if (tmds->value() || hdmi.maxTmdsMhz) edited.maxTmdsMhz = tmds->value();
        const int flags = (f & ~0x78) | (dc48->isChecked() ? 0x40 : 0) |
                          (dc36->isChecked() ? 0x20 : 0) | (dc30->isChecked() ? 0x10 : 0) |
                          (y444->isChecked() ? 0x08 : 0);
        if (flags || hdmi.flags) edited.flags = flags;
        replace(cta::encodeHdmi(edited), tr("HDMI"));
      });
      return;
    }
    case Kind::HdmiForum:
    case Kind::HfScdb: {
      const cta::HdmiForumBlock hf = *cta::decodeHdmiForum(data);
      auto* tmds = spin(w, "ctaHfTmds", 0, 1275, hf.maxTmdsMhz, 5);
      auto* scdc = check(w, tr("SCDC present"), hf.flags & 0x80);
      auto* frl = spin(w, "ctaHfFrl", 0, 6, std::min(hf.frlRate, 6));
      auto* allm = check(w, tr("ALLM"), hf.features.value_or(0) & 0x02);
      auto* vrrMin = spin(w, "ctaHfVrrMin", 0, 63, hf.vrrMin.value_or(0));
      auto* vrrMax = spin(w, "ctaHfVrrMax", 0, 1023, hf.vrrMax.value_or(0));
      form->addRow(tr("Maximum TMDS character rate (MHz)"), tmds);
      form->addRow(scdc);
      form->addRow(tr("Maximum FRL rate code"), frl);
      form->addRow(allm);
      form->addRow(tr("VRR minimum (Hz)"), vrrMin);
      form->addRow(tr("VRR maximum (Hz)"), vrrMax);
      auto* apply = button(w, "ctaApplyHf", tr("Apply"));
      form->addRow(apply);
      connect(apply, &QPushButton::clicked, this, [=] {
        cta::HdmiForumBlock edited = hf;
        edited.maxTmdsMhz = tmds->value();
        edited.flags = (hf.flags & ~0x80) | (scdc->isChecked() ? 0x80 : 0);
        if (hf.frlRate <= 6 || frl->value() != 6) edited.frlRate = frl->value();
        const int features = (hf.features.value_or(0) & ~0x02) | (allm->isChecked() ? 0x02 : 0);
        if (features || hf.features) edited.features = features;
        if (vrrMin->value() || vrrMax->value() || hf.vrrMin) {
          edited.vrrMin = vrrMin->value();
          edited.vrrMax = vrrMax->value();
        }
        replace(cta::encodeHdmiForum(edited), tr("HDMI Forum"));
      });
      return;
    }
    case Kind::FreeSync: {
      const cta::FreeSyncBlock fs = *cta::decodeFreeSync(data);
      auto* min = spin(w, "ctaFreeSyncMin", 0, 255, fs.minHz);
      auto* max = spin(w, "ctaFreeSyncMax", 0, 255, fs.maxHz);
      form->addRow(tr("Minimum refresh (Hz)"), min);
      form->addRow(tr("Maximum refresh (Hz)"), max);
      auto* apply = button(w, "ctaApplyFreeSync", tr("Apply"));
      form->addRow(apply);
      connect(apply, &QPushButton::clicked, this, [=, this] {
        accept(cta::setFreeSync(m_extension, m_number, min->value(), max->value()),
               tr("FreeSync Range"));
      });
      return;
    }
    case Kind::HdrStatic: {
      const cta::HdrStaticBlock hdr = *cta::decodeHdrStatic(data);
      std::vector<QCheckBox*> eotfs;
      for (const char* name :
           {"Traditional gamma SDR", "Traditional gamma HDR", "SMPTE ST 2084", "HLG"}) {
        eotfs.push_back(check(w, QLatin1String(name), hdr.eotfs >> eotfs.size() & 1));
        form->addRow(eotfs.back());
      }
      const auto lum = [&](const char* name, std::optional<double> value) {
        auto* edit = new QLineEdit(value ? QString::number(*value, 'f', 4) : QString(), w);
        edit->setObjectName(QLatin1String(name));
        return edit;
      };
      const auto maxOf = [](int code) { return 50.0 * std::pow(2.0, code / 32.0); };
      std::optional<double> maxValue, averageValue, minValue;
      if (hdr.maxCode && *hdr.maxCode) maxValue = maxOf(*hdr.maxCode);
      if (hdr.maxAverageCode && *hdr.maxAverageCode) averageValue = maxOf(*hdr.maxAverageCode);
      if (hdr.minCode && maxValue) minValue = *maxValue * std::pow(*hdr.minCode / 255.0, 2) / 100;
      auto* max = lum("ctaHdrMax", maxValue);
      auto* average = lum("ctaHdrAverage", averageValue);
      auto* min = lum("ctaHdrMin", minValue);
      form->addRow(tr("Maximum luminance (cd/m^2)"), max);
      form->addRow(tr("Maximum frame-average (cd/m^2)"), average);
      form->addRow(tr("Minimum luminance (cd/m^2)"), min);
      auto* apply = button(w, "ctaApplyHdr", tr("Apply"));
      form->addRow(apply);
      connect(apply, &QPushButton::clicked, this, [=, this] {
        cta::HdrStaticBlock edited = hdr;
        edited.eotfs = hdr.eotfs & ~15;
        for (std::size_t i = 0; i < eotfs.size(); ++i)
          edited.eotfs |= eotfs[i]->isChecked() ? 1 << i : 0;
        edited.maxCode = edited.maxAverageCode = edited.minCode = std::nullopt;
        const auto number = [](QLineEdit* e) -> std::optional<double> {
          bool ok = false;
          const double v = e->text().toDouble(&ok);
          return ok ? std::optional(v) : std::nullopt;
        };
        if (const auto v = number(max)) {
          const Result<int> code = cta::maxLuminanceCode(*v);
          if (!code) return accept(failure(code.error()), {});
          edited.maxCode = *code;
        }
        if (const auto v = number(average)) {
          const Result<int> code = cta::maxLuminanceCode(*v);
          if (!code) return accept(failure(code.error()), {});
          edited.maxAverageCode = *code;
        }
        if (const auto v = number(min)) {
          const Result<int> code = cta::minLuminanceCode(*v, edited.maxCode.value_or(0));
          if (!code) return accept(failure(code.error()), {});
          edited.minCode = *code;
        }
        replace(cta::encodeHdrStatic(edited), tr("HDR Metadata"));
      });
      return;
    }
    default:
      form->addRow(new QLabel(tr("Use the menu to move or remove this data block."), w));
  }
}

void CtaEditPane::addDtdRows(QWidget* w, const Bytes& dtd) {
  namespace dt = detailed_timing;
  auto* form = static_cast<QFormLayout*>(w->layout());
  // The timing sits in a scratch image's first slot so the base block's readers apply.
  constexpr int kSlot = 54;
  Image image;
  for (std::size_t i = 0; i < dtd.size(); ++i) image.setByte(kSlot + int(i), dtd[i]);
  const auto shown = [image](dt::Field field) {
    return toQt(dt::fieldValueText(field, dt::fieldValue(image, kSlot, field)));
  };
  std::vector<QLineEdit*> entries;
  for (int i = 0; i < dt::kFieldCount; ++i) {
    const auto field = static_cast<dt::Field>(i);
    auto* entry = new QLineEdit(shown(field), w);
    entry->setObjectName(QStringLiteral("ctaDtdField%1").arg(i));
    entry->setToolTip(toQt(dt::fieldLabel(field)));
    // "Active Time" names both directions; the step names tell them apart.
    form->addRow(tr(step_label::kDetailedFields[std::size_t(i)]), entry);
    entries.push_back(entry);
  }
  auto* interlaced = check(w, tr("Interlaced"), dtd[17] & 0x80);
  interlaced->setObjectName(QStringLiteral("ctaDtdInterlaced"));
  form->addRow(interlaced);
  connect(interlaced, &QCheckBox::toggled, this, [this](bool on) {
    accept(cta::setDtdInterlaced(m_extension, m_number, m_dtd, on), tr("Interlaced"));
  });
  auto* apply = button(w, "ctaApplyDtd", tr("Apply"));
  form->addRow(apply);
  // Every changed row is its own undo step, applied in row order on the previous
  // result; the first refusal stops there and keeps what went before.
  const auto applyChanged = [this, entries, shown] {
    std::vector<std::pair<dt::Field, std::string>> changed;
    for (int i = 0; i < dt::kFieldCount; ++i) {
      const auto field = static_cast<dt::Field>(i);
      const QString text = entries[std::size_t(i)]->text();
      if (text != shown(field)) changed.emplace_back(field, text.toStdString());
    }
    Bytes current = m_extension;
    const int number = m_number, index = m_dtd;
    for (const auto& [field, text] : changed) {
      const Result<Bytes> edited = cta::editDtdField(current, number, index, field, text);
      accept(edited, tr(step_label::kDetailedFields[std::size_t(field)]));
      if (!edited) return;
      current = *edited;
    }
  };
  connect(apply, &QPushButton::clicked, this, applyChanged);
  for (QLineEdit* entry : entries) connect(entry, &QLineEdit::returnPressed, this, applyChanged);
}

void CtaEditPane::fillMenu(QMenu& menu, bool isCta, int dataBlock, int dtd) {
  if (isCta) fillCtaMenu(menu, dataBlock, dtd);
  menu.addAction(tr("Add CTA-861 Block"), this,
                 [this] { accept(cta::addCtaBlock(m_extension), tr("Add Extension Block")); });
  menu.addAction(tr("Remove This Block"), this, [this] {
    accept(cta::removeBlock(m_extension, m_number), tr("Remove Extension Block"));
  });
}

void CtaEditPane::fillCtaMenu(QMenu& menu, int dataBlock, int dtd) {
  QMenu* add = menu.addMenu(tr("Add Data Block"));
  for (const auto& [kind, name] : kAddable) {
    const Kind k = kind;
    add->addAction(tr(name), this, [this, k, name] {
      accept(cta::addDataBlock(m_extension, m_number, cta::newDataBlock(k)),
             tr("Add %1").arg(tr(name)));
    });
  }
  if (dataBlock >= 0) {
    menu.addAction(tr("Remove Data Block"), this, [this, dataBlock] {
      accept(cta::removeDataBlock(m_extension, m_number, dataBlock), tr("Remove Data Block"));
    });
    menu.addAction(tr("Move Up"), this, [this, dataBlock] {
      accept(cta::moveDataBlock(m_extension, m_number, dataBlock, -1), tr("Move Data Block"));
    });
    menu.addAction(tr("Move Down"), this, [this, dataBlock] {
      accept(cta::moveDataBlock(m_extension, m_number, dataBlock, 1), tr("Move Data Block"));
    });
  }
  menu.addSeparator();
  menu.addAction(tr("Add Detailed Timing"), this, [this] {
    cta::Dtd timing{};
    std::copy_n(m_baseDtd.begin(), std::min<std::size_t>(18, m_baseDtd.size()), timing.begin());
    accept(cta::addDtd(m_extension, m_number, timing), tr("Add Detailed Timing"));
  });
  if (dtd >= 0)
    menu.addAction(tr("Remove Detailed Timing"), this, [this, dtd] {
      accept(cta::removeDtd(m_extension, m_number, dtd), tr("Remove Detailed Timing"));
    });
  menu.addSeparator();
}

}  // namespace edid::gui
