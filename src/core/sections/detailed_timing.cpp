#include "core/sections/detailed_timing.h"

#include <algorithm>
#include <charconv>

#include "core/common/format.h"
#include "core/common/numbers.h"
#include "core/common/text.h"

namespace edid::detailed_timing {

namespace {

struct FieldLayout {
  std::string_view label;  ///< without its " - " or ": "
  std::string_view unit;
};

constexpr std::array<FieldLayout, kFieldCount> kLayout = {{
    {"Pixel Clock", " MHz"},
    {"Active Time", " pixels"},
    {"Blanking Time", " pixels"},
    {"Active Time", " lines"},
    {"Blanking Time", " lines"},
    {"Sync Offset", " pixels"},
    {"Sync Pulse Width", " pixels"},
    {"Sync Offset", " lines"},
    {"Sync Pulse Width", " lines"},
    {"Border", " pixels"},
    {"Border", " lines"},
    {"Image Size", " mm"},
    {"Image Size", " mm"},
}};

const char* syncTypeName(SyncType type) {
  switch (type) {
    case SyncType::AnalogComposite:
      return "Analog Composite";
    case SyncType::BipolarAnalogComposite:
      return "Bipolar Analog Composite";
    case SyncType::DigitalComposite:
      return "Digital Composite";
    case SyncType::DigitalSeparate:
      break;
  }
  return "Digital Separate";
}

SyncType syncTypeOf(int flags) {
  return static_cast<SyncType>((flags >> 3) & 3);
}

// Flag bit 1: what it says depends on the sync type.
const char* syncLineCaption(int flags) {
  const bool bit1 = flags & 0x02;
  switch (syncTypeOf(flags)) {
    case SyncType::AnalogComposite:
    case SyncType::BipolarAnalogComposite:
      return bit1 ? "Sync on RGB" : "Sync On Green";
    case SyncType::DigitalComposite:
      return bit1 ? "Composite Polarity (+)" : "Composite Polarity (-)";
    case SyncType::DigitalSeparate:
      break;
  }
  return bit1 ? "Horizontal Polarity (+)" : "Horizontal Polarity (-)";
}

// Flag bit 2 of digital separate sync.
const char* vSyncLineCaption(int flags) {
  return flags & 0x04 ? "Vertical Polarity (+)" : "Vertical Polarity (-)";
}

// "Analog Composite (Serrate) Sync On Green", "Digital Separate, Horizontal Polarity (+) ...".
void appendSyncText(std::string& out, int flags) {
  const SyncType type = syncTypeOf(flags);
  out += syncTypeName(type);
  if (type == SyncType::DigitalSeparate) {
    out.append(", ").append(syncLineCaption(flags)).append(" ").append(vSyncLineCaption(flags));
    return;
  }
  if (flags & 0x04) out += " (Serrate)";
  out.append(" ").append(syncLineCaption(flags));
}

const char* interlaceText(int flags) {
  return flags & 0x80 ? "Refreshed Mode: Interlaced" : "Refreshed Mode: Non-Interlaced";
}

int stereoCodeOf(int flags) {
  return ((flags >> 5) & 3) * 2 + (flags & 1);
}

const char* stereoText(int flags) {
  return stereoCodeOf(flags) < 2 ? "Normal Display - No Stereo" : "Stereo";
}

// Text laid out in a fixed buffer, then handed over in one write: a block's
// fields are bounded, so its whole text fits.
class Writer {
 public:
  Writer& operator<<(std::string_view text) {
    m_at = std::copy(text.begin(), text.end(), m_at);
    return *this;
  }
  Writer& operator<<(char c) {
    *m_at++ = c;
    return *this;
  }
  Writer& operator<<(int value) {
    m_at = std::to_chars(m_at, m_at + 12, value).ptr;
    return *this;
  }
  void hundredths(int value) { m_at = format::writeHundredths(m_at, value); }
  std::size_t size() const { return static_cast<std::size_t>(m_at - m_text); }
  /// Spaces up to width columns after the mark from.
  void padTo(std::size_t from, std::size_t width) {
    if (size() - from < width) m_at = std::fill_n(m_at, width - (size() - from), ' ');
  }
  std::string_view text() const { return {m_text, size()}; }
  void resize(std::size_t size) { m_at = m_text + size; }
  /// count spaces in front of the text from the mark from.
  void indent(std::size_t from, std::size_t count) {
    std::copy_backward(m_text + from, m_at, m_at + count);
    std::fill_n(m_text + from, count, ' ');
    m_at += count;
  }

 private:
  char m_text[2048];
  char* m_at = m_text;
};

// A field's value and unit. The fields are whole counts; the clock counts 10 kHz
// steps, shown in MHz with two decimals, which a whole count divided by 100 gives
// exactly.
void writeValueText(Writer& out, Field field, int value) {
  if (field == Field::PixelClock) {
    out.hundredths(value);
  } else {
    out << value;
  }
  out << kLayout[static_cast<std::size_t>(field)].unit;
}

// "Active Time: 1280 pixels".
void writePhrase(Writer& out, Field field, int value) {
  out << kLayout[static_cast<std::size_t>(field)].label << ": ";
  writeValueText(out, field, value);
}

void appendPhrase(std::string& out, Field field, int value) {
  Writer text;
  writePhrase(text, field, value);
  out += text.text();
}

using Values = std::array<int, kFieldCount>;

Values valuesOf(const Image& image, int s) {
  Values values{};
  for (int i = 0; i < kFieldCount; ++i)
    values[static_cast<std::size_t>(i)] = fieldValue(image, s, static_cast<Field>(i));
  return values;
}

struct Frequencies {
  double horizontalKHz = 0;
  double verticalHz = 0;
};

Frequencies frequenciesOf(const Values& values) {
  const auto value = [&](Field f) { return values[static_cast<std::size_t>(f)]; };
  // The clock as shown (two decimals) drives the frequencies, so they match the
  // screen; read back, the shown clock is the double nearest value / 100.
  const double pixelClock = value(Field::PixelClock) / 100.0;
  const double horizontalTotal = value(Field::HorizontalActive) + value(Field::HorizontalBlanking);
  double verticalTotal = value(Field::VerticalActive) + value(Field::VerticalBlanking);
  const double pixelPeriod = pixelClock > 0 ? 1.0 / pixelClock : 0.0;
  double lineTime = horizontalTotal * pixelPeriod;
  if (lineTime == 0) lineTime = 1;
  if (verticalTotal == 0) verticalTotal = 1;
  return {1000.0 / lineTime, 1000000.0 / (verticalTotal * lineTime)};
}

// The block's report text: sixteen lines, each ended by lineEnd, plus one empty line.
void appendReport(std::string& out, const Values& values, int flags, std::string_view lineEnd) {
  const auto value = [&](Field f) { return values[static_cast<std::size_t>(f)]; };
  const Frequencies frequencies = frequenciesOf(values);
  constexpr std::string_view pad9 = "         ";
  Writer r;
  const auto phrase = [&](Field f) { writePhrase(r, f, value(f)); };
  // Two phrases side by side; the right one written by right().
  const auto pair = [&](Field left, auto right) {
    r << pad9;
    const std::size_t from = r.size();
    phrase(left);
    r.padTo(from, 34);
    right();
    r << lineEnd;
  };
  const auto frequency = [&](double number, std::string_view unit) {
    std::string digits;
    appendNumber(digits, number, "0.00");
    r << "Frequency: " << digits << unit;
  };

  // The mode line, centred; dropped when too wide to centre.
  r << value(Field::HorizontalActive) << 'x' << value(Field::VerticalActive) << "  ";
  phrase(Field::PixelClock);
  const int indent = centerIndent(r.size(), 70);
  if (indent < 0)
    r.resize(0);
  else
    r.indent(0, static_cast<std::size_t>(indent));
  r << lineEnd << "______________________________________________________________________"
    << lineEnd << pad9 << "Horizontal ";
  const std::size_t sizeStart = r.size();
  phrase(Field::HorizontalImageSize);
  r.padTo(sizeStart, 23);
  r << "Vertical ";
  phrase(Field::VerticalImageSize);
  r << lineEnd << pad9;
  const std::size_t modeFrom = r.size();
  r << interlaceText(flags);
  r.padTo(modeFrom, 34);
  r << stereoText(flags) << lineEnd << lineEnd << "Horizontal:" << lineEnd;
  pair(Field::HorizontalActive, [&] { phrase(Field::HorizontalBlanking); });
  pair(Field::HorizontalSyncOffset, [&] { phrase(Field::HorizontalSyncWidth); });
  pair(Field::HorizontalBorder, [&] { frequency(frequencies.horizontalKHz, " KHz"); });
  r << lineEnd << "Vertical:" << lineEnd;
  pair(Field::VerticalActive, [&] { phrase(Field::VerticalBlanking); });
  pair(Field::VerticalSyncOffset, [&] { phrase(Field::VerticalSyncWidth); });
  pair(Field::VerticalBorder, [&] { frequency(frequencies.verticalHz, " Hz"); });
  r << lineEnd;
  out += r.text();
  appendSyncText(out, flags);
  out.append(lineEnd).append(lineEnd);
}

}  // namespace

const char* fieldLabel(Field field) {
  return kLayout[static_cast<std::size_t>(field)].label.data();
}

std::string fieldValueText(Field field, int value) {
  Writer text;
  writeValueText(text, field, value);
  return std::string(text.text());
}

bool isDescriptor(const Image& image, int blockStart) {
  // A cell reading "00" is readable and 0, so this also covers three "00" cells.
  for (int i = blockStart; i < blockStart + 3; ++i) {
    if (!image.readable(i) || image.byte(i) != 0) return false;
  }
  return true;
}

namespace {

// The fields' places in the block, for any reader of its bytes.
template <typename Byte>
int fieldOf(Byte b, Field field) {
  switch (field) {
    case Field::PixelClock:
      return b(1) * 256 + b(0);
    case Field::HorizontalActive:
      return (b(4) & 0xF0) * 16 + b(2);
    case Field::HorizontalBlanking:
      return (b(4) & 0x0F) * 256 + b(3);
    case Field::VerticalActive:
      return (b(7) & 0xF0) * 16 + b(5);
    case Field::VerticalBlanking:
      return (b(7) & 0x0F) * 256 + b(6);
    case Field::HorizontalSyncOffset:
      return (b(11) & 0xC0) * 4 + b(8);
    case Field::HorizontalSyncWidth:
      return (b(11) & 0x30) * 16 + b(9);
    case Field::VerticalSyncOffset:
      return (b(11) & 0x0C) * 4 + (b(10) & 0xF0) / 16;
    case Field::VerticalSyncWidth:
      return (b(11) & 0x03) * 16 + (b(10) & 0x0F);
    case Field::HorizontalBorder:
      return b(15);
    case Field::VerticalBorder:
      return b(16);
    case Field::HorizontalImageSize:
      return (b(14) & 0xF0) * 16 + b(12);
    case Field::VerticalImageSize:
      return (b(14) & 0x0F) * 256 + b(13);
  }
  return 0;
}

}  // namespace

int fieldValue(const Image& image, int s, Field field) {
  return fieldOf([&](int offset) { return image.byte(s + offset); }, field);
}

int fieldValue(std::span<const std::uint8_t, 18> block, Field field) {
  return fieldOf([block](int offset) { return int{block[static_cast<std::size_t>(offset)]}; },
                 field);
}

Timing decode(const Image& image, int s) {
  Timing t;
  t.values = valuesOf(image, s);
  for (int i = 0; i < kFieldCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    appendPhrase(t.phrases[index], static_cast<Field>(i), t.values[index]);
  }
  const int flags = image.byte(s + 17);
  t.interlaced = flags & 0x80;
  t.interlaceText = interlaceText(flags);
  t.stereoCode = stereoCodeOf(flags);
  t.stereoText = stereoText(flags);
  t.syncType = syncTypeOf(flags);
  t.syncLineCaption = syncLineCaption(flags);
  if (t.syncType == SyncType::DigitalSeparate)
    t.vSyncLineCaption = vSyncLineCaption(flags);
  else
    t.serrate = flags & 0x04;
  appendSyncText(t.syncText, flags);
  const Frequencies frequencies = frequenciesOf(t.values);
  appendNumber(t.horizontalFrequency, frequencies.horizontalKHz, "0.00");
  appendNumber(t.verticalFrequency, frequencies.verticalHz, "0.00");
  t.reportText.reserve(1024);
  appendReport(t.reportText, t.values, flags, kCrLf);
  return t;
}

void appendReportText(const Image& image, int blockStart, std::string& out,
                      std::string_view lineEnd) {
  appendReport(out, valuesOf(image, blockStart), image.byte(blockStart + 17), lineEnd);
}

}  // namespace edid::detailed_timing
