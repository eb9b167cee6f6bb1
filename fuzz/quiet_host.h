#pragma once
// A host that answers every question No and every file dialog with Cancel, and
// swallows messages: fuzzers look for crashes, not for what the user is told.
#include <string>

#include "core/common/host.h"

namespace edid::fuzz {

class QuietHost : public Host {
 public:
  void message(const std::string&) override {}
  bool ask(const std::string&, const std::string&, bool) override { return false; }
  std::string openFileName(const FileDialog&) override { return {}; }
  std::string saveFileName(const FileDialog&) override { return {}; }
};

}  // namespace edid::fuzz
