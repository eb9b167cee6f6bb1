#pragma once
// The findings as JSON values, for the JSON report and edidtool check --json.

#include <nlohmann/json.hpp>
#include <vector>

#include "core/check/conformance.h"

namespace edid::check {

/// [{"severity", "block", "first_byte", "last_byte", "message"}, ...] in order.
nlohmann::ordered_json problemsJson(const std::vector<Finding>& findings);

}  // namespace edid::check
