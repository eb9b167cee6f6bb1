#pragma once
// The CTA-861 and extension-block keys of a settings script (edidtool set):
//   cta.vic+=N  cta.vic-=N  cta.freesync=MIN-MAX  cta.hdmi.max_tmds_mhz=N
//   cta.hf.max_tmds_mhz=N  cta.audio-=all  cta.dtd+=<18 hex bytes>  cta.dtd-=N
//   cta.flags=HH  ext+=cta  ext-=N
// "cta2." addresses the second CTA-861 block; numbers of blocks and timings are
// 1-based. The key is the text before the first '=', so "cta.vic+=97" comes as key
// "cta.vic+" and value "97".

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/common/result.h"

namespace edid::cta {

/// Applies one setting to a whole EDID (base block and extension blocks). Nothing
/// for a key that is not about CTA-861 or extension blocks (it starts with neither
/// "cta" nor "ext"); otherwise success, or the refusal with edid left as it was.
std::optional<Status> applyCtaSetting(std::vector<std::uint8_t>& edid, std::string_view key,
                                      std::string_view value);

}  // namespace edid::cta
