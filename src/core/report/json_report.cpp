#include "core/report/json_report.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string_view>

#include "core/check/conformance.h"
#include "core/common/format.h"
#include "core/common/layout.h"
#include "core/common/text.h"
#include "core/cta/cta861.h"
#include "core/sections/cvt_codes.h"
#include "core/sections/detailed_timing.h"
#include "core/sections/digital_input.h"
#include "core/sections/established_iii.h"
#include "core/sections/monitor_descriptor.h"
#include "core/sections/range_limits.h"
#include "core/sections/vendor.h"
#include "core/sections/version.h"

namespace edid {

namespace {

using Json = nlohmann::ordered_json;

// The JSON as it is written: a buffer kept longer than the text, so that writing
// a short piece is one bounds check and a copy rather than a string append.
class JsonText {
 public:
  /// Room for n characters at the end; the writer then calls commit.
  char* room(std::size_t n) {
    if (m_size - m_used < n) grow(n);
    return m_data.get() + m_used;
  }
  /// The text now ends at end, within the room asked for.
  void commit(const char* end) { m_used = static_cast<std::size_t>(end - m_data.get()); }

  JsonText& operator+=(char c) {
    *room(1) = c;
    ++m_used;
    return *this;
  }
  JsonText& operator+=(std::string_view text) {
    std::memcpy(room(text.size()), text.data(), text.size());
    m_used += text.size();
    return *this;
  }
  void appendInt(std::int64_t value) { commit(format::writeInt(room(20), value)); }
  void appendSpaces(std::size_t count) {
    std::memset(room(count), ' ', count);
    m_used += count;
  }

  std::string take() const { return {m_data.get(), m_used}; }

 private:
  void grow(std::size_t n) {
    const std::size_t size = std::max(2 * m_size, m_used + n);
    auto data = std::make_unique_for_overwrite<char[]>(size);
    if (m_used) std::memcpy(data.get(), m_data.get(), m_used);
    m_data = std::move(data);
    m_size = size;
  }

  // Room for most reports; the larger ones with extensions grow it once.
  static constexpr std::size_t kFirstSize = 8192;
  std::unique_ptr<char[]> m_data = std::make_unique_for_overwrite<char[]>(kFirstSize);
  std::size_t m_size = kFirstSize;
  std::size_t m_used = 0;
};

// The descriptors of 1.4 only, F7 and F8, as rare as they are long.
void addDescriptors(Json& root, const Image& image, bool edid14) {
  if (!edid14) return;
  Json established = Json::array();
  Json cvt = Json::array();
  for (int k = 0; k < layout::kBlockCount; ++k) {
    const int start = layout::blockStart(k);
    if (!detailed_timing::isDescriptor(image, start)) continue;
    const int tag = image.byte(start + 3);
    if (tag == 0xF7) {
      const established_iii::Decoded d = established_iii::decode(image, start);
      for (int t = 0; t < established_iii::kTimings; ++t)
        if (d.set[std::size_t(t)]) established.push_back(established_iii::caption(t));
    } else if (tag == 0xF8) {
      for (const cvt_codes::Code& code : cvt_codes::decode(image, start).codes) {
        if (!code.used) continue;
        Json rates = Json::array();
        for (std::size_t r = 0; r < code.rates.size(); ++r)
          if (code.rates[r]) rates.push_back(cvt_codes::rateCaptions()[r]);
        cvt.push_back(
            {{"width", code.width},
             {"lines", code.lines},
             {"aspect", cvt_codes::aspectCaptions()[std::size_t(code.aspect)]},
             {"preferred_rate", cvt_codes::preferredCaptions()[std::size_t(code.preferred)]},
             {"rates", rates}});
      }
    }
  }
  if (!established.empty()) root["established_timings_iii"] = established;
  if (!cvt.empty()) root["cvt_codes"] = cvt;
}

// True when a string goes into JSON as it stands: printable ASCII without
// quotes or backslashes, as nearly every key and value is.
bool plainJsonText(std::string_view text) {
  static constexpr auto kPlain = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7F; ++c) plain[std::size_t(c)] = c != '"' && c != '\\';
    return plain;
  }();
  bool plain = true;
  for (const char c : text) plain &= kPlain[static_cast<unsigned char>(c)];
  return plain;
}

void writeJsonString(JsonText& out, std::string_view text) {
  if (!plainJsonText(text)) {
    // Escapes and UTF-8 checks as the library writes them.
    out += Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
    return;
  }
  char* p = out.room(text.size() + 2);
  *p++ = '"';
  std::memcpy(p, text.data(), text.size());
  p += text.size();
  *p++ = '"';
  out.commit(p);
}

// Items between braces, one to a line, as dump(2) lays them out, written as they
// come: a decoded tree need not be counted or gathered first.
class Braced {
 public:
  Braced(JsonText& out, char open, char close, std::size_t depth)
      : m_out(out), m_close(close), m_depth(depth) {
    m_out += open;
  }
  /// Starts the next item, at depth + 1, with its "key": when it has one; the
  /// caller writes the rest.
  void next(std::string_view key = {}) {
    const std::size_t margin = 2 * (m_depth + 1);
    char* p = m_out.room(2 + margin + key.size() + 4);
    if (m_any) *p++ = ',';
    *p++ = '\n';
    m_any = true;
    std::memset(p, ' ', margin);
    p += margin;
    if (!key.empty()) {
      // Keys are snake_case literals: nothing in them needs escaping.
      *p++ = '"';
      std::memcpy(p, key.data(), key.size());
      p += key.size();
      *p++ = '"';
      *p++ = ':';
      *p++ = ' ';
    }
    m_out.commit(p);
  }
  void close() {
    if (m_any) {
      m_out += '\n';
      m_out.appendSpaces(2 * m_depth);
    }
    m_out += m_close;
  }

 private:
  JsonText& m_out;
  char m_close;
  std::size_t m_depth;
  bool m_any = false;
};

// The tree as dump(2) writes it, without the library's per-character escaping
// of every string: plain strings and integers are written directly, anything
// else through the library.
void writeJson(JsonText& out, const Json& value, std::size_t depth) {
  switch (value.type()) {
    case Json::value_t::object:
    case Json::value_t::array: {
      const bool object = value.is_object();
      Braced items(out, object ? '{' : '[', object ? '}' : ']', depth);
      for (auto it = value.begin(); it != value.end(); ++it) {  // the items come in order
        items.next();
        if (object) {
          writeJsonString(out, it.key());
          out += ": ";
        }
        writeJson(out, *it, depth + 1);
      }
      items.close();
      return;
    }
    case Json::value_t::string:
      writeJsonString(out, value.get_ref<const std::string&>());
      return;
    case Json::value_t::boolean:
      out += value.get<bool>() ? "true" : "false";
      return;
    case Json::value_t::null:
      out += "null";
      return;
    case Json::value_t::number_integer:
      out.appendInt(value.get<std::int64_t>());
      return;
    default:
      out += value.dump(-1, ' ', false, Json::error_handler_t::replace);
      return;
  }
}

// Writes one value at depth, as dump(2) lays it out.
using ValueWriter = std::function<void(JsonText&, std::size_t)>;

struct Member {
  std::string_view key;
  ValueWriter write;
};

// An object as a library object fills by key: a repeated key keeps its first
// place and takes its last value.
void writeObject(JsonText& out, const std::vector<Member>& members, std::size_t depth) {
  std::vector<std::size_t> first;  // the first place of each key
  for (std::size_t i = 0; i < members.size(); ++i) {
    bool repeated = false;
    for (const std::size_t j : first) repeated = repeated || members[j].key == members[i].key;
    if (!repeated) first.push_back(i);
  }
  Braced object(out, '{', '}', depth);
  for (const std::size_t place : first) {
    std::size_t last = place;
    for (std::size_t j = place + 1; j < members.size(); ++j)
      if (members[j].key == members[place].key) last = j;
    object.next(members[place].key);
    members[last].write(out, depth + 1);
  }
  object.close();
}

// A measure: whole ones as integers (sample rates read 32, 44.1, 48), the rest
// as the library writes them.
void writeMeasure(JsonText& out, double value) {
  if (value == static_cast<double>(static_cast<std::int64_t>(value)))
    return out.appendInt(static_cast<std::int64_t>(value));
  out += Json(value).dump();
}

void writeValue(JsonText& out, const cta::ItemValue& value, std::size_t depth) {
  if (const auto* text = std::get_if<std::string_view>(&value)) return writeJsonString(out, *text);
  if (const auto* number = std::get_if<std::int64_t>(&value)) return out.appendInt(*number);
  if (const auto* on = std::get_if<bool>(&value)) {
    out += *on ? std::string_view("true") : std::string_view("false");
    return;
  }
  if (const auto* names = std::get_if<std::span<const std::string_view>>(&value)) {
    Braced list(out, '[', ']', depth);
    for (const std::string_view name : *names) {
      list.next();
      writeJsonString(out, name);
    }
    return list.close();
  }
  if (const auto* measures = std::get_if<std::span<const double>>(&value)) {
    Braced list(out, '[', ']', depth);
    for (const double measure : *measures) {
      list.next();
      writeMeasure(out, measure);
    }
    return list.close();
  }
  // A single measure as it is: a luminance of 50 reads 50.0.
  if (const auto* measure = std::get_if<double>(&value)) {
    out += Json(*measure).dump();
    return;
  }
  out += std::string_view("null");
}

// Decoded items as JSON, written as they come: a group as an object of its keyed
// items or a list of its items, leaving out items that are only shown. A decode
// never repeats a key within a group, so each member is written where it comes.
class JsonSink final : public cta::Sink {
 public:
  /// Items go into the object or list outer, open at depth.
  // JSON takes keys and values only: the decode skips the texts made for showing.
  JsonSink(JsonText& out, Braced& outer, bool object, std::size_t depth)
      : cta::Sink(false), m_out(out) {
    m_frames.reserve(8);
    m_frames.push_back({std::nullopt, &outer, object, depth});
  }

  bool open(cta::Item&& group) override {
    if (m_skipped || !start(group.key)) {
      ++m_skipped;
      return false;
    }
    const bool object = group.shape == cta::Item::Shape::Object;
    const std::size_t depth = m_frames.back().depth + 1;
    m_frames.push_back(
        {Braced(m_out, object ? '{' : '[', object ? '}' : ']', depth), nullptr, object, depth});
    return true;
  }
  void add(cta::Item&& item) override {
    if (m_skipped || item.value.index() == 0 || !start(item.key)) return;
    writeValue(m_out, item.value, m_frames.back().depth + 1);
  }
  void close() override {
    if (m_skipped) {
      --m_skipped;
      return;
    }
    m_frames.back().braced().close();
    m_frames.pop_back();
  }

 private:
  // A group being written: the caller's outer one, or one of the sink's own.
  struct Frame {
    std::optional<Braced> own;
    Braced* outer;
    Braced& braced() { return own ? *own : *outer; }
    bool object;
    std::size_t depth;
  };

  // Starts a member of the open group: false for an item an object cannot hold.
  bool start(std::string_view key) {
    Frame& frame = m_frames.back();
    if (frame.object && key.empty()) return false;
    frame.braced().next(frame.object ? key : std::string_view());
    return true;
  }

  JsonText& m_out;
  std::vector<Frame> m_frames;
  int m_skipped = 0;  // depth within a group left out
};

void writeBool(JsonText& out, bool value) {
  out += value ? "true" : "false";
}

// Byte 20 as far as it means more than the report's captions: from 1.4 a digital
// input's depth and interface.
void writeInput(JsonText& out, const Image& image, bool edid14, std::size_t depth) {
  const int b20 = image.byte(20);
  const bool digital = (b20 & 0x80) != 0;
  Braced input(out, '{', '}', depth);
  input.next("digital");
  writeBool(out, digital);
  const int bits = (b20 >> 4) & 0x07;
  const int code = b20 & 0x0F;  // 0 undefined, past 5 reserved
  if (edid14 && digital && bits >= 1 && bits <= 6) {
    input.next("bits_per_color");
    out.appendInt(4 + 2 * bits);
  }
  if (edid14 && digital && code >= 1 && code <= 5) {
    input.next("interface");
    writeJsonString(out, digital_input::interfaceCaptions()[std::size_t(code)]);
  }
  input.close();
}

void writeRangeLimits(JsonText& out, const Image& image, int start, bool edid14,
                      std::size_t depth) {
  const range_limits::Rates rates = range_limits::rates(image, start);
  static constexpr std::array<std::string_view, 4> kRates = {"v_min_hz", "v_max_hz", "h_min_khz",
                                                             "h_max_khz"};
  Braced limits(out, '{', '}', depth);
  for (std::size_t k = 0; k < kRates.size(); ++k) {
    limits.next(kRates[k]);
    out.appendInt(rates.value[k]);
  }
  const int clock = range_limits::maxPixelClockMHz(image, start);
  if (clock != 0) {
    limits.next("max_pixel_clock_mhz");
    out.appendInt(clock);
  }
  static constexpr std::array<const char*, 5> kSupport = {"default_gtf", "range_limits_only",
                                                          "secondary_gtf", nullptr, "cvt"};
  // 1.3 defines 00 and 02 only; 1.4 adds 01 and 04.
  const int support = range_limits::timingSupport(image, start);
  const bool defined =
      support == range_limits::kDefaultGtf || support == range_limits::kSecondaryGtf ||
      (edid14 && (support == range_limits::kRangeLimitsOnly || support == range_limits::kCvt));
  limits.next("timing_support");
  writeJsonString(out, defined ? kSupport[std::size_t(support)] : "reserved");
  limits.close();
}

// The check's findings, each object as edidtool check --json writes it.
void writeProblems(JsonText& out, const std::vector<check::Finding>& findings, std::size_t depth) {
  Braced list(out, '[', ']', depth);
  for (const check::Finding& f : findings) {
    list.next();
    Braced object(out, '{', '}', depth + 1);
    object.next("severity");
    writeJsonString(out, check::severityName(f.severity));
    object.next("block");
    out.appendInt(f.block);
    object.next("first_byte");
    out.appendInt(f.first);
    object.next("last_byte");
    out.appendInt(f.last);
    object.next("message");
    writeJsonString(out, f.message);
    object.close();
  }
  list.close();
}

}  // namespace

std::string jsonReport(const Image& image, bool hideSerialNumbers) {
  // The base block's members are written directly; only the rare 1.4
  // descriptors go through a library tree.
  std::vector<Member> members;
  members.reserve(16);
  const bool checksumValid = image.checksumTest() == 0;
  members.push_back(
      {"checksum_valid", [&](JsonText& o, std::size_t) { writeBool(o, checksumValid); }});
  const std::string manufacturer = vendor::manufacturerLetters(image);
  const int productCode = image.byte(10) | image.byte(11) << 8;
  const std::uint32_t serial = static_cast<std::uint32_t>(image.byte(12)) |
                               static_cast<std::uint32_t>(image.byte(13)) << 8 |
                               static_cast<std::uint32_t>(image.byte(14)) << 16 |
                               static_cast<std::uint32_t>(image.byte(15)) << 24;
  const std::string hidden = "...";
  std::optional<std::string> serialText;
  int rangeLimitsStart = -1;  // the first range limits descriptor counts
  for (int k = 0; k < layout::kBlockCount; ++k) {
    const int start = layout::blockStart(k);
    if (!detailed_timing::isDescriptor(image, start)) continue;
    const int tag = image.byte(start + 3);
    if (tag == 0xFF && !serialText) {
      serialText =
          hideSerialNumbers ? hidden : windows1252ToUtf8(monitor_descriptor::textOf(image, start));
    }
    if (tag == 0xFD && rangeLimitsStart < 0) rangeLimitsStart = start;
  }
  members.push_back({"vendor", [&](JsonText& o, std::size_t d) {
                       Braced vendor(o, '{', '}', d);
                       vendor.next("manufacturer");
                       writeJsonString(o, manufacturer);
                       vendor.next("product_code");
                       o.appendInt(productCode);
                       if (serial != 0) {
                         vendor.next("serial_number");
                         if (hideSerialNumbers)
                           writeJsonString(o, hidden);
                         else
                           o.appendInt(serial);
                       }
                       if (serialText) {
                         vendor.next("serial_text");
                         writeJsonString(o, *serialText);
                       }
                       vendor.close();
                     }});
  const std::string versionText = version::versionText(image) + "." + version::revisionText(image);
  members.push_back(
      {"version", [&](JsonText& o, std::size_t) { writeJsonString(o, versionText); }});
  const int extensionCount = image.byte(kExtensionFlagByte);
  members.push_back(
      {"extension_count", [&](JsonText& o, std::size_t) { o.appendInt(extensionCount); }});
  const bool edid14 = version::isEdid14(image);
  members.push_back(
      {"input", [&](JsonText& o, std::size_t d) { writeInput(o, image, edid14, d); }});
  // Feature bits 1-0 mean more than the report's captions from 1.4.
  const int features = image.byte(24);
  if (edid14) {
    members.push_back({"features", [&](JsonText& o, std::size_t d) {
                         Braced bits(o, '{', '}', d);
                         bits.next("continuous_frequency");
                         writeBool(o, (features & 0x01) != 0);
                         bits.next("preferred_timing_is_native");
                         writeBool(o, (features & 0x02) != 0);
                         bits.close();
                       }});
  }
  if (rangeLimitsStart >= 0) {
    members.push_back({"range_limits", [&](JsonText& o, std::size_t d) {
                         writeRangeLimits(o, image, rangeLimitsStart, edid14, d);
                       }});
  }
  Json root;  // stays null, and costs nothing, unless a 1.4 descriptor is found
  addDescriptors(root, image, edid14);
  // The decoded timings and blocks are written from their items directly: they
  // are most of the text, and a library tree of them costs more than the rest.
  std::vector<int> timings;
  for (int k = 0; k < layout::kBlockCount; ++k)
    if (!detailed_timing::isDescriptor(image, layout::blockStart(k))) timings.push_back(k);
  const std::vector<std::uint8_t>& extension = image.extension();
  const std::vector<check::Finding> problems = check::checkImage(image);

  for (auto it = root.begin(); it != root.end(); ++it) {
    const Json& value = *it;
    members.push_back({it.key(), [&value](JsonText& o, std::size_t d) { writeJson(o, value, d); }});
  }
  members.push_back({"detailed_timings", [&](JsonText& o, std::size_t d) {
                       Braced list(o, '[', ']', d);
                       JsonSink sink(o, list, false, d);
                       for (const int k : timings)
                         cta::walkTiming(image, layout::blockStart(k), k + 1, sink);
                       list.close();
                     }});
  members.push_back({"extensions", [&extension](JsonText& o, std::size_t d) {
                       Braced list(o, '[', ']', d);
                       for (std::size_t at = 0; at + cta::kBlockSize <= extension.size();
                            at += cta::kBlockSize) {
                         const auto bytes = std::span(extension).subspan(at, cta::kBlockSize);
                         list.next();
                         Braced object(o, '{', '}', d + 1);
                         object.next("block");
                         o.appendInt(static_cast<int>(at / cta::kBlockSize) + 1);
                         object.next("tag");
                         o.appendInt(bytes[0]);
                         object.next("kind");
                         writeJsonString(o, cta::kindOf(bytes[0]));
                         JsonSink sink(o, object, true, d + 1);
                         cta::walkBlock(bytes, sink);
                         object.close();
                       }
                       list.close();
                     }});
  members.push_back(
      {"problems", [&problems](JsonText& o, std::size_t d) { writeProblems(o, problems, d); }});
  JsonText text;
  writeObject(text, members, 0);
  text += '\n';
  return text.take();
}

}  // namespace edid
