#pragma once
// Editing CTA-861 extension blocks. Each editor takes the extension (the whole
// 128-byte blocks after the base block) and returns the new extension, or refuses
// with the reason and changes nothing. Every result keeps the block valid: byte 2
// points past the data block collection, the detailed timings follow it, the rest is
// zero padding and byte 127 is the block's checksum. A change that would not fit in
// 128 bytes is refused rather than truncated.
//
// Each kind of data block has a codec: decode* reads its bytes into fields, encode
// writes the fields back; the two are exact inverses for every block they accept.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/common/image.h"
#include "core/common/result.h"
#include "core/sections/detailed_timing.h"

namespace edid::cta {

using Bytes = std::vector<std::uint8_t>;
using Dtd = std::array<std::uint8_t, 18>;

/// One CTA-861 block taken apart: header, data blocks (each with its header byte)
/// and the detailed timings after them.
struct CtaBlock {
  std::uint8_t revision = 3;
  std::uint8_t flags = 0;  ///< byte 3: underscan, audio, YCbCr 4:4:4 / 4:2:2, native DTDs
  std::vector<Bytes> dataBlocks;
  std::vector<Dtd> dtds;

  /// Bytes the block needs: header, collection, timings and checksum.
  int usedBytes() const;
};

/// Takes a CTA-861 block apart; refuses another tag or a collection that runs past
/// byte 2's offset.
Result<CtaBlock> parseCta(std::span<const std::uint8_t> block);
/// The 128 bytes of a block: byte 2 after the collection, zero padding, checksum.
Bytes buildCta(const CtaBlock& block);

// ---- Codecs of the data blocks

/// The kinds of data block that can be added.
enum class Kind {
  Audio,
  Video,
  Hdmi,
  HdmiForum,
  FreeSync,
  Speakers,
  VideoCapability,
  Colorimetry,
  HdrStatic,
  Ycbcr420Video,
  Ycbcr420Map,
  HfScdb,
  Other,
};

/// The kind of a data block by its tags (and OUI for vendor-specific ones).
Kind dataBlockKind(const Bytes& dataBlock);
/// A new data block of a kind with defaults (HDMI at 1.0.0.0, FreeSync 48-60 Hz...).
Bytes newDataBlock(Kind kind);
/// A data block of tag and payload; refuses a payload of more than 31 bytes.
Result<Bytes> withHeader(int tag, const Bytes& payload);

struct AudioDescriptor {
  int format = 1;    ///< audio format code, 1 = L-PCM, 15 = extended
  int channels = 2;  ///< 1..8
  int rates = 7;     ///< bit 0 = 32 kHz ... bit 6 = 192 kHz
  int byte3 = 7;     ///< L-PCM: bit depths (16, 20, 24); others: their own value
  int reserved = 0;  ///< bit 7 of the first and second bytes, kept as read (bits 0, 1)
};
struct AudioBlock {
  std::vector<AudioDescriptor> descriptors;
  Bytes tail;  ///< a trailing part of a descriptor, kept as read
};
AudioBlock decodeAudio(const Bytes& dataBlock);
Result<Bytes> encodeAudio(const AudioBlock& audio);

struct VideoBlock {
  Bytes svds;  ///< short video descriptors as read: VIC, or 128 + VIC for a native 1..64
};
VideoBlock decodeVideo(const Bytes& dataBlock);
Result<Bytes> encodeVideo(const VideoBlock& video);

struct SpeakerBlock {
  int flags = 0;  ///< the allocation bytes, first byte lowest
  int length = 3;
};
SpeakerBlock decodeSpeakers(const Bytes& dataBlock);
Result<Bytes> encodeSpeakers(const SpeakerBlock& speakers);

struct HdmiBlock {
  int physicalAddress = 0x1000;  ///< a.b.c.d as 0xabcd
  std::optional<int> flags;      ///< byte 6: AI, deep colour, DVI dual
  std::optional<int> maxTmdsMhz;
  Bytes tail;  ///< latencies, 3D and the rest, as read
};
/// HDMI vendor-specific block; needs the OUI and the physical address.
std::optional<HdmiBlock> decodeHdmi(const Bytes& dataBlock);
Result<Bytes> encodeHdmi(const HdmiBlock& hdmi);

/// HDMI Forum fields, in the vendor-specific block or the sink capability block.
struct HdmiForumBlock {
  bool scdb = false;                       ///< the extended-tag sink capability block
  std::array<std::uint8_t, 2> reserved{};  ///< SCDB bytes 2-3, kept as read
  int version = 1;
  int maxTmdsMhz = 0;           ///< 0: 340 MHz or below
  int flags = 0;                ///< byte 6: SCDC, read request, ...
  int frlRate = 0;              ///< 0..15, 0 = no FRL
  int deepColour420 = 0;        ///< low nibble of the FRL byte
  std::optional<int> features;  ///< byte 8: ALLM, FVA, VRR...
  std::optional<int> vrrMin, vrrMax;
  Bytes tail;
};
std::optional<HdmiForumBlock> decodeHdmiForum(const Bytes& dataBlock);
Result<Bytes> encodeHdmiForum(const HdmiForumBlock& hf);

struct FreeSyncBlock {
  std::array<std::uint8_t, 2> version{1, 1};
  int minHz = 48, maxHz = 60;
  Bytes tail;
};
std::optional<FreeSyncBlock> decodeFreeSync(const Bytes& dataBlock);
Result<Bytes> encodeFreeSync(const FreeSyncBlock& fs);

struct HdrStaticBlock {
  int eotfs = 1;
  int descriptors = 1;
  std::optional<int> maxCode, maxAverageCode, minCode;
};
std::optional<HdrStaticBlock> decodeHdrStatic(const Bytes& dataBlock);
Result<Bytes> encodeHdrStatic(const HdrStaticBlock& hdr);

/// Luminance codes from cd/m^2 by the CTA formulas; refused outside what a byte holds.
Result<int> maxLuminanceCode(double cdm2);
Result<int> minLuminanceCode(double cdm2, int maxCode);

// ---- Editors over the extension; number is the 1-based block number

/// Applies change to CTA block number, refusing when the result does not fit.
template <typename F>
Result<Bytes> editCta(const Bytes& extension, int number, F&& change);

Result<Bytes> addDataBlock(const Bytes& extension, int number, const Bytes& dataBlock,
                           int position = -1);
Result<Bytes> removeDataBlock(const Bytes& extension, int number, int index);
/// Moves data block index one place up (-1) or down (+1).
Result<Bytes> moveDataBlock(const Bytes& extension, int number, int index, int by);
/// Replaces data block index with other bytes.
Result<Bytes> replaceDataBlock(const Bytes& extension, int number, int index, const Bytes& bytes);

Result<Bytes> addVic(const Bytes& extension, int number, int vic, bool native = false);
Result<Bytes> removeVic(const Bytes& extension, int number, int vic);
Result<Bytes> setNative(const Bytes& extension, int number, int vic, bool native);
/// A VIC by its number ("97") or the start of its name ("3840x2160p 60").
Result<int> vicOf(std::string_view text);

Result<Bytes> removeAllAudio(const Bytes& extension, int number);
Result<Bytes> setFreeSync(const Bytes& extension, int number, int minHz, int maxHz);
Result<Bytes> setHdmiMaxTmds(const Bytes& extension, int number, int mhz);
Result<Bytes> setHdmiForumMaxTmds(const Bytes& extension, int number, int mhz);
Result<Bytes> setFlags(const Bytes& extension, int number, int byte3);

Result<Bytes> addDtd(const Bytes& extension, int number, const Dtd& dtd);
Result<Bytes> setDtd(const Bytes& extension, int number, int index, const Dtd& dtd);
Result<Bytes> removeDtd(const Bytes& extension, int number, int index);
/// One field of DTD index typed as in the base block's timing editor, with its checks
/// and refusals; a zero pixel clock is refused since it would end the DTD list.
Result<Bytes> editDtdField(const Bytes& extension, int number, int index,
                           detailed_timing::Field field, std::string_view entry);
Result<Bytes> setDtdInterlaced(const Bytes& extension, int number, int index, bool on);

/// A new empty CTA-861 block (revision 3) after the others, or block number removed.
/// Byte 126 of the base follows through the image's cells (see extensionWrites).
Result<Bytes> addCtaBlock(const Bytes& extension);
Result<Bytes> removeBlock(const Bytes& extension, int number);

/// The cell write of byte 126 when the extension holds another number of blocks.
CellWrites blockCountWrites(const Image& image, const Bytes& extension);

/// The block number of the n-th (1-based) CTA-861 block; refused when there is none.
Result<int> ctaBlockNumber(const Bytes& extension, int nth);

// ---- Implementation of the template

Status fitCheck(int number, int oldUsed, int newUsed);
Result<Bytes> replaceBlock(const Bytes& extension, int number, const Bytes& block);

template <typename F>
Result<Bytes> editCta(const Bytes& extension, int number, F&& change) {
  const std::size_t at = static_cast<std::size_t>(number - 1) * 128;
  if (number < 1 || at + 128 > extension.size())
    return failure("There is no extension block " + std::to_string(number) + ".");
  auto parsed = parseCta(std::span(extension).subspan(at, 128));
  if (!parsed) return failure(parsed.error());
  CtaBlock block = *parsed;
  const int oldUsed = block.usedBytes();
  if (Status done = change(block); !done) return failure(done.error());
  if (Status fits = fitCheck(number, oldUsed, block.usedBytes()); !fits)
    return failure(fits.error());
  return replaceBlock(extension, number, buildCta(block));
}

}  // namespace edid::cta
