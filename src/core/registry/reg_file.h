#pragma once
// A Registry read from a Windows registry export file (.reg): what a technician
// saves with the registry editor on a customer's machine and carries home.

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "core/common/result.h"
#include "core/registry/registry.h"

namespace edid {

/// The keys of HKEY_LOCAL_MACHINE held in an export file. Keys are kept in file
/// order; keys of other roots are ignored; parents a file leaves out exist empty.
class RegFileRegistry : public Registry {
 public:
  RegFileRegistry();
  ~RegFileRegistry() override;
  RegFileRegistry(RegFileRegistry&&) noexcept;
  RegFileRegistry& operator=(RegFileRegistry&&) noexcept;

  /// Parses an export: "Windows Registry Editor Version 5.00" (UTF-16LE with its
  /// byte order mark, or UTF-8) or "REGEDIT4". Values may be strings, dword:,
  /// hex: and hex(N): with "\" line continuations. Fails with the reason (and the
  /// line number) on anything it cannot read; never crashes on malformed input.
  static Result<RegFileRegistry> parse(std::string_view content);
  /// Reads and parses the file at path; fails with "Cannot read <path>: <reason>".
  static Result<RegFileRegistry> load(const std::string& path);

  std::optional<RegistryKey> openKey(const std::string& path) const override;

 private:
  struct Node;
  Node* findOrAdd(std::string_view path);
  std::unique_ptr<Node> m_root;
};

}  // namespace edid
