#include "core/registry/reg_file.h"

#include <unordered_map>
#include <vector>

#include "core/common/data_file.h"
#include "core/common/text.h"

namespace edid {

// Sub keys and values keep file order for enumeration; the maps, keyed by the
// upper-cased name, find one in constant time, so a key with many siblings or
// values costs no more than a few.
struct RegFileRegistry::Node {
  std::string name;
  std::vector<std::unique_ptr<Node>> children;
  std::unordered_map<std::string, Node*> childByName;
  std::vector<RegistryValue> values;
  std::unordered_map<std::string, std::size_t> valueByName;

  Node* child(std::string_view part) const {
    const auto found = childByName.find(toUpper(part));
    return found == childByName.end() ? nullptr : found->second;
  }
};

namespace {

constexpr std::size_t kMaxKeyDepth = 512;

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (toUpper(a[i]) != toUpper(b[i])) return false;
  return true;
}

std::string_view trim(std::string_view text) {
  const auto begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  const auto end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

std::vector<std::string_view> components(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const auto slash = path.find('\\', start);
    const auto end = slash == std::string_view::npos ? path.size() : slash;
    if (end > start) parts.push_back(path.substr(start, end - start));
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  return parts;
}

void appendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The registry editor of Windows 2000 and later writes UTF-16LE with a byte order
// mark; older ones and hand-made files are 8-bit text.
Result<std::string> decodeText(std::string_view content) {
  if (content.size() >= 2 && static_cast<unsigned char>(content[0]) == 0xFF &&
      static_cast<unsigned char>(content[1]) == 0xFE) {
    if (content.size() % 2 != 0) return failure("the UTF-16 text ends in half a character");
    std::string out;
    out.reserve(content.size() / 2);
    auto unit = [&](std::size_t i) {
      return static_cast<char16_t>(static_cast<unsigned char>(content[i]) |
                                   (static_cast<unsigned char>(content[i + 1]) << 8));
    };
    for (std::size_t i = 2; i < content.size(); i += 2) {
      const char16_t first = unit(i);
      if (first >= 0xD800 && first <= 0xDBFF && i + 2 < content.size()) {
        const char16_t second = unit(i + 2);
        if (second >= 0xDC00 && second <= 0xDFFF) {
          appendUtf8(out, 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00));
          i += 2;
          continue;
        }
      }
      appendUtf8(out, first >= 0xD800 && first <= 0xDFFF ? char32_t{0xFFFD} : first);
    }
    return out;
  }
  if (content.size() >= 2 && static_cast<unsigned char>(content[0]) == 0xFE &&
      static_cast<unsigned char>(content[1]) == 0xFF)
    return failure("big-endian UTF-16 is not a registry export encoding");
  if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
  return std::string(content);
}

// A quoted text starting at text[pos] == '"', with \\ and \" escapes; pos ends
// after the closing quote. False when the quote is never closed.
bool readQuoted(std::string_view text, std::size_t& pos, std::string& out) {
  for (++pos; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '"') {
      ++pos;
      return true;
    }
    if (c == '\\' && pos + 1 < text.size())
      out += text[++pos];
    else
      out += c;
  }
  return false;
}

// Comma-separated bytes of two hex digits each; blanks around them are allowed,
// and so is a trailing comma before a continuation that brought nothing more.
bool readHexBytes(std::string_view text, std::string& out) {
  text = trim(text);
  if (text.empty()) return true;
  std::size_t start = 0;
  while (start <= text.size()) {
    const auto comma = text.find(',', start);
    const auto end = comma == std::string_view::npos ? text.size() : comma;
    const std::string_view token = trim(text.substr(start, end - start));
    if (token.empty()) {
      if (comma == std::string_view::npos && start > 0) return true;
      return false;
    }
    if (token.size() > 2) return false;
    int value = 0;
    for (const char c : token) {
      const int digit = hexDigit(c);
      if (digit < 0) return false;
      value = value * 16 + digit;
    }
    out += static_cast<char>(value);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return true;
}

// The data after "=": a string, dword:, hex: or hex(N):. "-" deletes a value and
// reads as nothing.
Result<std::optional<std::string>> readData(std::string_view text) {
  text = trim(text);
  std::string data;
  if (text == "-") return std::optional<std::string>();
  if (!text.empty() && text[0] == '"') {
    std::size_t pos = 0;
    if (!readQuoted(text, pos, data)) return failure("a string without its closing quote");
    if (!trim(text.substr(pos)).empty()) return failure("text after a string value");
    return std::optional<std::string>(std::move(data));
  }
  const auto colon = text.find(':');
  if (colon == std::string_view::npos) return failure("a value of unknown type");
  const std::string_view type = trim(text.substr(0, colon));
  const std::string_view rest = text.substr(colon + 1);
  if (sameName(type, "dword")) {
    const std::string_view digits = trim(rest);
    if (digits.empty() || digits.size() > 8)
      return failure("a dword that is not 1 to 8 hex digits");
    std::uint32_t value = 0;
    for (const char c : digits) {
      const int digit = hexDigit(c);
      if (digit < 0) return failure("a dword that is not 1 to 8 hex digits");
      value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    for (int i = 0; i < 4; ++i) data += static_cast<char>((value >> (8 * i)) & 0xFF);
    return std::optional<std::string>(std::move(data));
  }
  bool hexType = sameName(type, "hex");
  if (!hexType && type.size() > 5 && sameName(type.substr(0, 4), "hex(") && type.back() == ')') {
    hexType = true;
    for (const char c : type.substr(4, type.size() - 5))
      if (hexDigit(c) < 0) hexType = false;
  }
  if (!hexType) return failure("a value of unknown type");
  if (!readHexBytes(rest, data)) return failure("hex data that is not comma-separated bytes");
  return std::optional<std::string>(std::move(data));
}

}  // namespace

RegFileRegistry::RegFileRegistry() : m_root(std::make_unique<Node>()) {}
RegFileRegistry::~RegFileRegistry() = default;
RegFileRegistry::RegFileRegistry(RegFileRegistry&&) noexcept = default;
RegFileRegistry& RegFileRegistry::operator=(RegFileRegistry&&) noexcept = default;

RegFileRegistry::Node* RegFileRegistry::findOrAdd(std::string_view path) {
  Node* node = m_root.get();
  for (const std::string_view part : components(path)) {
    Node* next = node->child(part);
    if (!next) {
      next = node->children.emplace_back(std::make_unique<Node>()).get();
      next->name = std::string(part);
      node->childByName.emplace(toUpper(part), next);
    }
    node = next;
  }
  return node;
}

std::optional<RegistryKey> RegFileRegistry::openKey(const std::string& path) const {
  const Node* node = m_root.get();
  for (const std::string_view part : components(path)) {
    node = node->child(part);
    if (!node) return std::nullopt;
  }
  RegistryKey key;
  key.subKeys.reserve(node->children.size());
  for (const auto& child : node->children) key.subKeys.push_back(child->name);
  key.values = node->values;
  return key;
}

Result<RegFileRegistry> RegFileRegistry::parse(std::string_view content) {
  const auto decoded = decodeText(content);
  if (!decoded) return failure(decoded.error());
  const std::vector<std::string_view> lines = splitFileLines(*decoded);

  RegFileRegistry registry;
  std::size_t index = 0;
  while (index < lines.size() && trim(lines[index]).empty()) ++index;
  if (index == lines.size() || (trim(lines[index]) != "Windows Registry Editor Version 5.00" &&
                                trim(lines[index]) != "REGEDIT4"))
    return failure("not a Windows registry export");
  ++index;

  bool inKey = false;
  Node* current = nullptr;  // null inside a key of another root, or a deleted key
  auto lineError = [](std::size_t number, const std::string& what) {
    return failure("line " + std::to_string(number) + ": " + what);
  };
  while (index < lines.size()) {
    const std::size_t number = index + 1;
    std::string line(trim(lines[index++]));
    // Long binary values go on over several lines, each but the last ending in "\".
    while (!line.empty() && line.back() == '\\' && line.front() != '[') {
      line.pop_back();
      if (index == lines.size()) break;
      line += trim(lines[index++]);
    }
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const auto close = line.rfind(']');
      if (close == std::string::npos) return lineError(number, "a key without its closing ]");
      std::string_view path = std::string_view(line).substr(1, close - 1);
      inKey = true;
      current = nullptr;
      if (!path.empty() && path.front() == '-') continue;
      const auto parts = components(path);
      if (parts.empty()) return lineError(number, "a key without a name");
      // The registry itself allows no deeper nesting; the search recurses per level.
      if (parts.size() > kMaxKeyDepth) return lineError(number, "a key nested too deep");
      if (!sameName(parts.front(), "HKEY_LOCAL_MACHINE") && !sameName(parts.front(), "HKLM"))
        continue;
      current = registry.findOrAdd(path.substr(path.find(parts.front()) + parts.front().size()));
      continue;
    }
    if (line.front() != '"' && line.front() != '@')
      return lineError(number, "neither a key nor a value");
    if (!inKey) return lineError(number, "a value before the first key");
    std::string name;
    std::size_t pos = line.front() == '@' ? 1 : 0;
    if (pos == 0 && !readQuoted(line, pos, name))
      return lineError(number, "a value name without its closing quote");
    const std::string_view rest = trim(std::string_view(line).substr(pos));
    if (rest.empty() || rest.front() != '=') return lineError(number, "a value without \"=\"");
    auto data = readData(rest.substr(1));
    if (!data) return lineError(number, data.error());
    if (!current || !data->has_value()) continue;
    // A value written twice takes the later data, as an import into the registry
    // does, and keeps its place.
    const auto [slot, added] = current->valueByName.emplace(toUpper(name), current->values.size());
    RegistryValue value{std::move(name), std::move(**data)};
    if (added)
      current->values.push_back(std::move(value));
    else
      current->values[slot->second] = std::move(value);
  }
  return registry;
}

Result<RegFileRegistry> RegFileRegistry::load(const std::string& path) {
  const auto content = readFileBytes(path);
  if (!content) {
    // Every failure of this file reads "Cannot read", whether opening or reading failed.
    std::string reason = content.error();
    const auto colon = reason.find(path + ": ");
    if (colon != std::string::npos) reason = reason.substr(colon + path.size() + 2);
    return failure("Cannot read " + path + ": " + reason);
  }
  auto registry = parse(*content);
  if (!registry) return failure("Cannot read " + path + ": " + registry.error());
  return registry;
}

}  // namespace edid
