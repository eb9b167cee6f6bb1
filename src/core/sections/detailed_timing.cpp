#include "core/sections/detailed_timing.h"

#include "core/common/numbers.h"
#include "core/common/text.h"

namespace edid::detailed_timing {

namespace {

struct FieldLayout {
  const char* label;  ///< without its " - " or ": "
  const char* unit;
};

const std::array<FieldLayout, kFieldCount> kLayout = {{
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

std::string syncTypeName(SyncType type) {
  switch (type) {
    case SyncType::AnalogComposite:
      return "Analog Composite ";
    case SyncType::BipolarAnalogComposite:
      return "Bipolar Analog Composite ";
    case SyncType::DigitalComposite:
      return "Digital Composite ";
    case SyncType::DigitalSeparate:
      break;
  }
  return "Digital Separate, ";
}

void decodeSync(int flags, Timing& t) {
  t.syncType = static_cast<SyncType>((flags >> 3) & 3);
  const bool bit1 = flags & 0x02;
  const bool bit2 = flags & 0x04;
  switch (t.syncType) {
    case SyncType::AnalogComposite:
    case SyncType::BipolarAnalogComposite:
      t.syncLineCaption = bit1 ? "Sync on RGB" : "Sync On Green";
      break;
    case SyncType::DigitalComposite:
      t.syncLineCaption = bit1 ? "Composite Polarity (+)" : "Composite Polarity (-)";
      break;
    case SyncType::DigitalSeparate:
      t.syncLineCaption = bit1 ? "Horizontal Polarity (+)" : "Horizontal Polarity (-)";
      t.vSyncLineCaption = bit2 ? "Vertical Polarity (+)" : "Vertical Polarity (-)";
      t.syncText = syncTypeName(t.syncType) + t.syncLineCaption + " " + t.vSyncLineCaption;
      return;
  }
  t.serrate = bit2;
  std::string name = syncTypeName(t.syncType);
  // "Analog Composite " becomes "Analog Composite (Serrate) ".
  if (t.serrate) name.insert(name.size() - 1, " (Serrate)");
  t.syncText = name + t.syncLineCaption;
}

}  // namespace

const char* fieldLabel(Field field) {
  return kLayout[static_cast<std::size_t>(field)].label;
}

std::string fieldValueText(Field field, int value) {
  const std::string number =
      field == Field::PixelClock ? formatNumber(value / 100.0, "0.00") : formatNumber(value, "0");
  return number + kLayout[static_cast<std::size_t>(field)].unit;
}

bool isDescriptor(const Image& image, int blockStart) {
  if (image.cell(blockStart) + image.cell(blockStart + 1) + image.cell(blockStart + 2) == "000000")
    return true;
  for (int i = blockStart; i < blockStart + 3; ++i) {
    if (!image.readable(i) || image.byte(i) != 0) return false;
  }
  return true;
}

int fieldValue(const Image& image, int s, Field field) {
  const auto b = [&](int offset) { return image.byte(s + offset); };
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

Timing decode(const Image& image, int s) {
  Timing t;
  for (int i = 0; i < kFieldCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    const auto field = static_cast<Field>(i);
    t.values[index] = fieldValue(image, s, field);
    t.phrases[index] =
        std::string(fieldLabel(field)) + ": " + fieldValueText(field, t.values[index]);
  }
  const auto value = [&](Field f) { return t.values[static_cast<std::size_t>(f)]; };
  const auto phrase = [&](Field f) -> const std::string& {
    return t.phrases[static_cast<std::size_t>(f)];
  };

  const int flags = image.byte(s + 17);
  t.interlaced = flags & 0x80;
  t.interlaceText = t.interlaced ? "Refreshed Mode: Interlaced" : "Refreshed Mode: Non-Interlaced";

  t.stereoCode = ((flags >> 5) & 3) * 2 + (flags & 1);
  t.stereoText = t.stereoCode < 2 ? "Normal Display - No Stereo" : "Stereo";

  decodeSync(flags, t);

  // The clock as shown (two decimals) drives the frequencies, so they match the screen.
  const double pixelClock = leadingNumber(formatNumber(value(Field::PixelClock) / 100.0, "0.00"));
  const double horizontalTotal = value(Field::HorizontalActive) + value(Field::HorizontalBlanking);
  double verticalTotal = value(Field::VerticalActive) + value(Field::VerticalBlanking);
  const double pixelPeriod = pixelClock > 0 ? 1.0 / pixelClock : 0.0;
  double lineTime = horizontalTotal * pixelPeriod;
  if (lineTime == 0) lineTime = 1;
  if (verticalTotal == 0) verticalTotal = 1;
  t.horizontalFrequency = formatNumber(1000.0 / lineTime, "0.00");
  t.verticalFrequency = formatNumber(1000000.0 / (verticalTotal * lineTime), "0.00");
  const std::string horizontalPhrase = "Frequency: " + t.horizontalFrequency + " KHz";
  const std::string verticalPhrase = "Frequency: " + t.verticalFrequency + " Hz";

  const std::string crlf(kCrLf);
  const std::string pad9(9, ' ');
  std::string& r = t.reportText;
  // Two phrases side by side, written straight onto the text.
  const auto pair = [&](const std::string& left, const std::string& right) {
    r.append(pad9).append(left);
    if (left.size() < 34) r.append(34 - left.size(), ' ');
    r.append(right).append(crlf);
  };
  r.reserve(1024);
  r += CenterText(formatNumber(value(Field::HorizontalActive), "0") + "x" +
                      formatNumber(value(Field::VerticalActive), "0") + "  " +
                      phrase(Field::PixelClock),
                  70) +
       crlf;
  r += RepeatText("_", 70) + crlf;
  r += pad9 + "Horizontal " + PadRight(phrase(Field::HorizontalImageSize), 23) + "Vertical " +
       phrase(Field::VerticalImageSize) + crlf;
  r += pad9 + PadRight(t.interlaceText, 34) + t.stereoText + crlf;
  r += crlf + "Horizontal:" + crlf;
  pair(phrase(Field::HorizontalActive), phrase(Field::HorizontalBlanking));
  pair(phrase(Field::HorizontalSyncOffset), phrase(Field::HorizontalSyncWidth));
  pair(phrase(Field::HorizontalBorder), horizontalPhrase);
  r += crlf + "Vertical:" + crlf;
  pair(phrase(Field::VerticalActive), phrase(Field::VerticalBlanking));
  pair(phrase(Field::VerticalSyncOffset), phrase(Field::VerticalSyncWidth));
  pair(phrase(Field::VerticalBorder), verticalPhrase);
  r += crlf + t.syncText + crlf + crlf;
  return t;
}

}  // namespace edid::detailed_timing
