#include "cli/apply_commands.h"

#include <ctime>
#include <map>
#include <set>

#include <CLI/CLI.hpp>

#include "core/apply/eeprom_write.h"
#include "core/apply/firmware_override.h"
#include "core/apply/live_override.h"
#include "core/common/extension_blocks.h"
#include "core/common/file_io.h"
#include "core/input/load_edid.h"

namespace edid::cli {

namespace {

using Options = ApplyRequest;

// Options with a value, options without one, and how many FILEs each command takes.
struct Syntax {
  std::set<std::string> valued, flags;
  std::size_t files;
  const char* usage;
};

const std::map<std::string, Syntax>& syntaxes() {
  static const std::map<std::string, Syntax> table{
      {"install",
       {{"--connector", "--root", "--name"}, {}, 1, "install needs FILE and --connector NAME"}},
      {"uninstall", {{"--connector", "--root"}, {}, 0, "uninstall needs --connector NAME alone"}},
      {"override",
       {{"--connector", "--debugfs"},
        {"--reset"},
        1,
        "override needs --connector NAME and FILE, or --reset"}},
      {"write",
       {{"--connector", "--sysfs", "--i2c-dev", "--backup"},
        {"--force"},
        1,
        "write needs FILE and --connector NAME"}},
  };
  return table;
}

bool checkCounts(const Syntax& syntax, const Options& options, std::string& problem) {
  std::size_t files = syntax.files;
  if (options.flags.count("--reset")) files = 0;
  if (!options.values.count("--connector") || options.positional.size() != files) {
    problem = syntax.usage;
    return false;
  }
  return true;
}

int fail(std::ostream& err, const std::string& what) {
  err << "edidtool: " << what << '\n';
  return 1;
}

// The EDID of any file File Open reads, all blocks, as raw bytes. Nothing is put to
// use from a file read past damage.
Result<std::string> edidOfFile(const std::string& path) {
  auto loaded = loadEdidFile(path);
  if (!loaded) return failure(loaded.error());
  if (!loaded->warning.empty() || loaded->dropped > 0)
    return failure(path + " is not a whole EDID; nothing was written");
  return rawEdidBytes(loaded->image);
}

std::string commandLine(const std::string& command, const std::vector<std::string>& args) {
  std::string line = "edidtool " + command;
  for (const std::string& arg : args) line += " " + arg;
  return line;
}

// The old bytes' default place: the current folder, named by connector and time.
std::string defaultBackup(const std::string& connector) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  return "edid-backup-" + connector + "-" + stamp + ".bin";
}

int install(const Options& options, std::ostream& out, std::ostream& err) {
  const std::string& path = options.positional[0];
  const auto edid = edidOfFile(path);
  if (!edid) return fail(err, edid.error());
  const auto plan = apply::planFirmware(*edid, options.get("--connector"), options.get("--name"));
  if (!plan) return fail(err, path + ": " + plan.error());
  const auto written = apply::installFirmware(*edid, *plan, options.get("--root"));
  if (!written) return fail(err, written.error());
  out << "Wrote " << *written << '\n' << apply::installSteps(*plan);
  return out ? 0 : 1;
}

int uninstall(const Options& options, std::ostream& out, std::ostream& err) {
  const auto removed = apply::uninstallFirmware(options.get("--connector"), options.get("--root"));
  if (!removed) return fail(err, removed.error());
  out << *removed;
  return out ? 0 : 1;
}

int override(const Options& options, const std::vector<std::string>& args, std::ostream& out,
             std::ostream& err) {
  std::string content = apply::kOverrideReset;
  if (!options.flags.count("--reset")) {
    const auto edid = edidOfFile(options.positional[0]);
    if (!edid) return fail(err, edid.error());
    content = *edid;
  }
  const apply::OverrideOutcome done = apply::overrideEdid(
      options.get("--debugfs", apply::kDefaultDebugfs), options.get("--connector"), content);
  if (done.needsRoot) {
    const std::string line = commandLine("override", args);
    return fail(err, "override needs root (" + done.message + "). Run it as root:\n  sudo " + line +
                         "\nor, from a desktop session:\n  pkexec " + line);
  }
  if (!done.ok) return fail(err, done.message);
  out << (content == apply::kOverrideReset ? "Dropped the override of " : "Set the override of ")
      << done.folder << " and triggered a hotplug.\n";
  return out ? 0 : 1;
}

int write(const Options& options, std::ostream& out, std::ostream& err) {
  const std::string& path = options.positional[0];
  const auto edid = edidOfFile(path);
  if (!edid) return fail(err, edid.error());
  apply::EepromRequest request;
  request.sysfs = options.get("--sysfs", kDefaultSysfsRoot);
  request.i2cDev = options.get("--i2c-dev", apply::kDefaultI2cDev);
  request.connector = options.get("--connector");
  request.edid = *edid;
  request.backup = options.get("--backup", defaultBackup(request.connector));
  request.force = options.flags.count("--force") > 0;
  request.note = [&out](const std::string& line) { out << line << '\n' << std::flush; };
  const apply::EepromOutcome done = apply::writeEeprom(request, apply::i2cOpener());
  if (!done.ok) return fail(err, done.message);
  return out ? 0 : 1;
}

}  // namespace

std::vector<std::string> applyCommandNames() {
  std::vector<std::string> names;
  for (const auto& entry : syntaxes()) names.push_back(entry.first);
  return names;
}

void addApplyOptions(CLI::App& subcommand, const std::string& command, ApplyRequest& request) {
  const Syntax& syntax = syntaxes().at(command);
  for (const std::string& name : syntax.valued)
    subcommand.add_option_function<std::string>(
        name, [&request, name](const std::string& value) { request.values[name] = value; });
  for (const std::string& name : syntax.flags)
    subcommand.add_flag_callback(name, [&request, name] { request.flags.insert(name); });
  subcommand.add_option("FILE", request.positional, "The EDID file");
}

int applyCommand(const std::string& command, const ApplyRequest& options,
                 const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 std::string& usageProblem) {
  if (!checkCounts(syntaxes().at(command), options, usageProblem)) return 2;
  if (command == "install") return install(options, out, err);
  if (command == "uninstall") return uninstall(options, out, err);
  if (command == "override") return override(options, args, out, err);
  return write(options, out, err);
}

}  // namespace edid::cli
