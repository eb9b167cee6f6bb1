#include "core/apply/apply_commands.h"

namespace edid::apply {

std::vector<std::string> applyArguments(ApplyWay way, const std::string& connector,
                                        const std::string& file, const std::string& backup) {
  switch (way) {
    case ApplyWay::Firmware:
      return {"install", "--connector", connector, file};
    case ApplyWay::Live:
      return {"override", "--connector", connector, file};
    case ApplyWay::Eeprom:
      break;
  }
  return {"write", "--connector", connector, file, "--backup", backup};
}

}  // namespace edid::apply
