#pragma once
// KEY=VALUE edits of a whole EDID (base block and extension blocks) for scripts.
// Each key goes through the editor the window uses for that field, so a value is
// refused with the same message there and here.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.h"

namespace edid::script {

/// Applies one KEY=VALUE to edid (all blocks): std::nullopt when the key is not
/// the handler's, else done or the refusal. A refusal leaves edid as it was.
using SettingHandler = std::function<std::optional<Status>(
    std::vector<std::uint8_t>& edid, std::string_view key, std::string_view value)>;

/// The base block's keys: name, serial, serial_number, manufacturer, product_code,
/// week, year, gamma, size_cm, dtd1..dtd4, range.v, range.h, range.clock. The
/// checksum is rewritten after each.
std::optional<Status> applyBaseSetting(std::vector<std::uint8_t>& edid, std::string_view key,
                                       std::string_view value);

/// The handlers tried in order: the base block's, then those of the extension blocks.
const std::vector<SettingHandler>& settingHandlers();

/// Applies the KEY=VALUE pairs in order. Stops at the first refusal, whose message
/// names the pair; edid then holds the pairs before it.
Status applySettings(std::vector<std::uint8_t>& edid, const std::vector<std::string>& pairs);

}  // namespace edid::script
