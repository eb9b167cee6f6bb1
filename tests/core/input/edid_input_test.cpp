// Reading an EDID from every kind of file users have, written here from the raw
// corpus bytes the way the tools that make them print them.
#include "core/input/edid_input.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "core/common/data_file.h"
#include "core/common/extension_blocks.h"
#include "core/common/text.h"
#include "core/report/report.h"
#include "support/corpus.h"
#include "support/fake_sources.h"

namespace edid {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string hex2(std::uint8_t byte, bool upper = false) {
  char text[3];
  std::snprintf(text, sizeof text, upper ? "%02X" : "%02x", byte);
  return text;
}

// edid-decode's own hex: 16 spaced pairs a line, between its heading and its decode.
std::string decoderText(const Bytes& bytes) {
  std::string text = "edid-decode (hex):\n\n";
  for (std::size_t i = 0; i < bytes.size(); ++i)
    text += hex2(bytes[i]) + (i % 16 == 15 ? "\n" : " ");
  return text + "\n----------------\n\nBlock 0, Base EDID:\n  Model: 8800\n  Made in: 2018\n";
}

// xrandr --verbose: the block after "EDID:", 32 digits a line, among other properties.
std::string xrandrText(const Bytes& bytes) {
  std::string text =
      "Screen 0: minimum 320 x 200, current 1920 x 1080\n"
      "HDMI-1 connected primary 1920x1080+0+0 (0x47) normal (normal left) 477mm x 268mm\n"
      "\tIdentifier: 0x42\n\tTimestamp:  21503\n\tSubpixel:   unknown\n\tClones:    \n"
      "\tEDID: \n";
  for (std::size_t i = 0; i < bytes.size(); ++i)
    text += (i % 16 == 0 ? "\t\t" : "") + hex2(bytes[i]) + (i % 16 == 15 ? "\n" : "");
  return text +
         "\tCONNECTOR_ID: 95 \n\t\tsupported: 95\n\tnon-desktop: 0 \n"
         "  1920x1080 (0x47) 148.500MHz +HSync +VSync *current +preferred\n";
}

// A C array in a firmware source, with comments and upper-case digits.
std::string cArrayText(const Bytes& bytes) {
  std::string text =
      "/* EDID of the panel,\n * read from the monitor */\n#include <stdint.h>\n\n"
      "static const uint8_t edid[] = {\n";
  for (std::size_t i = 0; i < bytes.size(); ++i)
    text += (i % 8 == 0 ? "\t" : " ") + std::string("0x") + hex2(bytes[i], true) + "," +
            (i % 8 == 7 ? (i % 128 == 127 ? " // block end\n" : "\n") : "");
  return text + "};\n\nint edid_size(void) { return sizeof(edid); }\n";
}

// A registry export of the monitor's device key, in UTF-16 as regedit writes it.
std::string registryText(const Bytes& bytes) {
  const std::string key =
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\AOC2260\\"
      "5&1\\Device Parameters]\r\n";
  return test::regFileBytes("Windows Registry Editor Version 5.00\r\n\r\n" + key +
                                test::regHexValue("EDID", test::asText(bytes)),
                            true);
}

// What a dump tool (hexdump, od, xxd) prints for a file.
std::string toolOutput(const std::string& command) {
  std::string text;
  const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return text;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
    text.append(buffer, got);
  return text;
}

Bytes baseOf(const Bytes& bytes) {
  return {bytes.begin(), bytes.begin() + kEdidSize};
}

Bytes extensionOf(const Bytes& bytes) {
  return {bytes.begin() + kEdidSize, bytes.end()};
}

TEST(EdidInput, EveryFormOfEveryLongCorpusEdidReadsWhole) {
  const std::vector<std::pair<const char*, std::function<std::string(const Bytes&)>>> forms = {
      {"raw", [](const Bytes& b) { return test::asText(b); }},
      {"decoder", decoderText},
      {"xrandr", xrandrText},
      {"stray NUL", [](const Bytes& b) { return xrandrText(b) + '\0' + "\a\x1b[0m"; }},
      {"C array", cArrayText},
      {"registry", registryText}};
  int checked = 0;
  for (const std::string& id : test::corpusIds()) {
    const Bytes bytes = test::corpusBytes(id);
    if (bytes.size() <= std::size_t(kEdidSize)) continue;
    for (const auto& [name, write] : forms) {
      // A registry value holds at most 1024 bytes.
      if (std::string(name) == "registry" && bytes.size() > 1024) continue;
      const auto input = readEdidInput(write(bytes));
      ASSERT_TRUE(input.ok()) << id << " " << name << ": " << input.error();
      EXPECT_EQ(input->base, baseOf(bytes)) << id << " " << name;
      EXPECT_EQ(input->extension, extensionOf(bytes)) << id << " " << name;
      EXPECT_EQ(input->warning, "") << id << " " << name;
      const EdidInputKind kind = std::string(name) == "raw"        ? EdidInputKind::Binary
                                 : std::string(name) == "registry" ? EdidInputKind::RegistryExport
                                                                   : EdidInputKind::HexText;
      EXPECT_EQ(input->kind, kind) << id << " " << name;
      ++checked;
    }
  }
  EXPECT_GT(checked, 5 * 200);
}

TEST(EdidInput, BrokenFilesOpenWithAWarningWhileTheBytesCanBeFound) {
  const Bytes bytes = test::corpusBytes("FA6E41896752");  // 256 bytes, CTA-861
  ASSERT_EQ(bytes.size(), 256u);

  // Cut inside the base block: what is there loads, the rest is 00.
  const Bytes cut(bytes.begin(), bytes.begin() + 100);
  for (const std::string& text : {test::asText(cut), decoderText(cut)}) {
    const auto input = readEdidInput(text);
    ASSERT_TRUE(input.ok());
    Bytes base = baseOf(bytes);
    std::fill(base.begin() + 100, base.end(), 0);
    EXPECT_EQ(input->base, base);
    EXPECT_TRUE(input->extension.empty());
    EXPECT_EQ(input->warning,
              "Only 100 bytes of the 128-byte base block were found; the others are set to "
              "00.\r\n");
  }

  // Five bytes past the last whole block are dropped, and the user told.
  Bytes longer = bytes;
  longer.insert(longer.end(), {1, 2, 3, 4, 5});
  const auto partial = readEdidInput(test::asText(longer));
  ASSERT_TRUE(partial.ok());
  EXPECT_EQ(partial->extension, extensionOf(bytes));
  EXPECT_EQ(partial->warning,
            "The last 5 bytes do not fill a 128-byte block and are left out.\r\n");

  // A wrong header and checksum are data: the screen shows them.
  Bytes damaged = bytes;
  damaged[0] = 0x12;
  damaged[127] ^= 0xFF;
  for (const std::string& text : {test::asText(damaged), decoderText(damaged)}) {
    const auto input = readEdidInput(text);
    ASSERT_TRUE(input.ok());
    EXPECT_EQ(input->base, baseOf(damaged));
    EXPECT_EQ(input->extension, extensionOf(damaged));
    EXPECT_EQ(input->warning, "");
  }

  // Noise before and after the hex, and hex-looking words in it, stay out.
  const std::string noisy =
      "be ad\nLog of 2024-03-01: dead beef cafe\n\n" + decoderText(bytes) + "\nface b00c\n";
  const auto clean = readEdidInput(noisy);
  ASSERT_TRUE(clean.ok());
  EXPECT_EQ(clean->base, baseOf(bytes));
  EXPECT_EQ(clean->extension, extensionOf(bytes));
}

TEST(EdidInput, TextWithoutAnEdidIsRefused) {
  const Bytes bytes = test::corpusBytes("FA6E41896752");
  const Bytes headless(bytes.begin() + 8, bytes.begin() + 100);
  for (const std::string& text :
       {std::string(), std::string("just text\r\n"), std::string("Model: 8800\nbe ad\n"),
        decoderText(headless), test::asText(headless),
        std::string("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\X]\r\n"
                    "\"Name\"=\"value\"\r\n")}) {
    const auto input = readEdidInput(text);
    EXPECT_FALSE(input.ok()) << text;
    EXPECT_EQ(input.error(), kInvalidDataFileMessage) << text;
  }
}

TEST(EdidInput, DataFilesKeepTheirTokensAndExtensionSection) {
  const Bytes bytes = test::corpusBytes("B323DBCD820B");  // 384 bytes
  ASSERT_EQ(bytes.size(), 384u);
  // A hand-made file: the base block's rows, then the extension section.
  std::string text = "128 BYTES OF EDID CODE:\r\nheader\r\nrule\r\n";
  for (int row = 0; row < 13; ++row) {
    text += "  |";
    for (int i = row * 10; i < row * 10 + 10 && i < kEdidSize; ++i)
      text += " " + (i == 5 ? std::string("zz") : hex2(bytes[std::size_t(i)]));
    text += "\r\n";
  }
  const std::string section = extensionSectionText(extensionOf(bytes));
  const auto input = readEdidInput(text + "Some report line\r\n" + section);
  ASSERT_TRUE(input.ok());
  EXPECT_EQ(input->kind, EdidInputKind::DataFile);
  EXPECT_EQ(input->cells[4], hex2(bytes[4]));
  EXPECT_EQ(input->cells[5], "zz");  // the cells read it as the screen does
  EXPECT_EQ(input->cells[128], "");  // the extension rows do not spill into the grid
  EXPECT_EQ(input->extension, extensionOf(bytes));
  EXPECT_EQ(input->warning, "");
}

// Without -v, hexdump and od print "*" for lines like the one before, up to the next
// offset; od counts in octal unless told otherwise.
TEST(EdidInput, DumpToolOutputOfEveryMultiBlockCorpusEdidReadsBack) {
  const char* const tools[] = {"hexdump -C", "od -A x -t x1", "od -t x1", "xxd"};
  int repeats = 0;
  for (const std::string& id : test::corpusIds()) {
    const Bytes bytes = test::corpusBytes(id);
    if (bytes.size() <= std::size_t(kEdidSize)) continue;
    for (const std::string tool : tools) {
      const std::string text = toolOutput(tool + " " + test::corpusDir() + "/" + id + ".bin");
      repeats += text.find("\n*\n") != std::string::npos;
      const auto input = readEdidInput(text);
      ASSERT_TRUE(input.ok()) << id << " " << tool << ": " << input.error();
      EXPECT_EQ(input->base, baseOf(bytes)) << id << " " << tool;
      EXPECT_EQ(input->extension, extensionOf(bytes)) << id << " " << tool;
      EXPECT_EQ(input->warning, "") << id << " " << tool;
    }
  }
  EXPECT_GT(repeats, 100);
}

TEST(EdidInput, ADumpThatSkipsBytesIsRefusedNamingTheOffset) {
  const std::string path = test::corpusDir() + "/FA6E41896752.bin";
  const Bytes first = test::corpusBytes("000CCAC2C577");
  struct Row {
    const char* tool;
    const char* dropped;  // the start of the line left out
    const char* offset;   // the line after it
  };
  for (const Row& row :
       {Row{"hexdump -C", "00000010", "00000020"}, Row{"od -A x -t x1", "0000f0", "000100"},
        Row{"xxd", "00000080:", "00000090"}}) {
    std::string text = toolOutput(std::string(row.tool) + " " + path);
    const std::size_t line = text.find(std::string("\n") + row.dropped);
    ASSERT_NE(line, std::string::npos) << row.tool;
    text.erase(line + 1, text.find('\n', line + 1) - line);
    const auto input = readEdidInput(text);
    ASSERT_FALSE(input.ok()) << row.tool;
    EXPECT_EQ(input.error(), std::string("The hex dump jumps to offset ") + row.offset +
                                 " without a \"*\" line; 16 bytes are missing before it");
    // Offsets going back start another dump: the first EDID is read as it was.
    const auto two = readEdidInput(toolOutput("xxd " + test::corpusDir() + "/000CCAC2C577.bin") +
                                   toolOutput(std::string(row.tool) + " " + path));
    ASSERT_TRUE(two.ok()) << row.tool;
    EXPECT_EQ(two->base, baseOf(first)) << row.tool;
    EXPECT_TRUE(two->extension.empty()) << row.tool;
  }
}

// The data file edidtool writes for a 384-byte EDID, damaged as a hand or a disk
// would; every cell and row number below is worked out from the file's layout.
TEST(EdidInput, DamagedDataFilesAreRefusedNamingTheRowAndTheCell) {
  const Bytes bytes = test::corpusBytes("B323DBCD820B");
  const std::string sound =
      dataFileText(reportLinesOf(test::corpusImage("B323DBCD820B"), "", "", momentFromEpoch(0))) +
      extensionSectionText(extensionOf(bytes));
  const auto read = readEdidInput(sound);
  ASSERT_TRUE(read.ok()) << read.error();
  EXPECT_EQ(read->extension, extensionOf(bytes));

  const auto lineAt = [&sound](const std::string& start) { return sound.find("\n" + start) + 1; };
  const auto replaced = [&sound](std::size_t at, std::size_t count, const std::string& with) {
    return std::string(sound).replace(at, count, with);
  };
  const auto lineEnd = [&sound](std::size_t at) { return sound.find('\n', at) + 1; };
  const std::size_t row10 = lineAt(" 10  |"), row120 = lineAt("120  |");
  const std::size_t ext256 = lineAt("  256:"), ext272 = lineAt("  272:"), ext368 = lineAt("  368:");
  const std::vector<std::pair<std::string, std::string>> rows = {
      {replaced(ext256 + 6 + 5 * 3 + 1, 2, "GG"),
       "The extension row 256 holds \"GG\" in cell 261, not two hex digits"},
      {replaced(ext256 + 6 + 15 * 3 + 1, 2, " 5"),
       "The extension row 256 ends in half a byte (\"5\") in cell 271"},
      {replaced(ext272, lineEnd(ext272) - ext272, ""),
       "The extension row 272 is missing (cells 272 to 287)"},
      {sound.substr(0, ext368), "The extension row 368 is missing (cells 368 to 383)"},
      {replaced(row10 + 6 + 8 * 4 + 2, 2, " 5"),
       "The EDID code row 10 holds \"5\" in cell 18; a cell takes two hex digits"},
      {replaced(row10 + 6 + 9 * 4, 4, ""), "The EDID code row 10 has no cell 19"},
      {replaced(row120, lineEnd(row120) - row120, ""),
       "The EDID code row 120 is missing (cells 120 to 127)"}};
  for (const auto& [text, message] : rows) {
    const auto input = readEdidInput(text);
    ASSERT_FALSE(input.ok()) << message;
    EXPECT_EQ(input.error(), message);
  }
}

}  // namespace
}  // namespace edid
