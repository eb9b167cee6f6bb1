// Runs the edidtool cases of tests/data/edidtool_cases.txt; that file's head says
// what each line does.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>

#include "cli/edidtool.h"
#include "support/as_user.h"
#include "support/corpus.h"
#include "support/fake_sources.h"
#include "support/simulated_eeprom.h"
#include "support/temp_dir.h"

namespace edid::cli {
namespace {

namespace fs = std::filesystem;

std::string unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    if (c == 'x') {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c == 's' ? ' ' : c;
    }
  }
  return out;
}

// Words split at blanks; "..." keeps blanks in one word.
std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> out;
  std::string word;
  bool quoted = false, any = false;
  for (const char c : line + ' ') {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (c == ' ' && !quoted) {
      if (any || !word.empty()) out.push_back(unescape(word));
      word.clear();
      any = false;
    } else {
      word += c;
    }
  }
  return out;
}

class Case {
 public:
  explicit Case(const std::string& tag) : m_dir(tag) {}
  ~Case() {
    if (m_opener) apply::setI2cOpener(*m_opener);
  }

  std::string expand(std::string text) const {
    const std::pair<std::string, std::string> names[] = {{"{corpus}", test::corpusDir()},
                                                         {"{data}", EDID_TEST_DATA_DIR},
                                                         {"{tmp}", m_dir.path.string()},
                                                         {"{edidtool}", EDIDTOOL_PATH}};
    for (const auto& [name, value] : names)
      for (std::size_t at; (at = text.find(name)) != std::string::npos;)
        text.replace(at, name.size(), value);
    return text;
  }

  // TEXT, or @FILE [FROM [COUNT]] for bytes of a file.
  std::string value(const std::string& rest) const {
    if (rest.empty() || rest[0] != '@') return unescape(expand(rest));
    const auto w = words(expand(rest.substr(1)));
    const std::string bytes = test::readFile(w.at(0));
    return bytes.substr(w.size() > 1 ? std::stoul(w[1]) : 0,
                        w.size() > 2 ? std::stoul(w[2]) : std::string::npos);
  }

  void line(const std::string& verb, const std::string& rest) {
    const auto w = words(expand(rest));
    if (verb == "$") return runInProcess(w);
    if (verb == "$user") {
      const std::string said = test::asOrdinaryUser([&] {
        runInProcess(w);
        return std::to_string(m_status) + '\n' + m_err;
      });
      m_status = std::stoi(said);
      m_err = said.substr(said.find('\n') + 1);
      return m_out.clear();
    }
    if (verb == "sh") return runShell(expand(rest));
    if (verb == "<") return void(m_input = value("@" + rest));
    if (verb == "folder") return m_folders.push_back(w.at(0));
    if (verb == "put" || verb == "add") {
      const std::size_t blank = rest.find(' ');
      const std::string text = blank == std::string::npos ? "" : value(rest.substr(blank + 1));
      const std::string path = w.at(0);
      std::ofstream(path, std::ios::binary | (verb == "add" ? std::ios::app : std::ios::trunc))
          << text;
      return;
    }
    if (verb == "patch") return patch(w);
    if (verb == "swap") {
      std::string text = test::readFile(w.at(0));
      text.replace(text.find(w.at(1)), w[1].size(), w.at(2));
      return test::writeBytes(w[0], text);
    }
    if (verb == "connector")
      return test::writeConnector(w.at(0), w.at(1), w.at(2), w.size() > 3 ? value(w[3]) : "");
    if (verb == "link") return fs::create_symlink(w.at(0), w.at(1));
    if (verb == "mkdir") return void(fs::create_directories(w.at(0)));
    if (verb == "chmod") return fs::permissions(w.at(1), fs::perms(std::stoi(w.at(0), 0, 8)));
    if (verb == "rm") return void(fs::remove_all(w.at(0)));
    if (verb == "eeprom") return eeprom(w);
    expect(verb, rest);
  }

 private:
  void runInProcess(const std::vector<std::string>& args) {
    std::istringstream in(m_input);
    std::ostringstream out, err;
    m_status = run(args, in, out, err, m_folders);
    m_out = out.str();
    m_err = err.str();
    m_input.clear();
  }

  void runShell(const std::string& command) {
    const std::string out = m_dir.file(".out"), err = m_dir.file(".err");
    const int status = std::system(("(" + command + ") > " + out + " 2> " + err).c_str());
    m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    m_out = test::readFile(out);
    m_err = test::readFile(err);
  }

  // patch DST @SRC OFF=XX...: SRC's bytes with those changed and every block's checksum
  // made good again.
  void patch(const std::vector<std::string>& w) {
    std::string bytes = value(w.at(1));
    for (std::size_t i = 2; i < w.size(); ++i)
      bytes[std::stoul(w[i])] =
          static_cast<char>(std::stoi(w[i].substr(w[i].find('=') + 1), 0, 16));
    for (std::size_t block = 0; block + 128 <= bytes.size(); block += 128) {
      int sum = 0;
      for (std::size_t i = block; i < block + 127; ++i) sum += static_cast<unsigned char>(bytes[i]);
      bytes[block + 127] = static_cast<char>((256 - sum % 256) % 256);
    }
    test::writeBytes(w[0], bytes);
  }

  // eeprom [cycle=MS] [protect] [fail=PAGES] [fill=XX] [@FILE]: the monitor's EEPROM on
  // the bus {tmp}/dev/i2c-5, FF or XX throughout, then the bytes of FILE from its start.
  void eeprom(const std::vector<std::string>& w) {
    m_chip = {};
    for (const std::string& word : w) {
      const std::string number = word.substr(word.find('=') + 1);
      if (word.starts_with("cycle=")) m_chip.cycleMs = std::stoi(number);
      if (word.starts_with("fail=")) m_chip.pagesBeforeFailure = std::stoi(number);
      if (word.starts_with("fill=")) m_chip.memory.assign(256, char(std::stoi(number, 0, 16)));
      if (word == "protect") m_chip.writeProtected = true;
      if (word.starts_with("@")) m_chip.memory.replace(0, value(word).size(), value(word));
    }
    if (m_opener) return;
    m_opener = apply::setI2cOpener(
        [this](const std::string& device) -> Result<std::shared_ptr<apply::I2cBus>> {
          if (device != m_dir.file("dev/i2c-5")) return failure("no bus " + device);
          return std::shared_ptr<apply::I2cBus>(std::make_shared<test::SimulatedBus>(m_chip));
        });
  }

  // SUBJECT OP [VALUE]: out, err, status, eeprom (its 256 bytes), pages (written to it) or
  // a file; SUBJECT#FROM[+COUNT] is a part of it, one byte unless COUNT says.
  void expect(std::string subject, const std::string& rest) {
    const std::string op = rest.substr(0, rest.find(' '));
    const std::string arg = rest.size() > op.size() ? rest.substr(op.size() + 1) : "";
    std::size_t from = 0, count = std::string::npos;
    if (const auto hash = subject.rfind('#'); hash != std::string::npos) {
      from = std::stoul(subject.substr(hash + 1));
      const auto plus = subject.find('+', hash);
      count = plus == std::string::npos ? 1 : std::stoul(subject.substr(plus + 1));
      subject.erase(hash);
    }
    std::string actual;
    const std::string path = expand(subject);
    if (subject == "out" || subject == "err") {
      actual = subject == "out" ? m_out : m_err;
    } else if (subject == "status" || subject == "pages") {
      actual = std::to_string(subject == "status" ? m_status : m_chip.pagesWritten);
    } else if (subject == "eeprom") {
      actual = m_chip.memory;
    } else if (op == "absent") {
      EXPECT_FALSE(fs::exists(path));
      return;
    } else if (op == "tree") {
      std::set<std::string> files, expected;
      for (const auto& entry : fs::recursive_directory_iterator(path))
        if (!entry.is_directory()) files.insert(fs::relative(entry.path(), path).string());
      for (const auto& name : words(arg)) expected.insert(name);
      EXPECT_EQ(files, expected);
      return;
    } else {
      actual = test::readFile(path);
    }
    actual = actual.substr(from, count);
    if (op == "checksums") {
      for (std::size_t block = 0; block < actual.size(); block += 128) {
        int sum = 0;
        for (std::size_t i = block; i < block + 128; ++i)
          sum += static_cast<unsigned char>(actual.at(i));
        EXPECT_EQ(sum % 256, 0) << "block " << block / 128;
      }
      return;
    }
    const std::string wanted = value(arg);
    if (op == "=")
      EXPECT_EQ(actual, wanted);
    else if (op == "~")
      EXPECT_NE(actual.find(wanted), std::string::npos) << actual;
    else if (op == "!~")
      EXPECT_EQ(actual.find(wanted), std::string::npos) << actual;
    else if (op == "^")
      EXPECT_EQ(actual.rfind(wanted, 0), 0u) << actual;
    else
      ADD_FAILURE() << "unknown line: " << subject << " " << rest;
  }

  test::TempDir m_dir;
  test::SimulatedEeprom m_chip;
  std::optional<apply::I2cOpener> m_opener;
  std::vector<std::string> m_folders;
  std::string m_input, m_out, m_err;
  int m_status = -1;
};

TEST(EdidtoolCases, EveryCaseOfTheTable) {
  ::setenv("SOURCE_DATE_EPOCH", "1796478330", 1);
  std::ifstream file(std::string(EDID_TEST_DATA_DIR) + "/edidtool_cases.txt");
  ASSERT_TRUE(file) << "edidtool_cases.txt";
  std::unique_ptr<Case> current;
  std::string title, text;
  int cases = 0;
  for (int number = 1; std::getline(file, text); ++number) {
    if (text.empty() || text[0] == '#') continue;
    const std::size_t blank = text.find(' ');
    const std::string verb = text.substr(0, blank);
    const std::string rest = blank == std::string::npos ? "" : text.substr(blank + 1);
    if (verb == "==") {
      current.reset();  // the last case's folder goes before the next one is made
      current = std::make_unique<Case>("edidtool_cases");
      title = rest;
      ++cases;
      continue;
    }
    ASSERT_TRUE(current) << "line " << number << " comes before the first case";
    SCOPED_TRACE("line " + std::to_string(number) + " of case " + title);
    current->line(verb, rest);
  }
  EXPECT_GT(cases, 0);
  ::unsetenv("SOURCE_DATE_EPOCH");
}

}  // namespace
}  // namespace edid::cli
