// Registry export files and the EDID search over them.
#include "core/registry/reg_file.h"

#include <gtest/gtest.h>

#include "core/registry/registry_search.h"
#include "support/corpus.h"
#include "support/fake_host.h"
#include "support/fake_sources.h"
#include "support/temp_dir.h"

namespace edid {
namespace {

using namespace std::string_literals;
using test::asText;
using test::corpusBytes;
using test::regHexValue;

const std::string kDisplay = "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY";

std::string key(const std::string& path) {
  return "\r\n[HKEY_LOCAL_MACHINE\\" + path + "]\r\n";
}

// A machine that knew two monitors: a generic one first, with a stale EDID but no
// Control key, then the attached one with its Control key and its EDID further down.
std::string twoMonitorExport(const std::string& header, const std::string& staleEdid,
                             const std::string& edidName, const std::string& edid) {
  return header + "\r\n" + key(kDisplay) + key(kDisplay + "\\Default_Monitor") +
         key(kDisplay + "\\Default_Monitor\\4&2f0a8f3&0&80861234") +
         "\"DeviceDesc\"=\"Default Monitor\"\r\n" +
         key(kDisplay + "\\Default_Monitor\\4&2f0a8f3&0&80861234\\Device Parameters") +
         regHexValue("EDID", staleEdid) + "\r\n[HKEY_CURRENT_USER\\Software\\Elsewhere]\r\n" +
         regHexValue("EDID", "\x01\x02") + key(kDisplay + "\\VSC7D20") +
         key(kDisplay + "\\VSC7D20\\5&1a&0&UID4352") +
         "\"ConfigFlags\"=dword:00000000\r\n"
         "\"HardwareID\"=hex(7):4d,00,4f,00,4e,00,00,00,00,00\r\n" +
         key(kDisplay + "\\VSC7D20\\5&1a&0&UID4352\\Control") +
         key(kDisplay + "\\VSC7D20\\5&1a&0&UID4352\\Device Parameters") +
         regHexValue(edidName, edid);
}

TEST(RegFile, FindsTheAttachedMonitorsEdidInBothEncodings) {
  const std::string stale = asText(corpusBytes("2725930DC0B4"));
  const std::string edid = asText(corpusBytes("000CCAC2C577"));
  for (const bool utf16 : {true, false}) {
    SCOPED_TRACE(utf16 ? "UTF-16LE" : "UTF-8");
    const std::string text =
        twoMonitorExport("Windows Registry Editor Version 5.00", stale, "EDID", edid);
    auto registry = RegFileRegistry::parse(test::regFileBytes(text, utf16));
    ASSERT_TRUE(registry) << registry.error();
    test::FakeHost host;

    // The device key is the first key with a Control sub key; its EDID sits below it.
    EXPECT_EQ(SearchRegistryKey(*registry, host, kDisplay, true),
              kDisplay + "\\VSC7D20\\5&1a&0&UID4352");
    const RegistryHit hit = findMonitorEdid(*registry, host, kDisplay);
    EXPECT_EQ(hit.path, kDisplay + "\\VSC7D20\\5&1a&0&UID4352\\Device Parameters");
    EXPECT_EQ(hit.data, edid);
    // A plain value search from the base finds the first EDID in key order.
    EXPECT_EQ(SearchRegistryKey(*registry, host, kDisplay, false), stale);
    EXPECT_TRUE(host.messages.empty());

    // Names are compared without regard to case; keys of other roots are not there.
    const auto device = registry->openKey("system\\currentcontrolset\\enum\\display\\vsc7d20");
    ASSERT_TRUE(device);
    EXPECT_EQ(device->subKeys, std::vector<std::string>{"5&1a&0&UID4352"});
    EXPECT_FALSE(registry->openKey("Software\\Elsewhere"));
    const auto ids = registry->openKey(kDisplay + "\\VSC7D20\\5&1a&0&UID4352");
    ASSERT_EQ(ids->values.size(), 2u);
    EXPECT_EQ(ids->values[0].data, std::string("\0\0\0\0", 4));
    EXPECT_EQ(ids->values[1].data, std::string("M\0O\0N\0\0\0\0\0", 10));
  }
}

TEST(RegFile, SearchRulesOfTheRetrieveRoad) {
  const std::string stale = asText(corpusBytes("2725930DC0B4"));
  // A 256-byte value (base block and one extension) comes back whole.
  const std::string twoBlocks = asText(corpusBytes("04963C21B2E3"));
  ASSERT_EQ(twoBlocks.size(), 256u);
  {
    auto registry = RegFileRegistry::parse(twoMonitorExport("REGEDIT4", stale, "edid", twoBlocks));
    ASSERT_TRUE(registry) << registry.error();
    test::FakeHost host;
    EXPECT_EQ(findMonitorEdid(*registry, host, kDisplay).data, twoBlocks);
    // A base location that does not exist says so once; the value search then
    // searches the whole of HKEY_LOCAL_MACHINE and finds the first EDID there.
    EXPECT_EQ(findMonitorEdid(*registry, host, "SYSTEM\\NoSuchKey").data, stale);
    EXPECT_EQ(host.messages, std::vector<std::string>{"Unable to read Registry"});
  }
  {
    // Without any Control key the search starts at the root.
    std::string text = twoMonitorExport("REGEDIT4", stale, "EDID", twoBlocks);
    text.replace(text.find("\\Control]"), 9, "\\Kontrol]");
    auto registry = RegFileRegistry::parse(text);
    ASSERT_TRUE(registry);
    test::FakeHost host;
    EXPECT_EQ(SearchRegistryKey(*registry, host, kDisplay, true), "");
    const RegistryHit hit = findMonitorEdid(*registry, host, kDisplay);
    EXPECT_EQ(hit.path, kDisplay + "\\Default_Monitor\\4&2f0a8f3&0&80861234\\Device Parameters");
    EXPECT_EQ(hit.data, stale);
  }
  {
    // Values longer than the 1024-byte read buffer are skipped; empty ones too.
    RegistryKey key;
    key.values = {{"EDID", std::string(1025, 'x')}, {"Edid", ""}, {"EdId", "ok"}};
    EXPECT_EQ(FindEdidValue(key, 3, false), "ok");
    EXPECT_EQ(FindEdidValue(key, 3, true), "");
    EXPECT_EQ(FindEdidValue(key, 0, false), "");
  }
}

// An import into the registry keeps one key per name, whatever its case, under
// its first spelling and in first-seen order; a value written again takes its
// later data in the place it first took. Keys of other roots stay apart.
TEST(RegFile, KeysAndValuesWrittenTwice) {
  const std::string lower = "system\\currentcontrolset\\enum\\display";
  struct Case {
    std::string body;
    std::vector<std::string> subKeys;
    std::vector<std::string> data;  // of the DISPLAY key's values, in order
  };
  const std::vector<Case> cases = {
      {key(kDisplay) + "\"EDID\"=hex:01\r\n\"Other\"=dword:2\r\n\"EDID\"=hex:02\r\n",
       {},
       {"\x02", "\x02\0\0\0"s}},
      {key(kDisplay) + "\"EDID\"=hex:01\r\n" + key(lower) + "\"edid\"=\"text\"\r\n", {}, {"text"}},
      {key(kDisplay + "\\B") + key(kDisplay + "\\A") + key(lower + "\\b\\X") + key(lower + "\\a"),
       {"B", "A"},
       {}},
      {key(kDisplay) + "\"EDID\"=hex:01\r\n[HKEY_CURRENT_USER\\" + kDisplay +
           "]\r\n\"EDID\"=hex:02\r\n[HKEY_LOCAL_MACHINE\\" + kDisplay + "\\B]\r\n",
       {"B"},
       {"\x01"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    auto registry = RegFileRegistry::parse("REGEDIT4\r\n" + c.body);
    ASSERT_TRUE(registry) << registry.error();
    const auto display = registry->openKey(kDisplay);
    ASSERT_TRUE(display);
    EXPECT_EQ(display->subKeys, c.subKeys);
    std::vector<std::string> data;
    for (const RegistryValue& value : display->values) data.push_back(value.data);
    EXPECT_EQ(data, c.data);
  }
}

// A machine that has seen many monitors: 100,000 sibling keys below DISPLAY, the
// attached one last. Reading and searching look each key up by name instead of
// walking its siblings, so this takes a fraction of a second, not minutes.
TEST(RegFile, AHundredThousandSiblingKeys) {
  const std::string edid = asText(corpusBytes("000CCAC2C577"));
  std::string text = "Windows Registry Editor Version 5.00\r\n";
  for (int i = 0; i < 100000; ++i)
    text += key(kDisplay + "\\MON" + std::to_string(i)) + "\"DeviceDesc\"=\"Monitor\"\r\n";
  text += key(kDisplay + "\\mon99999\\Control") + key(kDisplay + "\\MON99999\\Device Parameters") +
          regHexValue("EDID", edid);
  auto registry = RegFileRegistry::parse(test::regFileBytes(text, true));
  ASSERT_TRUE(registry) << registry.error();
  test::FakeHost host;
  const RegistryHit hit = findMonitorEdid(*registry, host, kDisplay);
  EXPECT_EQ(hit.path, kDisplay + "\\MON99999\\Device Parameters");
  EXPECT_EQ(hit.data, edid);
  const auto display = registry->openKey(kDisplay);
  ASSERT_EQ(display->subKeys.size(), 100000u);
  EXPECT_EQ(display->subKeys.back(), "MON99999");
}

TEST(RegFile, BrokenFilesSayWhyAndNeverCrash) {
  test::TempDir dir("regfile");
  const std::string good = twoMonitorExport("Windows Registry Editor Version 5.00", "\x01", "EDID",
                                            asText(corpusBytes("000CCAC2C577")));
  std::string deep;
  for (int level = 0; level < 513; ++level) deep += "\\k";
  struct Case {
    std::string bytes;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"", "not a Windows registry export"},
      {"Windows Registry Editor Version 4.00\r\n" + key(kDisplay), "not a Windows registry export"},
      {test::regFileBytes(good, true) + "x", "the UTF-16 text ends in half a character"},
      {"REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\r\n", "line 3: a key without its closing ]"},
      {"REGEDIT4\r\n\"EDID\"=hex:00\r\n", "line 2: a value before the first key"},
      {"REGEDIT4\r\n" + key(kDisplay) + "\"EDID\"=hex:00,fg\r\n",
       "line 4: hex data that is not comma-separated bytes"},
      {"REGEDIT4\r\n" + key(kDisplay) + "\"EDID\"=hex:00,,01\r\n",
       "line 4: hex data that is not comma-separated bytes"},
      {"REGEDIT4\r\n" + key(kDisplay) + "\"EDID=hex:00\r\n",
       "line 4: a value name without its closing quote"},
      {"REGEDIT4\r\n" + key(kDisplay) + "\"EDID\"=qword:00\r\n", "line 4: a value of unknown type"},
      {"REGEDIT4\r\n" + key(kDisplay) + "EDID=hex:00\r\n", "line 4: neither a key nor a value"},
      {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE" + deep + "]", "line 2: a key nested too deep"},
  };
  for (const Case& c : cases) {
    const std::string path = dir.file("broken.reg");
    test::writeBytes(path, c.bytes);
    const auto registry = RegFileRegistry::load(path);
    ASSERT_FALSE(registry) << c.reason;
    EXPECT_EQ(registry.error(), "Cannot read " + path + ": " + c.reason);
  }
  const auto missing = RegFileRegistry::load(dir.file("missing.reg"));
  EXPECT_EQ(missing.error(),
            "Cannot read " + dir.file("missing.reg") + ": No such file or directory");
  // A value cut off after its continuation mark still reads up to where it ends.
  auto cut = RegFileRegistry::parse("REGEDIT4\r\n" + key(kDisplay) + "\"EDID\"=hex:00,ff,\\");
  ASSERT_TRUE(cut) << cut.error();
  EXPECT_EQ(cut->openKey(kDisplay)->values[0].data, "\x00\xFF"s);
}

}  // namespace
}  // namespace edid
