// The findings as JSON for edidtool check --json.
#include <nlohmann/json.hpp>

#include "core/check/conformance.h"

namespace edid::check {

namespace {

// {"severity", "block", "first_byte", "last_byte", "message"}; the JSON report's
// "problems" hold the same.
nlohmann::ordered_json findingJson(const Finding& f) {
  return {{"severity", severityName(f.severity)},
          {"block", f.block},
          {"first_byte", f.first},
          {"last_byte", f.last},
          {"message", f.message}};
}

}  // namespace

std::string findingsJson(const std::vector<FileFindings>& files) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const FileFindings& file : files)
    for (const Finding& f : file.findings) {
      nlohmann::ordered_json item = {{"file", file.file}};
      item.update(findingJson(f));
      list.push_back(std::move(item));
    }
  return list.dump(2) + '\n';
}

}  // namespace edid::check
