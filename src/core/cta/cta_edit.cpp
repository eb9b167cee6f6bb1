#include "core/cta/cta_edit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/common/text.h"
#include "core/cta/cta861.h"

namespace edid::cta {

namespace {

constexpr int kMaxPayload = 31;
constexpr int kTagAudio = 1, kTagVideo = 2, kTagVendor = 3, kTagSpeakers = 4, kTagExtended = 7;
constexpr std::array<std::uint8_t, 3> kHdmiOui{0x03, 0x0C, 0x00};
constexpr std::array<std::uint8_t, 3> kHdmiForumOui{0xD8, 0x5D, 0xC4};
constexpr std::array<std::uint8_t, 3> kAmdOui{0x1A, 0x00, 0x00};
constexpr int kExtHdrStatic = 6, kExtHfScdb = 0x79;

int tagOf(const Bytes& b) {
  return b.empty() ? 0 : b[0] >> 5;
}

bool hasOui(const Bytes& b, const std::array<std::uint8_t, 3>& oui) {
  return tagOf(b) == kTagVendor && b.size() >= 4 &&
         std::equal(oui.begin(), oui.end(), b.begin() + 1);
}

bool hasExtTag(const Bytes& b, int ext) {
  return tagOf(b) == kTagExtended && b.size() >= 2 && b[1] == ext;
}

Bytes payloadOf(const Bytes& b) {
  return b.size() > 1 ? Bytes(b.begin() + 1, b.end()) : Bytes{};
}

int findBlock(const CtaBlock& block, Kind kind) {
  for (std::size_t i = 0; i < block.dataBlocks.size(); ++i)
    if (dataBlockKind(block.dataBlocks[i]) == kind) return static_cast<int>(i);
  return -1;
}

Status none(int number, const char* what) {
  return failure("Block " + std::to_string(number) + " has no " + what + ".");
}

Status replaceWith(CtaBlock& block, int index, const Result<Bytes>& bytes) {
  if (!bytes) return failure(bytes.error());
  block.dataBlocks[static_cast<std::size_t>(index)] = *bytes;
  return success();
}

Status checkMhz(int mhz, const char* what) {
  if (mhz < 0 || mhz > 1275 || mhz % 5 != 0)
    return failure(std::string(what) + " must be 0 to 1275 MHz in steps of 5.");
  return success();
}

}  // namespace

int CtaBlock::usedBytes() const {
  int used = 4 + 18 * static_cast<int>(dtds.size()) + 1;
  for (const Bytes& b : dataBlocks) used += static_cast<int>(b.size());
  return used;
}

Result<CtaBlock> parseCta(std::span<const std::uint8_t> b) {
  if (b.size() < 128 || b[0] != kCtaTag) return failure("This is not a CTA-861 block.");
  CtaBlock block;
  block.revision = b[1];
  block.flags = b[3];
  const int d = b[2];
  if (d == 0) return block;
  if (d < 4 || d > 127) return failure("Byte 2 of the block points outside it.");
  for (int at = 4; at < d;) {
    const int length = 1 + (b[static_cast<std::size_t>(at)] & 31);
    if (at + length > d) return failure("A data block runs past the detailed timings.");
    block.dataBlocks.emplace_back(b.begin() + at, b.begin() + at + length);
    at += length;
  }
  for (int at = d; at + 18 <= 127; at += 18) {
    if (b[static_cast<std::size_t>(at)] == 0 && b[static_cast<std::size_t>(at) + 1] == 0) break;
    Dtd dtd;
    std::copy_n(b.begin() + at, 18, dtd.begin());
    block.dtds.push_back(dtd);
  }
  return block;
}

Bytes buildCta(const CtaBlock& block) {
  Bytes out(128, 0);
  out[0] = kCtaTag;
  out[1] = block.revision;
  out[3] = block.flags;
  std::size_t at = 4;
  for (const Bytes& b : block.dataBlocks) {
    std::copy(b.begin(), b.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
    at += b.size();
  }
  out[2] = static_cast<std::uint8_t>(at);
  for (const Dtd& dtd : block.dtds) {
    std::copy(dtd.begin(), dtd.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
    at += 18;
  }
  int sum = 0;
  for (int i = 0; i < 127; ++i) sum += out[static_cast<std::size_t>(i)];
  out[127] = static_cast<std::uint8_t>((256 - sum % 256) % 256);
  return out;
}

Status fitCheck(int number, int oldUsed, int newUsed) {
  if (newUsed <= 128) return success();
  return failure("No room in block " + std::to_string(number) + ": the change needs " +
                 std::to_string(newUsed - oldUsed) + " bytes, " + std::to_string(128 - oldUsed) +
                 " are free.");
}

Result<Bytes> replaceBlock(const Bytes& extension, int number, const Bytes& block) {
  Bytes out = extension;
  std::copy(block.begin(), block.end(),
            out.begin() + static_cast<std::ptrdiff_t>(number - 1) * 128);
  return out;
}

// ---- Codecs

Kind dataBlockKind(const Bytes& b) {
  switch (tagOf(b)) {
    case kTagAudio:
      return Kind::Audio;
    case kTagVideo:
      return Kind::Video;
    case kTagSpeakers:
      return Kind::Speakers;
    case kTagVendor:
      if (decodeHdmi(b)) return Kind::Hdmi;
      if (decodeHdmiForum(b)) return Kind::HdmiForum;
      if (decodeFreeSync(b)) return Kind::FreeSync;
      return Kind::Other;
    case kTagExtended:
      if (b.size() < 2) return Kind::Other;
      if (b[1] == 0) return Kind::VideoCapability;
      if (b[1] == 5) return Kind::Colorimetry;
      if (b[1] == kExtHdrStatic) return decodeHdrStatic(b) ? Kind::HdrStatic : Kind::Other;
      if (b[1] == 14) return Kind::Ycbcr420Video;
      if (b[1] == 15) return Kind::Ycbcr420Map;
      if (b[1] == kExtHfScdb) return decodeHdmiForum(b) ? Kind::HfScdb : Kind::Other;
      return Kind::Other;
    default:
      return Kind::Other;
  }
}

Result<Bytes> withHeader(int tag, const Bytes& payload) {
  if (payload.size() > kMaxPayload) return failure("A data block holds at most 31 bytes.");
  Bytes out{static_cast<std::uint8_t>(tag << 5 | static_cast<int>(payload.size()))};
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

Bytes newDataBlock(Kind kind) {
  switch (kind) {
    case Kind::Audio:
      return {0x23, 0x09, 0x07, 0x07};  // L-PCM, 2 channels, 32-48 kHz, 16-24 bits
    case Kind::Video:
      return {0x41, 0x01};  // 640x480p
    case Kind::Hdmi:
      return {0x65, 0x03, 0x0C, 0x00, 0x10, 0x00};
    case Kind::HdmiForum:
      return {0x67, 0xD8, 0x5D, 0xC4, 0x01, 0x00, 0x00, 0x00};
    case Kind::FreeSync:
      return {0x67, 0x1A, 0x00, 0x00, 0x01, 0x01, 48, 60};
    case Kind::Speakers:
      return {0x83, 0x01, 0x00, 0x00};  // FL/FR
    case Kind::VideoCapability:
      return {0xE2, 0x00, 0x00};
    case Kind::Colorimetry:
      return {0xE3, 0x05, 0x00, 0x00};
    case Kind::HdrStatic:
      return {0xE3, 0x06, 0x01, 0x01};  // traditional gamma SDR, type 1
    case Kind::Ycbcr420Video:
      return {0xE1, 0x0E};
    case Kind::Ycbcr420Map:
      return {0xE1, 0x0F};
    case Kind::HfScdb:
      return {0xE7, 0x79, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00};
    case Kind::Other:
      break;
  }
  return {};
}

AudioBlock decodeAudio(const Bytes& b) {
  AudioBlock audio;
  const Bytes p = payloadOf(b);
  std::size_t i = 0;
  for (; i + 3 <= p.size(); i += 3) {
    AudioDescriptor d;
    d.format = (p[i] >> 3) & 15;
    d.channels = (p[i] & 7) + 1;
    d.rates = p[i + 1] & 0x7F;
    d.byte3 = p[i + 2];
    d.reserved = (p[i] >> 7) | (p[i + 1] >> 7) << 1;
    audio.descriptors.push_back(d);
  }
  audio.tail.assign(p.begin() + static_cast<std::ptrdiff_t>(i), p.end());
  return audio;
}

Result<Bytes> encodeAudio(const AudioBlock& audio) {
  Bytes p;
  for (const AudioDescriptor& d : audio.descriptors) {
    if (d.format < 0 || d.format > 15) return failure("An audio format code is 0 to 15.");
    if (d.channels < 1 || d.channels > 8) return failure("Audio channels must be 1 to 8.");
    if (d.rates < 0 || d.rates > 127 || d.byte3 < 0 || d.byte3 > 255)
      return failure("Sample rates are 7 flags and the third byte 0 to 255.");
    p.push_back(
        static_cast<std::uint8_t>((d.reserved & 1) << 7 | d.format << 3 | (d.channels - 1)));
    p.push_back(static_cast<std::uint8_t>((d.reserved & 2) << 6 | d.rates));
    p.push_back(static_cast<std::uint8_t>(d.byte3));
  }
  p.insert(p.end(), audio.tail.begin(), audio.tail.end());
  return withHeader(kTagAudio, p);
}

VideoBlock decodeVideo(const Bytes& b) {
  return {payloadOf(b)};
}

Result<Bytes> encodeVideo(const VideoBlock& video) {
  return withHeader(kTagVideo, video.svds);
}

SpeakerBlock decodeSpeakers(const Bytes& b) {
  SpeakerBlock s;
  const Bytes p = payloadOf(b);
  s.length = static_cast<int>(p.size());
  for (std::size_t i = 0; i < p.size() && i < 3; ++i) s.flags |= p[i] << (8 * i);
  return s;
}

Result<Bytes> encodeSpeakers(const SpeakerBlock& s) {
  if (s.flags < 0 || s.flags > 0xFFFFFF) return failure("Speaker flags are 24 bits.");
  if (s.length < 3 && (s.flags >> (8 * s.length)) != 0)
    return failure("Speaker flags past the block's length.");
  Bytes p(static_cast<std::size_t>(std::max(s.length, 0)), 0);
  for (std::size_t i = 0; i < p.size() && i < 3; ++i)
    p[i] = static_cast<std::uint8_t>(s.flags >> (8 * i));
  return withHeader(kTagSpeakers, p);
}

std::optional<HdmiBlock> decodeHdmi(const Bytes& b) {
  if (!hasOui(b, kHdmiOui) || b.size() < 6) return std::nullopt;
  HdmiBlock h;
  h.physicalAddress = b[4] << 8 | b[5];
  if (b.size() > 6) h.flags = b[6];
  if (b.size() > 7) h.maxTmdsMhz = b[7] * 5;
  if (b.size() > 8) h.tail.assign(b.begin() + 8, b.end());
  return h;
}

Result<Bytes> encodeHdmi(const HdmiBlock& h) {
  if (h.physicalAddress < 0 || h.physicalAddress > 0xFFFF)
    return failure("A physical address is 0.0.0.0 to 15.15.15.15.");
  Bytes p(kHdmiOui.begin(), kHdmiOui.end());
  p.push_back(static_cast<std::uint8_t>(h.physicalAddress >> 8));
  p.push_back(static_cast<std::uint8_t>(h.physicalAddress & 0xFF));
  if (h.flags || h.maxTmdsMhz) p.push_back(static_cast<std::uint8_t>(h.flags.value_or(0)));
  if (h.maxTmdsMhz) {
    if (Status ok = checkMhz(*h.maxTmdsMhz, "The maximum TMDS clock"); !ok)
      return failure(ok.error());
    p.push_back(static_cast<std::uint8_t>(*h.maxTmdsMhz / 5));
    p.insert(p.end(), h.tail.begin(), h.tail.end());
  }
  return withHeader(kTagVendor, p);
}

std::optional<HdmiForumBlock> decodeHdmiForum(const Bytes& b) {
  const bool scdb = hasExtTag(b, kExtHfScdb);
  if ((!scdb && !hasOui(b, kHdmiForumOui)) || b.size() < 8) return std::nullopt;
  HdmiForumBlock h;
  h.scdb = scdb;
  if (scdb) h.reserved = {b[2], b[3]};
  h.version = b[4];
  h.maxTmdsMhz = b[5] * 5;
  h.flags = b[6];
  h.frlRate = b[7] >> 4;
  h.deepColour420 = b[7] & 15;
  std::size_t next = 8;
  if (b.size() > 8) {
    h.features = b[8];
    next = 9;
  }
  if (b.size() > 10) {
    h.vrrMin = b[9] & 0x3F;
    h.vrrMax = (b[9] >> 6) << 8 | b[10];
    next = 11;
  }
  h.tail.assign(b.begin() + static_cast<std::ptrdiff_t>(next), b.end());
  return h;
}

Result<Bytes> encodeHdmiForum(const HdmiForumBlock& h) {
  if (Status ok = checkMhz(h.maxTmdsMhz, "The maximum TMDS character rate"); !ok)
    return failure(ok.error());
  if (h.frlRate < 0 || h.frlRate > 15) return failure("The FRL rate code is 0 to 15.");
  if (h.vrrMin.value_or(0) < 0 || h.vrrMin.value_or(0) > 63)
    return failure("The VRR minimum must be 0 to 63 Hz.");
  if (h.vrrMax.value_or(0) < 0 || h.vrrMax.value_or(0) > 1023)
    return failure("The VRR maximum must be 0 to 1023 Hz.");
  Bytes p;
  if (h.scdb)
    p = {kExtHfScdb, h.reserved[0], h.reserved[1]};
  else
    p.assign(kHdmiForumOui.begin(), kHdmiForumOui.end());
  p.push_back(static_cast<std::uint8_t>(h.version));
  p.push_back(static_cast<std::uint8_t>(h.maxTmdsMhz / 5));
  p.push_back(static_cast<std::uint8_t>(h.flags));
  p.push_back(static_cast<std::uint8_t>(h.frlRate << 4 | (h.deepColour420 & 15)));
  const bool vrr = h.vrrMin || h.vrrMax;
  if (h.features || vrr) p.push_back(static_cast<std::uint8_t>(h.features.value_or(0)));
  if (vrr) {
    const int max = h.vrrMax.value_or(0);
    p.push_back(static_cast<std::uint8_t>((max >> 8) << 6 | h.vrrMin.value_or(0)));
    p.push_back(static_cast<std::uint8_t>(max & 0xFF));
  }
  p.insert(p.end(), h.tail.begin(), h.tail.end());
  return withHeader(h.scdb ? kTagExtended : kTagVendor, p);
}

std::optional<FreeSyncBlock> decodeFreeSync(const Bytes& b) {
  if (!hasOui(b, kAmdOui) || b.size() < 8) return std::nullopt;
  FreeSyncBlock f;
  f.version = {b[4], b[5]};
  f.minHz = b[6];
  f.maxHz = b[7];
  f.tail.assign(b.begin() + 8, b.end());
  return f;
}

Result<Bytes> encodeFreeSync(const FreeSyncBlock& f) {
  if (f.minHz < 0 || f.minHz > 255 || f.maxHz < 0 || f.maxHz > 255)
    return failure("A FreeSync refresh rate is 0 to 255 Hz.");
  Bytes p(kAmdOui.begin(), kAmdOui.end());
  p.insert(p.end(), f.version.begin(), f.version.end());
  p.push_back(static_cast<std::uint8_t>(f.minHz));
  p.push_back(static_cast<std::uint8_t>(f.maxHz));
  p.insert(p.end(), f.tail.begin(), f.tail.end());
  return withHeader(kTagVendor, p);
}

std::optional<HdrStaticBlock> decodeHdrStatic(const Bytes& b) {
  if (!hasExtTag(b, kExtHdrStatic) || b.size() < 4 || b.size() > 7) return std::nullopt;
  HdrStaticBlock h;
  h.eotfs = b[2];
  h.descriptors = b[3];
  if (b.size() > 4) h.maxCode = b[4];
  if (b.size() > 5) h.maxAverageCode = b[5];
  if (b.size() > 6) h.minCode = b[6];
  return h;
}

Result<Bytes> encodeHdrStatic(const HdrStaticBlock& h) {
  Bytes p{kExtHdrStatic, static_cast<std::uint8_t>(h.eotfs),
          static_cast<std::uint8_t>(h.descriptors)};
  // Each luminance needs the ones before it.
  const std::optional<int> codes[] = {h.maxCode, h.maxAverageCode, h.minCode};
  std::size_t present = 0;
  for (std::size_t i = 0; i < 3; ++i)
    if (codes[i]) present = i + 1;
  for (std::size_t i = 0; i < present; ++i) {
    const int code = codes[i].value_or(0);
    if (code < 0 || code > 255) return failure("A luminance code is 0 to 255.");
    p.push_back(static_cast<std::uint8_t>(code));
  }
  return withHeader(kTagExtended, p);
}

Result<int> maxLuminanceCode(double cdm2) {
  const double code = std::round(32.0 * std::log2(cdm2 / 50.0));
  if (!(code >= 1 && code <= 255)) {
    char text[96];
    std::snprintf(text, sizeof text, "A maximum luminance must be %.1f to %.1f cd/m^2.",
                  50.0 * std::pow(2.0, 0.5 / 32), 50.0 * std::pow(2.0, 255.5 / 32));
    return failure(text);
  }
  return static_cast<int>(code);
}

Result<int> minLuminanceCode(double cdm2, int maxCode) {
  const double max = 50.0 * std::pow(2.0, maxCode / 32.0);
  const double code = std::round(255.0 * std::sqrt(std::max(cdm2, 0.0) * 100.0 / max));
  if (maxCode < 1 || cdm2 < 0 || !(code <= 255)) {
    char text[96];
    std::snprintf(text, sizeof text, "The minimum luminance must be 0 to %.4f cd/m^2.",
                  maxCode < 1 ? 0.0 : max / 100.0);
    return failure(text);
  }
  return static_cast<int>(code);
}

// ---- Editors

Result<Bytes> addDataBlock(const Bytes& extension, int number, const Bytes& dataBlock,
                           int position) {
  return editCta(extension, number, [&](CtaBlock& block) -> Status {
    if (dataBlock.empty() || (dataBlock[0] & 31) + 1u != dataBlock.size())
      return failure("A data block's length must match its header.");
    const auto count = static_cast<int>(block.dataBlocks.size());
    const int at = position < 0 || position > count ? count : position;
    block.dataBlocks.insert(block.dataBlocks.begin() + at, dataBlock);
    return success();
  });
}

Result<Bytes> removeDataBlock(const Bytes& extension, int number, int index) {
  return editCta(extension, number, [&](CtaBlock& block) -> Status {
    if (index < 0 || index >= static_cast<int>(block.dataBlocks.size()))
      return failure("There is no data block " + std::to_string(index + 1) + ".");
    block.dataBlocks.erase(block.dataBlocks.begin() + index);
    return success();
  });
}

Result<Bytes> moveDataBlock(const Bytes& extension, int number, int index, int by) {
  return editCta(extension, number, [&](CtaBlock& block) -> Status {
    const int to = index + by;
    const auto count = static_cast<int>(block.dataBlocks.size());
    if (index < 0 || index >= count || to < 0 || to >= count)
      return failure("That data block cannot move further.");
    std::swap(block.dataBlocks[static_cast<std::size_t>(index)],
              block.dataBlocks[static_cast<std::size_t>(to)]);
    return success();
  });
}

Result<Bytes> replaceDataBlock(const Bytes& extension, int number, int index, const Bytes& bytes) {
  return editCta(extension, number, [&](CtaBlock& block) -> Status {
    if (index < 0 || index >= static_cast<int>(block.dataBlocks.size()))
      return failure("There is no data block " + std::to_string(index + 1) + ".");
    return replaceWith(block, index, bytes);
  });
}

Result<int> vicOf(std::string_view text) {
  int vic = 0;
  bool digits = !text.empty() && text.size() <= 3;
  for (const char c : text) {
    if (c < '0' || c > '9') digits = false;
    if (digits) vic = vic * 10 + (c - '0');
  }
  if (!digits) {
    for (int v = 1; v <= 219; ++v)
      if (!text.empty() && vicName(v).starts_with(text)) return v;
    return failure("No VIC is named \"" + std::string(text) + "\".");
  }
  if (vicName(vic).empty()) return failure("A VIC is 1 to 127 or 193 to 219.");
  return vic;
}

namespace {

int vicOfSvd(int svd) {
  return svd >= 129 && svd <= 192 ? svd & 0x7F : svd;
}

}  // namespace

Result<Bytes> addVic(const Bytes& extension, int number, int vic, bool native) {
  if (vicName(vic).empty()) return failure("A VIC is 1 to 127 or 193 to 219.");
  if (native && vic > 64) return failure("Only VICs 1 to 64 can be native.");
  return editCta(extension, number, [&](CtaBlock& block) -> Status {
    for (const Bytes& b : block.dataBlocks)
      if (dataBlockKind(b) == Kind::Video)
        for (const int svd : decodeVideo(b).svds)
          if (vicOfSvd(svd) == vic)
            return failure("VIC " + std::to_string(vic) + " is listed already.");
    const int index = findBlock(block, Kind::Video);
    const auto svd = static_cast<std::uint8_t>(native ? vic | 0x80 : vic);
    if (index < 0) {
      block.dataBlocks.insert(block.dataBlocks.begin(), *withHeader(kTagVideo, {svd}));
      return success();
    }
    VideoBlock video = decodeVideo(block.dataBlocks[static_cast<std::size_t>(index)]);
    video.svds.push_back(svd);
    return replaceWith(block, index, encodeVideo(video));
  });
}

Result<Bytes> removeVic(const Bytes& extension, int number, int vic) {
  return editCta(extension, number, [&](CtaBlock& block) -> Status {
    for (std::size_t i = 0; i < block.dataBlocks.size(); ++i) {
      if (dataBlockKind(block.dataBlocks[i]) != Kind::Video) continue;
      VideoBlock video = decodeVideo(block.dataBlocks[i]);
      const auto it = std::find_if(video.svds.begin(), video.svds.end(),
                                   [&](int svd) { return vicOfSvd(svd) == vic; });
      if (it == video.svds.end()) continue;
      video.svds.erase(it);
      return replaceWith(block, static_cast<int>(i), encodeVideo(video));
    }
    return failure("VIC " + std::to_string(vic) + " is not listed.");
  });
}

Result<Bytes> setNative(const Bytes& extension, int number, int vic, bool native) {
  if (native && (vic < 1 || vic > 64)) return failure("Only VICs 1 to 64 can be native.");
  return editCta(extension, number, [&](CtaBlock& block) -> Status {
    for (std::size_t i = 0; i < block.dataBlocks.size(); ++i) {
      if (dataBlockKind(block.dataBlocks[i]) != Kind::Video) continue;
      VideoBlock video = decodeVideo(block.dataBlocks[i]);
      for (std::uint8_t& svd : video.svds)
        if (vicOfSvd(svd) == vic) {
          svd = static_cast<std::uint8_t>(native ? vic | 0x80 : vic);
          return replaceWith(block, static_cast<int>(i), encodeVideo(video));
        }
    }
    return failure("VIC " + std::to_string(vic) + " is not listed.");
  });
}

Result<Bytes> removeAllAudio(const Bytes& extension, int number) {
  return editCta(extension, number, [&](CtaBlock& block) -> Status {
    if (findBlock(block, Kind::Audio) < 0) return none(number, "audio data block");
    // The speaker allocation describes the audio, and without audio descriptors the
    // sink supports no basic audio either.
    std::erase_if(block.dataBlocks, [](const Bytes& b) {
      return dataBlockKind(b) == Kind::Audio || dataBlockKind(b) == Kind::Speakers;
    });
    block.flags &= static_cast<std::uint8_t>(~0x40);
    return success();
  });
}

Result<Bytes> setFreeSync(const Bytes& extension, int number, int minHz, int maxHz) {
  return editCta(extension, number, [&](CtaBlock& block) -> Status {
    int index = findBlock(block, Kind::FreeSync);
    if (index < 0) {
      block.dataBlocks.push_back(newDataBlock(Kind::FreeSync));
      index = static_cast<int>(block.dataBlocks.size()) - 1;
    }
    if (minHz < 1 || maxHz > 255 || minHz >= maxHz)
      return failure("A FreeSync range is 1 to 255 Hz, the minimum below the maximum.");
    FreeSyncBlock fs = *decodeFreeSync(block.dataBlocks[static_cast<std::size_t>(index)]);
    fs.minHz = minHz;
    fs.maxHz = maxHz;
    return replaceWith(block, index, encodeFreeSync(fs));
  });
}

Result<Bytes> setHdmiMaxTmds(const Bytes& extension, int number, int mhz) {
  return editCta(extension, number, [&](CtaBlock& block) -> Status {
    const int index = findBlock(block, Kind::Hdmi);
    if (index < 0) return none(number, "HDMI vendor-specific data block");
    HdmiBlock hdmi = *decodeHdmi(block.dataBlocks[static_cast<std::size_t>(index)]);
    hdmi.maxTmdsMhz = mhz;
    return replaceWith(block, index, encodeHdmi(hdmi));
  });
}

Result<Bytes> setHdmiForumMaxTmds(const Bytes& extension, int number, int mhz) {
  return editCta(extension, number, [&](CtaBlock& block) -> Status {
    int index = findBlock(block, Kind::HdmiForum);
    if (index < 0) index = findBlock(block, Kind::HfScdb);
    if (index < 0) return none(number, "HDMI Forum data block");
    HdmiForumBlock hf = *decodeHdmiForum(block.dataBlocks[static_cast<std::size_t>(index)]);
    hf.maxTmdsMhz = mhz;
    return replaceWith(block, index, encodeHdmiForum(hf));
  });
}

Result<Bytes> setFlags(const Bytes& extension, int number, int byte3) {
  if (byte3 < 0 || byte3 > 255) return failure("Byte 3 is 0 to 255.");
  return editCta(extension, number, [&](CtaBlock& block) -> Status {
    block.flags = static_cast<std::uint8_t>(byte3);
    return success();
  });
}

Result<Bytes> addDtd(const Bytes& extension, int number, const Dtd& dtd) {
  if (dtd[0] == 0 && dtd[1] == 0) return failure("A detailed timing needs a pixel clock.");
  return editCta(extension, number, [&](CtaBlock& block) -> Status {
    block.dtds.push_back(dtd);
    return success();
  });
}

Result<Bytes> setDtd(const Bytes& extension, int number, int index, const Dtd& dtd) {
  if (dtd[0] == 0 && dtd[1] == 0) return failure("A detailed timing needs a pixel clock.");
  return editCta(extension, number, [&](CtaBlock& block) -> Status {
    if (index < 0 || index >= static_cast<int>(block.dtds.size()))
      return failure("There is no detailed timing " + std::to_string(index + 1) + ".");
    block.dtds[static_cast<std::size_t>(index)] = dtd;
    return success();
  });
}

namespace {

// The base block's editors work on cells of an image; a CTA DTD borrows its first
// descriptor slot, so checks, shared-bit handling and messages are theirs.
constexpr int kScratchSlot = 54;

template <typename F>
Result<Bytes> editDtdInImage(const Bytes& extension, int number, int index, F&& edit) {
  const std::size_t at = static_cast<std::size_t>(number - 1) * 128;
  if (number < 1 || at + 128 > extension.size())
    return failure("There is no extension block " + std::to_string(number) + ".");
  const auto parsed = parseCta(std::span(extension).subspan(at, 128));
  if (!parsed) return failure(parsed.error());
  if (index < 0 || index >= static_cast<int>(parsed->dtds.size()))
    return failure("There is no detailed timing " + std::to_string(index + 1) + ".");
  const Dtd& old = parsed->dtds[static_cast<std::size_t>(index)];
  Image image;
  for (int i = 0; i < 18; ++i) image.setByte(kScratchSlot + i, old[static_cast<std::size_t>(i)]);
  const Result<CellWrites> writes = edit(image);
  if (!writes) return failure(writes.error());
  image.apply(*writes);
  Dtd dtd{};
  for (int i = 0; i < 18; ++i)
    dtd[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(image.byte(kScratchSlot + i));
  return setDtd(extension, number, index, dtd);
}

}  // namespace

Result<Bytes> editDtdField(const Bytes& extension, int number, int index,
                           detailed_timing::Field field, std::string_view entry) {
  return editDtdInImage(extension, number, index, [&](const Image& image) {
    return detailed_timing::encodeField(image, kScratchSlot, field, entry);
  });
}

Result<Bytes> setDtdInterlaced(const Bytes& extension, int number, int index, bool on) {
  return editDtdInImage(extension, number, index, [&](const Image& image) {
    return Result<CellWrites>(detailed_timing::setInterlaced(image, kScratchSlot, on));
  });
}

Result<Bytes> removeDtd(const Bytes& extension, int number, int index) {
  return editCta(extension, number, [&](CtaBlock& block) -> Status {
    if (index < 0 || index >= static_cast<int>(block.dtds.size()))
      return failure("There is no detailed timing " + std::to_string(index + 1) + ".");
    block.dtds.erase(block.dtds.begin() + index);
    return success();
  });
}

Result<Bytes> addCtaBlock(const Bytes& extension) {
  if (extension.size() / 128 >= static_cast<std::size_t>(kMaxExtensionBlocks))
    return failure("An EDID holds at most 255 extension blocks.");
  Bytes out = extension;
  const Bytes block = buildCta(CtaBlock{});
  out.insert(out.end(), block.begin(), block.end());
  return out;
}

Result<Bytes> removeBlock(const Bytes& extension, int number) {
  const std::size_t at = static_cast<std::size_t>(number - 1) * 128;
  if (number < 1 || at + 128 > extension.size())
    return failure("There is no extension block " + std::to_string(number) + ".");
  Bytes out = extension;
  out.erase(out.begin() + static_cast<std::ptrdiff_t>(at),
            out.begin() + static_cast<std::ptrdiff_t>(at) + 128);
  return out;
}

CellWrites blockCountWrites(const Image& image, const Bytes& extension) {
  const int blocks = static_cast<int>(extension.size() / 128);
  if (image.byte(kExtensionFlagByte) == blocks) return {};
  return {{kExtensionFlagByte, ByteToHex(blocks)}};
}

Result<int> ctaBlockNumber(const Bytes& extension, int nth) {
  int seen = 0;
  for (std::size_t at = 0; at + 128 <= extension.size(); at += 128)
    if (extension[at] == kCtaTag && ++seen == nth) return static_cast<int>(at / 128) + 1;
  return failure("There is no CTA-861 block " + std::to_string(nth) + ".");
}

}  // namespace edid::cta
