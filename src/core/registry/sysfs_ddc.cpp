#include "core/registry/sysfs_ddc.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "core/common/file_io.h"

namespace edid {

namespace {

namespace fs = std::filesystem;

// Status words are a few bytes; an unreadable one reads as empty.
std::string firstLine(const fs::path& path) {
  auto read = readFileStart(path.string(), 256);
  std::string text = read ? std::move(read.value().bytes) : std::string();
  const auto end = text.find_first_of("\r\n");
  if (end != std::string::npos) text.resize(end);
  return text;
}

// "card0-DP-2" before "card0-DP-10", and card1 after card0.
bool naturalLess(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const bool digitA = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
    const bool digitB = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
    if (digitA && digitB) {
      std::size_t endA = i, endB = j;
      while (endA < a.size() && std::isdigit(static_cast<unsigned char>(a[endA]))) ++endA;
      while (endB < b.size() && std::isdigit(static_cast<unsigned char>(b[endB]))) ++endB;
      std::string_view numA(a.data() + i, endA - i), numB(b.data() + j, endB - j);
      while (numA.size() > 1 && numA.front() == '0') numA.remove_prefix(1);
      while (numB.size() > 1 && numB.front() == '0') numB.remove_prefix(1);
      if (numA.size() != numB.size()) return numA.size() < numB.size();
      if (numA != numB) return numA < numB;
      i = endA;
      j = endB;
      continue;
    }
    if (a[i] != b[j]) return a[i] < b[j];
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

// A connector folder is "card<digits>-<connector>"; "card0" itself is the card.
bool isConnectorName(const std::string& name) {
  if (name.rfind("card", 0) != 0) return false;
  std::size_t i = 4;
  while (i < name.size() && std::isdigit(static_cast<unsigned char>(name[i]))) ++i;
  return i > 4 && i + 1 < name.size() && name[i] == '-';
}

}  // namespace

EdidRead readSysfsEdid(const std::string& path) {
  std::error_code ec;
  // A connector without the attribute has no EDID to tell of.
  if (!fs::exists(fs::symlink_status(path, ec))) return {};
  auto read = readFileStart(path, kMaxSysfsEdidSize);
  if (!read) return {{}, "cannot read: " + read.error()};
  if (read->complete) return {std::move(read.value().bytes), {}};
  return {std::move(read.value().bytes), "the EDID read stops at 32 KiB (256 blocks)"};
}

std::vector<Connector> listConnectors(const std::string& root) {
  std::vector<Connector> connectors;
  std::error_code ec;
  fs::directory_iterator it(root, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!isConnectorName(name)) continue;
    Connector connector;
    connector.name = name;
    connector.label = name.substr(name.find('-') + 1);
    connector.status = firstLine(it->path() / "status");
    connector.enabled = firstLine(it->path() / "enabled");
    EdidRead edid = readSysfsEdid((it->path() / "edid").string());
    connector.edid = std::move(edid.bytes);
    connector.edidNote = std::move(edid.note);
    connectors.push_back(std::move(connector));
  }
  std::sort(connectors.begin(), connectors.end(),
            [](const Connector& a, const Connector& b) { return naturalLess(a.name, b.name); });
  return connectors;
}

std::vector<Connector> monitorsWithEdid(const std::vector<Connector>& connectors) {
  std::vector<Connector> monitors;
  for (const Connector& connector : connectors)
    if (connector.connected() && !connector.edid.empty()) monitors.push_back(connector);
  return monitors;
}

const Connector* findConnector(const std::vector<Connector>& connectors, const std::string& name) {
  for (const Connector& connector : connectors)
    if (connector.name == name || connector.label == name) return &connector;
  return nullptr;
}

SysfsDdcReader::SysfsDdcReader(std::string root, std::string connector)
    : m_path((fs::path(root) / connector / "edid").string()) {}

std::string SysfsDdcReader::ReadEdid(std::string& /*buffer*/) const {
  ++m_reads;
  EdidRead read = readSysfsEdid(m_path);
  m_note = std::move(read.note);
  return std::move(read.bytes);
}

}  // namespace edid
