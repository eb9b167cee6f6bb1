#pragma once
// The monitors the kernel has read over DDC: on Linux every connector of a
// graphics card appears as /sys/class/drm/card<N>-<connector>/ with its "status",
// "enabled" and the EDID the monitor sent in "edid" (readable without root).

#include <cstddef>
#include <string>
#include <vector>

#include "core/common/result.h"

namespace edid {

inline constexpr const char* kDefaultSysfsRoot = "/sys/class/drm";

/// One display connector of a graphics card.
struct Connector {
  std::string name;      ///< the folder name, "card0-DP-1"
  std::string label;     ///< the connector without its card, "DP-1"
  std::string status;    ///< "connected", "disconnected", "unknown" ("" when unreadable)
  std::string enabled;   ///< "enabled" or "disabled" ("" when unreadable)
  std::string edid;      ///< every byte the monitor sent (all blocks); empty when none
  std::string edidNote;  ///< what went wrong reading edid (see EdidRead); "" when nothing

  bool connected() const { return status == "connected"; }
};

/// The most of an "edid" attribute read: the base block and 255 extension blocks.
inline constexpr std::size_t kMaxSysfsEdidSize = 256 * 128;

/// What reading one "edid" attribute gave.
struct EdidRead {
  std::string bytes;  ///< at most kMaxSysfsEdidSize bytes; empty when none or unreadable
  /// "" when all went well (or there is no such file); "cannot read: <reason>" when
  /// nothing could be read; "the EDID read stops at 32 KiB (256 blocks)" when it had more.
  std::string note;
};

/// Reads the "edid" attribute at path. Never waits (a FIFO in its place reads as
/// empty) and never reads more than kMaxSysfsEdidSize bytes (a link to /dev/zero).
EdidRead readSysfsEdid(const std::string& path);

/// The connectors under root ("card<N>-<name>" folders), sorted by card and name
/// with numbers in numeric order. A root that does not exist has no connectors.
std::vector<Connector> listConnectors(const std::string& root = kDefaultSysfsRoot);

/// The connected connectors that report an EDID, in listConnectors order.
std::vector<Connector> monitorsWithEdid(const std::vector<Connector>& connectors);

/// The connector named name ("DP-1" or "card0-DP-1"), or nullptr.
const Connector* findConnector(const std::vector<Connector>& connectors, const std::string& name);

/// Reads one connector's EDID the way the retrieve command asks a DDC reader: each
/// call reads the connector's "edid" file again; an unreadable file reads as "" and
/// note() tells why.
class SysfsDdcReader {
 public:
  SysfsDdcReader(std::string root, std::string connector);
  /// The EDID as the monitor sent it. buffer is the caller's 128-character buffer,
  /// left as it is.
  std::string ReadEdid(std::string& buffer) const;
  /// How many times ReadEdid ran.
  int reads() const { return m_reads; }
  /// The note of the last read, as EdidRead::note.
  const std::string& note() const { return m_note; }

 private:
  std::string m_path;
  mutable int m_reads = 0;
  mutable std::string m_note;
};

}  // namespace edid
