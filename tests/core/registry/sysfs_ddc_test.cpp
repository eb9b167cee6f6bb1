// The connectors the kernel publishes, read from fake sysfs trees.
#include "core/registry/sysfs_ddc.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <regex>

#include "core/registry/monitor_identity.h"
#include "support/as_user.h"
#include "support/corpus.h"
#include "support/fake_sources.h"
#include "support/temp_dir.h"

namespace edid {
namespace {

using test::asText;
using test::corpusBytes;
using test::writeConnector;

std::vector<std::string> names(const std::vector<Connector>& connectors) {
  std::vector<std::string> out;
  for (const Connector& connector : connectors) out.push_back(connector.name);
  return out;
}

TEST(SysfsDdc, ListsConnectorsOfFakeTrees) {
  test::TempDir root("sysfs");
  // No tree at all (a machine without graphics), then an empty one.
  EXPECT_TRUE(listConnectors(root.file("missing")).empty());
  EXPECT_TRUE(listConnectors(root.path.string()).empty());

  // The card folder, its non-connector entries and a stray file are not connectors.
  std::filesystem::create_directories(root.path / "card0");
  std::filesystem::create_directories(root.path / "renderD128");
  std::filesystem::create_directories(root.path / "cardX-DP-1");
  writeConnector(root.path, "card0-DP-1", "connected", asText(corpusBytes("000CCAC2C577")));
  auto one = listConnectors(root.path.string());
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].label, "DP-1");
  EXPECT_EQ(one[0].status, "connected");
  EXPECT_EQ(one[0].enabled, "enabled");
  EXPECT_EQ(one[0].edid, asText(corpusBytes("000CCAC2C577")));

  // Three more: one disconnected, one connected with an empty edid file, one with a
  // 256-byte EDID (base block and extension) on a second card.
  writeConnector(root.path, "card0-HDMI-A-1", "disconnected", "");
  writeConnector(root.path, "card0-DP-10", "connected", "");
  writeConnector(root.path, "card0-DP-2", "unknown", "");
  writeConnector(root.path, "card1-DP-2", "connected", asText(corpusBytes("04963C21B2E3")));
  const auto all = listConnectors(root.path.string());
  EXPECT_EQ(names(all), (std::vector<std::string>{"card0-DP-1", "card0-DP-2", "card0-DP-10",
                                                  "card0-HDMI-A-1", "card1-DP-2"}));
  EXPECT_EQ(all[3].status, "disconnected");
  EXPECT_EQ(all[3].enabled, "disabled");
  EXPECT_EQ(all[4].edid.size(), 256u);
  const auto monitors = monitorsWithEdid(all);
  EXPECT_EQ(names(monitors), (std::vector<std::string>{"card0-DP-1", "card1-DP-2"}));

  // A label two cards share names the first; the full name tells them apart.
  EXPECT_EQ(findConnector(all, "DP-2")->name, "card0-DP-2");
  EXPECT_EQ(findConnector(all, "card1-DP-2")->name, "card1-DP-2");
  EXPECT_EQ(findConnector(all, "card0-HDMI-A-1")->label, "HDMI-A-1");
  EXPECT_EQ(findConnector(all, "DP-3"), nullptr);

  // The reader reads the file anew on every call.
  SysfsDdcReader reader(root.path.string(), "card1-DP-2");
  std::string buffer(128, ' ');
  EXPECT_EQ(reader.ReadEdid(buffer), asText(corpusBytes("04963C21B2E3")));
  std::ofstream(root.path / "card1-DP-2" / "edid", std::ios::binary) << "short";
  EXPECT_EQ(reader.ReadEdid(buffer), "short");
  EXPECT_EQ(reader.reads(), 2);
}

TEST(SysfsDdc, EdidReadsStopAtTheCapAndSayWhyTheyFail) {
  namespace fs = std::filesystem;
  test::TempDir root("sysfs");
  const std::string edid = root.file("edid");
  const std::string stop = "the EDID read stops at 32 KiB (256 blocks)";
  const struct {
    const char* what;
    std::function<void()> prepare;
    std::size_t size;
    std::string note;
  } rows[] = {
      {"no edid file", [] {}, 0, ""},
      {"a folder", [&] { fs::create_directory(edid); }, 0, "cannot read: Is a directory"},
      {"a link to itself", [&] { fs::create_symlink("edid", edid); }, 0,
       "cannot read: Too many levels of symbolic links"},
      // A FIFO with no writer would block a plain open.
      {"a FIFO", [&] { ::mkfifo(edid.c_str(), 0600); }, 0, ""},
      {"256 whole blocks", [&] { test::writeText(edid, std::string(256 * 128, 'x')); }, 256 * 128,
       ""},
      {"one byte more", [&] { test::writeText(edid, std::string(256 * 128 + 1, 'x')); }, 256 * 128,
       stop},
      {"a link to /dev/zero", [&] { fs::create_symlink("/dev/zero", edid); }, 256 * 128, stop},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    fs::remove_all(edid);
    row.prepare();
    const EdidRead read = readSysfsEdid(edid);
    EXPECT_EQ(read.bytes.size(), row.size);
    EXPECT_EQ(read.note, row.note);
  }

  // Unreadable for the user (root reads anything, so the read runs as nobody).
  fs::remove_all(edid);
  test::writeText(edid, "x");
  fs::permissions(edid, fs::perms::none);
  EXPECT_EQ(test::asOrdinaryUser([&] { return readSysfsEdid(edid).note; }),
            "cannot read: Permission denied");
}

// edid-decode's "Manufacturer:", "Model:" (decimal) and "Display Product Name:".
TEST(MonitorIdentity, AgreesWithTheReferenceDecoderOverTheCorpus) {
  const std::regex manufacturer(R"(\n    Manufacturer: (\S+)\n)");
  const std::regex model(R"(\n    Model: (\d+)\n)");
  const std::regex name(R"(Display Product Name: '([^']*)')");
  int named = 0, compared = 0;
  for (const std::string& id : test::corpusIds()) {
    SCOPED_TRACE(id);
    const std::string text = test::readFile(test::corpusDir() + "/" + id + ".txt");
    const MonitorIdentity identity = identifyMonitor(asText(corpusBytes(id)));
    std::smatch match;
    // Older reference texts lay out the vendor section differently; they are not compared.
    if (!std::regex_search(text, match, manufacturer)) continue;
    ++compared;
    EXPECT_EQ(identity.manufacturer, match[1].str());
    ASSERT_TRUE(std::regex_search(text, match, model));
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X", std::stoi(match[1].str()));
    EXPECT_EQ(identity.productCode, hex);
    if (std::regex_search(text, match, name)) {
      std::string expected = match[1].str();
      while (!expected.empty() && expected.back() == ' ') expected.pop_back();
      if (expected == identity.name) ++named;
    }
  }
  EXPECT_GT(compared, 300);
  EXPECT_GT(named, 250);
  EXPECT_EQ(identifyMonitor("").manufacturer, "");
  EXPECT_EQ(identifyMonitor("").productCode, "");
}

}  // namespace
}  // namespace edid
