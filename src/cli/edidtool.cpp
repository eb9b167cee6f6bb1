#include "cli/edidtool.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <system_error>
#include <utility>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/apply_commands.h"
#include "cli/check_command.h"
#include "cli/file_list.h"
#include "cli/timing_command.h"
#include "core/common/common.h"
#include "core/common/data_file.h"
#include "core/common/extension_blocks.h"
#include "core/common/format.h"
#include "core/common/host.h"
#include "core/common/image.h"
#include "core/common/text.h"
#include "core/input/load_edid.h"
#include "core/program_version.h"
#include "core/registry/monitor_identity.h"
#include "core/registry/reg_file.h"
#include "core/registry/registry_search.h"
#include "core/registry/sysfs_ddc.h"
#include "core/report/json_report.h"
#include "core/report/monitor_name.h"
#include "core/report/report.h"
#include "core/script/diff.h"
#include "core/script/settings.h"

namespace edid::cli {

namespace {

constexpr const char* kUsage =
    "Usage: edidtool COMMAND [ARGUMENTS]\n"
    "\n"
    "Reads and writes the 128-byte base block of a monitor's EDID, keeping the\n"
    "extension blocks that follow it.\n"
    "\n"
    "Commands:\n"
    "  report FILE      Print the decoded report of FILE in UTF-8. FILE is read by\n"
    "                   its content: an EDID/DDC data file (*.DAT), a raw binary\n"
    "                   EDID, hex text (hexdump, xrandr --verbose, a C array) or a\n"
    "                   registry export. FILE \"-\" reads standard input.\n"
    "  report --json FILE  Print the whole decode of FILE (base block and extension\n"
    "                   blocks) as one JSON object; docs/json.md lists its keys.\n"
    "  report [--json] [--hide-serial-numbers] FILE... [--files-from LIST]\n"
    "                   Several files in one run, each text report headed by\n"
    "                   \"==> FILE <==\", JSON as an array of objects with \"file\".\n"
    "                   LIST names files one a line (\"-\": standard input). A file\n"
    "                   that cannot be read gets its message and the others go on;\n"
    "                   the exit status is then 2. --hide-serial-numbers shows the\n"
    "                   serial number and serial text as \"...\".\n"
    "  set IN OUT KEY=VALUE...\n"
    "                   Write the EDID of IN with the edits to OUT (as convert does):\n"
    "                   name=TEXT, serial=TEXT, serial_number=N, manufacturer=ABC,\n"
    "                   product_code=N, week=N, year=N, gamma=2.2, size_cm=WxH,\n"
    "                   dtd1..dtd4=<18 hex bytes> (timing --hex prints them),\n"
    "                   range.v=MIN-MAX, range.h=MIN-MAX, range.clock=MHz;\n"
    "                   in the CTA-861 block (cta2. for the second): cta.vic+=N,\n"
    "                   cta.vic-=N, cta.freesync=MIN-MAX, cta.hdmi.max_tmds_mhz=N,\n"
    "                   cta.hf.max_tmds_mhz=N, cta.audio-=all, cta.flags=HH,\n"
    "                   cta.dtd+=<18 hex bytes>, cta.dtd-=N; ext+=cta, ext-=N. Each is\n"
    "                   checked as the editor checks it; the first refusal stops\n"
    "                   with status 1 and OUT untouched.\n"
    "  diff [--json] A B\n"
    "                   The decoded fields that differ in words, then the bytes;\n"
    "                   status 0 when equal, 1 when not.\n"
    "  check [--warnings-as-errors] [--json] FILE... [--files-from LIST]\n"
    "                   Check each FILE against the EDID and CTA-861 rules, one\n"
    "                   line a finding: FILE: block B, bytes F-L: failure|warning:\n"
    "                   message. Exit status 0 without failures, 1 with (or with\n"
    "                   warnings, --warnings-as-errors), 2 when a FILE cannot be read.\n"
    "                   --json prints the findings as one JSON list.\n"
    "  convert IN OUT   Write the EDID of IN (any of those) to OUT: a data file when\n"
    "                   OUT ends in .DAT (any case), hex text (16 bytes a line) when\n"
    "                   it ends in .hex or .txt, otherwise the raw bytes (the base\n"
    "                   block, then the extension blocks).\n"
    "                   OUT is replaced only once the new file is complete.\n"
    "                   IN \"-\" reads standard input, OUT \"-\" writes standard output.\n"
    "  monitors [--sysfs DIR]\n"
    "                   List the display connectors, one a line, tab-separated:\n"
    "                   name, status, EDID size in bytes, manufacturer, product\n"
    "                   code, monitor name (empty where there is no EDID).\n"
    "  read [CONNECTOR] OUT [--sysfs DIR]\n"
    "                   Read the EDID of CONNECTOR (DP-1 or card0-DP-1), else of the\n"
    "                   first connected monitor that reports one.\n"
    "  read --registry FILE.reg [--base KEY] OUT\n"
    "                   Search a registry export for the monitor's EDID below KEY\n"
    "                   (default SYSTEM\\CurrentControlSet\\Enum\\Display).\n"
    "                   OUT ending in .DAT gets a data file, - prints the report,\n"
    "                   any other name gets every byte read (extension blocks too).\n"
    "                   DIR defaults to /sys/class/drm.\n"
    "  timing --cvt WxH@R [--rb|--rb2] [--video-optimized] [--interlaced] [--margins]\n"
    "  timing --gtf WxH@R [--gtf-secondary C,M,K,J[,KHZ]] [--interlaced] [--margins]\n"
    "  timing --dmt ID|WxH@R [--rb]\n"
    "  timing --vic N   Print a timing made by VESA CVT 1.2 (standard, reduced\n"
    "                   blanking v1 or v2), VESA GTF, taken from the VESA DMT list\n"
    "                   (ID 0x01-0x58) or the CTA-861 list (VIC 1-127, 193-219),\n"
    "                   as the report shows a detailed timing, and its 18 bytes in\n"
    "                   hex. R counts fields per second when interlaced. --hex\n"
    "                   prints the bytes alone. --video-optimized lowers an RB2\n"
    "                   clock by 1000/1001 (59.94 Hz for 60). --gtf-secondary\n"
    "                   makes a mode whose line rate reaches KHZ (default 0)\n"
    "                   on the secondary GTF curve C, M, K, J instead.\n"
    "  install FILE --connector NAME [--name FIRMWARE] [--root DIR]\n"
    "                   Put the EDID of FILE (every block) in\n"
    "                   /lib/firmware/edid/FIRMWARE.bin (default: the manufacturer and\n"
    "                   product code, VSC-7D20) and print the kernel parameter\n"
    "                   drm.edid_firmware= for connector NAME (DP-1), how to add it\n"
    "                   with GRUB, systemd-boot or kernelstub, and how to put the file\n"
    "                   into the initramfs (initramfs-tools, dracut). The boot\n"
    "                   loader's files are never edited. --root writes below DIR.\n"
    "  uninstall --connector NAME [--root DIR]\n"
    "                   Remove what install wrote for connector NAME.\n"
    "  override --connector NAME FILE|--reset [--debugfs DIR]\n"
    "                   Write the EDID of FILE into the kernel's live override of\n"
    "                   NAME (DIR/dri/N/NAME/edid_override, DIR defaulting to\n"
    "                   /sys/kernel/debug) and trigger a hotplug; --reset drops the\n"
    "                   override. Needs root.\n"
    "  write --connector NAME FILE [--backup OLD] [--force]\n"
    "        [--sysfs DIR] [--i2c-dev DEV]\n"
    "                   Write the EDID of FILE into the monitor's EEPROM: at 0x50 on\n"
    "                   the bus of NAME's ddc link in DIR (/sys/class/drm), device\n"
    "                   DEV/i2c-N (DEV defaulting to /dev). Only when the EEPROM holds\n"
    "                   an EDID of the same manufacturer and product code (--force: of\n"
    "                   any monitor), every block's checksum of FILE is right and the\n"
    "                   old bytes are saved to OLD first (default\n"
    "                   edid-backup-NAME-TIME.bin, a new file). Written 8 bytes at a\n"
    "                   time, then read back and compared.\n"
    "  --help           Show this help.\n"
    "  --version        Show the program's name and version.\n"
    "\n"
    "The brand and model come from the model list files (*.inf) in the program's\n"
    "folder, in $XDG_DATA_HOME/edidedit (else ~/.local/share/edidedit), then in\n"
    "share/edidedit beside the program's bin folder (/usr/share/edidedit).\n"
    "When SOURCE_DATE_EPOCH is set, the report's time and date are that moment in UTC.\n"
    "\n"
    "Exit status: 0 done, 1 a file could not be read, was not valid or could not be\n"
    "written, or a write or an edit was refused (diff: A and B differ), 2 a usage\n"
    "error, or a file of several could not be read.\n";

// Line ends of the terminal: the core's texts end lines with CR LF.
std::string unixLines(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t crlf = text.find(kCrLf); crlf != std::string::npos;
       crlf = text.find(kCrLf, start)) {
    out.append(text, start, crlf - start);
    start = crlf + 1;  // keep the LF
  }
  out.append(text, start, std::string::npos);
  return out;
}

// Messages go to the terminal's error stream; nobody is there to answer, so every
// question is answered No and every file dialog is cancelled.
class TerminalHost : public Host {
 public:
  explicit TerminalHost(std::ostream& err) : m_err(err) {}
  /// Every error line names the tool and, unless the message does, the file.
  void message(const std::string& text) override {
    m_err << "edidtool: ";
    if (!file.empty() && text.find(file) == std::string::npos) m_err << file << ": ";
    m_err << unixLines(text) << '\n';
  }
  bool ask(const std::string&, const std::string&, bool) override { return false; }
  std::string openFileName(const FileDialog&) override { return {}; }
  std::string saveFileName(const FileDialog&) override { return {}; }

  /// The file the current messages concern.
  std::string file;

 private:
  std::ostream& m_err;
};

int usageError(std::ostream& err, const std::string& what) {
  err << "edidtool: " << what << "\nTry 'edidtool --help'.\n";
  return 2;
}

bool endsWithDat(const std::string& path) {
  return path.size() >= 4 && toUpper(path.substr(path.size() - 4)) == ".DAT";
}

bool endsWithHexText(const std::string& path) {
  const std::string end = path.size() >= 4 ? toUpper(path.substr(path.size() - 4)) : "";
  return end == ".HEX" || end == ".TXT";
}

// Every block as hex text, 16 bytes a line: what edid-decode, xrandr users and
// File Open all read back.
std::string hexLines(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size() * 3);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    format::appendHex2(text, static_cast<unsigned char>(bytes[i]));
    text += (i % 16 == 15 || i + 1 == bytes.size()) ? '\n' : ' ';
  }
  return text;
}

constexpr const char* kStandardInput = "standard input";

// "-" reads standard input, as Unix tools do, with the same cap as a file. The
// process's own standard input is read from its descriptor, so that its errors
// ("Is a directory") have their reasons.

// Names that mean standard output.
bool isStandardOutput(const std::string& path) {
  return path == "-" || path == "/dev/stdout";
}

int writeOut(std::ostream& out, const std::string& bytes) {
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  return out ? 0 : 1;
}

// A field of a tab-separated line: a tab or line break inside it (a connector's
// name is whatever the kernel calls it) would split the line, so control
// characters and the backslash come out as C escapes.
std::string escapedField(const std::string& text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else if (c == '\t')
      out += "\\t";
    else if (byte < 0x20 || byte == 0x7F) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

// What a command works on: the image of a file and the monitor's name.
struct Loaded {
  Image image;
  std::string brand, model;
};

// The model lists of the folders, read when the first monitor is named and kept
// for the run, so that a batch reads them once, not once per file.
class MonitorNames {
 public:
  explicit MonitorNames(const std::vector<std::string>& folders) : m_folders(folders) {}

  /// Names the monitor; the lists' messages name their own files.
  void name(Loaded& loaded, TerminalHost& host) {
    if (!m_lists) {
      const std::string current = std::exchange(host.file, std::string());
      m_lists =
          ModelLists::read(m_folders, [&host](const std::string& text) { host.message(text); });
      host.file = current;
    }
    MonitorName name = m_lists->name(loaded.image);
    loaded.brand = std::move(name.brand);
    loaded.model = std::move(name.model);
  }

 private:
  const std::vector<std::string>& m_folders;
  std::optional<ModelLists> m_lists;
};

// Reads any EDID file (by its content) and names the monitor. Empty after its
// message when the file holds no EDID, or when refuseDropped and bytes of it were
// left out; a warning when it was read past damage.
std::optional<Loaded> load(const std::string& path, std::istream& in, MonitorNames& names,
                           TerminalHost& host, bool refuseDropped = false) {
  host.file = path == "-" ? kStandardInput : path;
  const auto content = readInput(path, in);
  if (!content) {
    host.message(content.error());
    return std::nullopt;
  }
  auto edid = loadEdid(*content);
  if (!edid) {
    host.message(edid.error());
    return std::nullopt;
  }
  if (!edid->warning.empty()) host.message(edid->warning);
  // A copy that lacks bytes of its source is no copy.
  if (refuseDropped && edid->dropped > 0) {
    host.message("Nothing is written, as bytes of the file would be lost.");
    return std::nullopt;
  }
  Loaded loaded{.image = std::move(edid.value().image), .brand = {}, .model = {}};
  names.name(loaded, host);
  return loaded;
}

std::vector<std::string> reportLines(const Loaded& loaded) {
  return reportLinesOf(loaded.image, loaded.brand, loaded.model, currentReportMoment());
}

struct ReportRequest {
  FileArguments files;
  bool json = false;
  bool hideSerialNumbers = false;
};

// The report of one file; false after its message when it could not be read.
bool reportOne(const std::string& path, const ReportRequest& request, bool batch, std::istream& in,
               std::ostream& out, MonitorNames& names, TerminalHost& host, bool& first) {
  const auto loaded = load(path, in, names, host);
  if (!loaded) return false;
  if (request.json) {
    std::string object = jsonReport(loaded->image, request.hideSerialNumbers);
    if (batch) {
      // Each object names its file, first.
      object.insert(object.find('{') + 1, "\n  \"file\": " + nlohmann::json(path).dump() + ",");
      if (!object.empty() && object.back() == '\n') object.pop_back();
      out << (first ? "[\n" : ",\n");
    }
    out << object;
  } else {
    if (batch) out << (first ? "" : "\n") << "==> " << path << " <==\n";
    out << terminalReportText({.brand = loaded->brand,
                               .model = loaded->model,
                               .cells = loaded->image,
                               .moment = currentReportMoment(),
                               .hideSerialNumbers = request.hideSerialNumbers});
  }
  first = false;
  return true;
}

int report(const ReportRequest& request, std::istream& in, std::ostream& out, std::ostream& err,
           MonitorNames& monitors, TerminalHost& host) {
  const auto names = fileNames(request.files, in);
  if (!names) return usageError(err, "report: " + names.error());
  const bool batch = isBatch(request.files, names->size());
  std::size_t failed = 0;
  bool first = true;
  for (const std::string& path : *names)
    if (!reportOne(path, request, batch, in, out, monitors, host, first)) ++failed;
  if (request.json && batch) out << (first ? "[\n" : "\n") << "]\n";
  out.flush();
  if (!out) return 1;
  return batchStatus(batch, failed);
}

// Writes the image to OUT: a data file when OUT ends in .DAT, else the raw blocks.
int writeImage(const Loaded& loaded, const std::string& outPath, std::ostream& out,
               TerminalHost& host) {
  if (const Status writable = loaded.image.checkWritable(); !writable) {
    host.message(writable.error());
    return 1;
  }
  std::string content;
  if (endsWithDat(outPath)) {
    const std::vector<std::string> lines = reportLines(loaded);
    content = dataFileText(lines) + extensionSectionText(loaded.image.extension(), lines);
  } else if (endsWithHexText(outPath)) {
    content = hexLines(rawEdidBytes(loaded.image));
  } else {
    content = rawEdidBytes(loaded.image);
  }
  if (isStandardOutput(outPath)) return writeOut(out, content);
  host.file = outPath;
  const Status written = writeFileAtomically(outPath, content);
  if (!written) {
    host.message(written.error());
    return 1;
  }
  return 0;
}

int convert(const std::string& inPath, const std::string& outPath, std::istream& in,
            std::ostream& out, MonitorNames& names, TerminalHost& host) {
  const auto loaded = load(inPath, in, names, host, true);
  if (!loaded) return 1;
  return writeImage(*loaded, outPath, out, host);
}

// Applies KEY=VALUE pairs to the EDID of IN and writes OUT; the first refusal
// stops it before OUT is touched.
int set(const std::string& inPath, const std::string& outPath,
        const std::vector<std::string>& pairs, std::istream& in, std::ostream& out,
        MonitorNames& names, TerminalHost& host) {
  auto loaded = load(inPath, in, names, host, true);
  if (!loaded) return 1;
  const std::string raw = rawEdidBytes(loaded->image);
  std::vector<std::uint8_t> edid(raw.begin(), raw.end());
  if (const Status done = script::applySettings(edid, pairs); !done) {
    host.message(done.error());
    return 1;
  }
  loaded->image =
      Image::fromEdid(std::string_view(reinterpret_cast<const char*>(edid.data()), edid.size()));
  names.name(*loaded, host);
  return writeImage(*loaded, outPath, out, host);
}

// Exit status 0 when A and B hold the same bytes, 1 when they differ, 2 when one
// cannot be read.
int diff(const std::string& pathA, const std::string& pathB, bool json, std::istream& in,
         std::ostream& out, MonitorNames& names, TerminalHost& host) {
  const auto a = load(pathA, in, names, host);
  if (!a) return 2;
  const auto b = load(pathB, in, names, host);
  if (!b) return 2;
  const script::EdidDiff found = script::diffEdids(a->image, b->image);
  out << (json ? script::diffJson(found) : script::diffText(found));
  out.flush();
  if (!out) return 2;
  return found.equal() ? 0 : 1;
}

int fail(std::ostream& err, const std::string& what) {
  err << "edidtool: " << what << '\n';
  return 1;
}

// The options of monitors and read.
struct SourceOptions {
  std::string sysfs = kDefaultSysfsRoot;
  std::string registry;
  std::string base = kDefaultRegistryBaseLocation;
  bool registrySet = false;
  std::vector<std::string> positional;
};

// Tells what went wrong reading a connector's EDID; true when nothing could be read.
bool noteEdidRead(const Connector& connector, std::ostream& err) {
  if (connector.edidNote.empty()) return false;
  err << "edidtool: " << escapedField(connector.label) << ": " << connector.edidNote << '\n';
  return connector.edid.empty();
}

int monitors(const SourceOptions& options, std::ostream& out, std::ostream& err) {
  const std::vector<Connector> connectors = listConnectors(options.sysfs);
  if (connectors.empty()) return fail(err, "no display connector in " + options.sysfs);
  bool unreadable = false;
  for (const Connector& connector : connectors) {
    const MonitorIdentity identity = identifyMonitor(connector.edid);
    out << escapedField(connector.label) << '\t' << escapedField(connector.status) << '\t'
        << connector.edid.size() << '\t' << escapedField(identity.manufacturer) << '\t'
        << escapedField(identity.productCode) << '\t' << escapedField(identity.name) << '\n';
    if (noteEdidRead(connector, err)) unreadable = true;
  }
  out.flush();
  return out && !unreadable ? 0 : 1;
}

int read(const SourceOptions& options, std::ostream& out, std::ostream& err, MonitorNames& names,
         TerminalHost& host) {
  const std::string& target = options.positional.back();
  std::string data;
  if (options.registrySet) {
    const auto registry = RegFileRegistry::load(options.registry);
    if (!registry) return fail(err, registry.error());
    data = findMonitorEdid(*registry, host, options.base).data;
    if (data.empty())
      return fail(err, "no EDID value at or below " + options.base + " in " + options.registry);
  } else {
    const std::vector<Connector> connectors = listConnectors(options.sysfs);
    if (options.positional.size() == 2) {
      const Connector* connector = findConnector(connectors, options.positional[0]);
      if (!connector)
        return fail(err, "no connector " + options.positional[0] + " in " + options.sysfs);
      if (noteEdidRead(*connector, err)) return 1;
      if (connector->edid.empty())
        return fail(err, connector->label + " reports no EDID (" + connector->status + ")");
      data = connector->edid;
    } else {
      const std::vector<Connector> found = monitorsWithEdid(connectors);
      if (found.empty()) {
        for (const Connector& connector : connectors)
          if (connector.connected()) noteEdidRead(connector, err);
        return fail(err, "no connected monitor reports an EDID in " + options.sysfs);
      }
      noteEdidRead(found.front(), err);
      data = found.front().edid;
    }
  }
  if (target != "-" && !endsWithDat(target)) {
    if (isStandardOutput(target)) return writeOut(out, data);
    const Status written = writeFileAtomically(target, data);
    return written ? 0 : fail(err, written.error());
  }
  // The first 128 bytes; missing ones read 00.
  Loaded loaded;
  // The monitor's extension blocks stay with it, whole blocks only.
  loaded.image = Image::fromEdid(data);
  names.name(loaded, host);
  if (data.size() < static_cast<std::size_t>(kEdidSize))
    host.message("The EDID read has only " + std::to_string(data.size()) +
                 " bytes; the rest is set to 00.");
  const std::vector<std::string> lines = reportLines(loaded);
  if (target == "-") {
    out << unixLines(joinReportLines(lines));
    out.flush();
    return out ? 0 : 1;
  }
  const Status written = writeFileAtomically(
      target, dataFileText(lines) + extensionSectionText(loaded.image.extension(), lines));
  return written ? 0 : fail(err, written.error());
}

}  // namespace

Result<std::string> readInput(const std::string& path, std::istream& in) {
  if (path != "-") return readFileBytes(path);
  if (&in == &std::cin) return readDescriptor(0, kStandardInput);
  std::string content;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    content.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (content.size() > kMaxFileSize)
      return failure(std::string("Cannot read ") + kStandardInput + ": the file is too large");
  }
  if (in.bad()) return failure(std::string("Cannot read ") + kStandardInput);
  return content;
}

std::string programFolder(const char* argv0) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec && self.has_parent_path()) return self.parent_path().string();
  if (argv0 && *argv0) {
    const fs::path given(argv0);
    if (given.has_parent_path()) return given.parent_path().string();
  }
  return {};
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::vector<std::string>& modelListFolders) {
  std::istringstream none;
  return run(args, none, out, err, modelListFolders);
}

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err, const std::vector<std::string>& modelListFolders) {
  if (args.empty()) return usageError(err, "no command given");
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    out << kUsage;
    return 0;
  }
  if (command == "--version") {
    out << "edidtool " << kProgramVersion << '\n';
    return 0;
  }
  TerminalHost host(err);
  MonitorNames names(modelListFolders);

  CLI::App app("Reads and writes the base block of a monitor's EDID.", "edidtool");
  app.require_subcommand(1);
  app.set_help_flag();
  // A repeated option takes its last value, as before.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);

  // Only the command given is declared: declaring every command's options would
  // cost a one-file report more than its decoding.
  CLI::App* sub = nullptr;
  const auto declare = [&](const char* name, const char* description) {
    if (command == name) sub = app.add_subcommand(name, description);
    return command == name;
  };

  ReportRequest reportRequest;
  if (declare("report", "Print the decoded report of FILEs")) {
    addFileArguments(*sub, reportRequest.files);
    sub->add_flag("--json", reportRequest.json,
                  "The whole decode as JSON (several files: an array)");
    sub->add_flag("--hide-serial-numbers", reportRequest.hideSerialNumbers,
                  "Show the serial number and serial text as ...");
  }

  std::string inPath, outPath;
  if (declare("convert", "Write the EDID of IN to OUT")) {
    sub->add_option("IN", inPath, "Any EDID file (\"-\": standard input)")->required();
    sub->add_option("OUT", outPath,
                    "A .DAT data file, .hex/.txt hex text, else raw bytes (\"-\": standard output)")
        ->required();
  }

  std::vector<std::string> settings;
  if (declare("set", "Write IN with KEY=VALUE edits to OUT (.DAT: a data file)")) {
    sub->add_option("IN", inPath, "Any EDID file (\"-\": standard input)")->required();
    sub->add_option("OUT", outPath, "Written only when every edit is accepted")->required();
    sub->add_option(
           "KEY=VALUE", settings,
           "name, serial, serial_number, manufacturer, product_code, week, "
           "year, gamma, size_cm (WxH), dtd1-dtd4 (18 hex bytes), range.v, "
           "range.h (MIN-MAX), range.clock (MHz), cta.* and ext+/ext- (see edidtool --help)")
        ->required();
  }

  std::string pathA, pathB;
  bool diffJsonOutput = false;
  if (declare("diff", "The fields, then the bytes, that differ between A and B")) {
    sub->add_option("A", pathA, "Any EDID file")->required();
    sub->add_option("B", pathB, "Any EDID file")->required();
    sub->add_flag("--json", diffJsonOutput, "As one JSON object");
  }

  CheckRequest checkRequest;
  if (declare("check", "Check FILEs against the EDID and CTA-861 rules"))
    addCheckOptions(*sub, checkRequest);

  SourceOptions sourceOptions;
  if (declare("monitors", "List the display connectors") ||
      declare("read", "Read a monitor's EDID into OUT"))
    sub->add_option("--sysfs", sourceOptions.sysfs, "The DRM folder (/sys/class/drm)");
  if (command == "read") {
    sub->add_option_function<std::string>(
        "--registry",
        [&sourceOptions](const std::string& value) {
          sourceOptions.registry = value;
          sourceOptions.registrySet = true;
        },
        "A registry export to search instead");
    sub->add_option("--base", sourceOptions.base, "The registry key to search below");
    sub->add_option("ARGS", sourceOptions.positional, "[CONNECTOR] OUT");
  }

  TimingRequest timingRequest;
  if (declare("timing", "Print a generated timing and its bytes"))
    addTimingOptions(*sub, timingRequest);

  ApplyRequest applyRequest;
  for (const std::string& name : applyCommandNames())
    if (declare(name.c_str(), "Put an EDID to use (see edidtool --help)"))
      addApplyOptions(*sub, name, applyRequest);

  if (!sub) return usageError(err, "unknown command '" + command + "'");
  sub->set_help_flag("--help,-h", "Show this help");

  try {
    app.parse(std::vector<std::string>(args.rbegin(), args.rend()));
  } catch (const CLI::CallForHelp& help) {
    app.exit(help, out, err);
    return 0;
  } catch (const CLI::ParseError& error) {
    return usageError(err, error.what());
  }

  if (command == "report") return report(reportRequest, in, out, err, names, host);
  if (command == "convert") return convert(inPath, outPath, in, out, names, host);
  if (command == "set") return set(inPath, outPath, settings, in, out, names, host);
  if (command == "check") return checkCommand(checkRequest, in, out, err);
  if (command == "diff") return diff(pathA, pathB, diffJsonOutput, in, out, names, host);
  if (command == "monitors") {
    if (sourceOptions.registrySet) return usageError(err, "monitors takes only --sysfs DIR");
    return monitors(sourceOptions, out, err);
  }
  if (command == "read") {
    const std::size_t most = sourceOptions.registrySet ? 1 : 2;
    if (sourceOptions.positional.empty() || sourceOptions.positional.size() > most)
      return usageError(err, sourceOptions.registrySet ? "read --registry FILE needs one OUT"
                                                       : "read needs [CONNECTOR] OUT");
    return read(sourceOptions, out, err, names, host);
  }
  std::string problem;
  const int status =
      command == "timing"
          ? timingCommand(timingRequest, out, err, problem)
          : applyCommand(command, applyRequest, {args.begin() + 1, args.end()}, out, err, problem);
  return problem.empty() ? status : usageError(err, problem);
}

}  // namespace edid::cli
