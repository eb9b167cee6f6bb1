#pragma once
// Who made a monitor and what it is called, read from the EDID it sent: what a
// list of monitors shows before the user picks one.

#include <string>
#include <string_view>

namespace edid {

struct MonitorIdentity {
  std::string manufacturer;  ///< three letters of bytes 8-9 ("" without an EDID)
  std::string productCode;   ///< bytes 11 and 10 as four hex digits ("" without an EDID)
  std::string name;          ///< text of the first monitor name descriptor (tag FC), or ""
};

/// The identity in the EDID bytes edid (the base block is enough; missing bytes
/// read as 0). All fields are empty when edid is empty.
MonitorIdentity identifyMonitor(std::string_view edid);

}  // namespace edid
