#include "core/script/diff.h"

#include <algorithm>
#include <set>

#include <nlohmann/json.hpp>

#include "core/common/extension_blocks.h"
#include "core/common/text.h"
#include "core/report/json_report.h"

namespace edid::script {

namespace {

using Json = nlohmann::json;

// A JSON key in words: "h_active" -> "horizontal active".
std::string words(const std::string& key) {
  std::string text = key;
  if (text.starts_with("h_")) text = "horizontal " + text.substr(2);
  if (text.starts_with("v_")) text = "vertical " + text.substr(2);
  std::replace(text.begin(), text.end(), '_', ' ');
  return text;
}

std::string valueText(const Json& value) {
  return value.is_string() ? value.get<std::string>() : value.dump();
}

std::string joined(const std::string& where, const std::string& what) {
  return where.empty() ? what : where + ": " + what;
}

// The VICs of a block's video data blocks.
std::set<int> vicsOf(const Json& block) {
  std::set<int> vics;
  if (!block.contains("data_blocks")) return vics;
  for (const Json& data : block["data_blocks"])
    if (data.value("type", "") == "video" && data.contains("vics"))
      for (const Json& vic : data["vics"]) vics.insert(vic.value("vic", 0));
  return vics;
}

void compare(const std::string& where, const std::string& key, const Json& a, const Json& b,
             std::vector<std::string>& lines);

void compareArrays(const std::string& where, const std::string& key, const Json& a, const Json& b,
                   std::vector<std::string>& lines) {
  const bool scalars =
      std::all_of(a.begin(), a.end(), [](const Json& v) { return v.is_primitive(); }) &&
      std::all_of(b.begin(), b.end(), [](const Json& v) { return v.is_primitive(); });
  if (scalars) {
    lines.push_back(joined(where, words(key) + " " + a.dump() + " -> " + b.dump()));
    return;
  }
  const std::size_t n = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    std::string item = words(key);
    if (item.ends_with("s")) item.pop_back();
    item = joined(where, item + " " + std::to_string(i + 1));
    if (i >= a.size())
      lines.push_back(item + " added");
    else if (i >= b.size())
      lines.push_back(item + " removed");
    else
      compare(item, "", a[i], b[i], lines);
  }
}

void compare(const std::string& where, const std::string& key, const Json& a, const Json& b,
             std::vector<std::string>& lines) {
  if (a == b) return;
  if (a.is_object() && b.is_object()) {
    std::string inner = key.empty() ? where : joined(where, words(key));
    std::set<std::string> keys;
    for (auto it = a.begin(); it != a.end(); ++it) keys.insert(it.key());
    for (auto it = b.begin(); it != b.end(); ++it) keys.insert(it.key());
    for (const std::string& k : keys) {
      // The checksum bytes have their own line; the VICs theirs.
      if (k == "checksum_valid") continue;
      if (!a.contains(k))
        lines.push_back(joined(inner, words(k) + " " + valueText(b[k]) + " added"));
      else if (!b.contains(k))
        lines.push_back(joined(inner, words(k) + " " + valueText(a[k]) + " removed"));
      else
        compare(inner, k, a[k], b[k], lines);
    }
    return;
  }
  if (a.is_array() && b.is_array()) return compareArrays(where, key, a, b, lines);
  lines.push_back(joined(where, words(key) + " " + valueText(a) + " -> " + valueText(b)));
}

std::string blockName(const Json& block) {
  const std::string kind = block.value("kind", "Extension");
  return (kind == "CTA-861" ? std::string("CTA") : kind) + " block " +
         std::to_string(block.value("block", 0));
}

void compareBlocks(const Json& a, const Json& b, const std::string& rawA, const std::string& rawB,
                   std::vector<std::string>& lines) {
  const std::size_t n = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (i >= a.size()) {
      lines.push_back(blockName(b[i]) + " added");
      continue;
    }
    if (i >= b.size()) {
      lines.push_back(blockName(a[i]) + " removed");
      continue;
    }
    const std::string name = blockName(b[i]);
    const std::set<int> before = vicsOf(a[i]), after = vicsOf(b[i]);
    for (int vic : after)
      if (!before.count(vic)) lines.push_back(name + ": VIC " + std::to_string(vic) + " added");
    for (int vic : before)
      if (!after.count(vic)) lines.push_back(name + ": VIC " + std::to_string(vic) + " removed");
    Json restA = a[i], restB = b[i];
    if (before != after) {
      // The VIC lines above say it; the rest of the data blocks still compare.
      for (Json* block : {&restA, &restB})
        if (block->contains("data_blocks"))
          for (Json& data : (*block)["data_blocks"])
            if (data.value("type", "") == "video") data.erase("vics");
    }
    compare(name, "", restA, restB, lines);
    const std::size_t last = (i + 2) * kEdidSize - 1;
    if (last < rawA.size() && last < rawB.size() && rawA[last] != rawB[last])
      lines.push_back(name + ": checksum " + ByteToHex(static_cast<unsigned char>(rawA[last])) +
                      " -> " + ByteToHex(static_cast<unsigned char>(rawB[last])));
  }
}

}  // namespace

EdidDiff diffEdids(const Image& a, const Image& b) {
  EdidDiff diff;
  Json jsonA = Json::parse(jsonReport(a)), jsonB = Json::parse(jsonReport(b));
  const Json blocksA = jsonA["extensions"], blocksB = jsonB["extensions"];
  // Findings follow from the fields; "edidtool check" lists them.
  for (Json* json : {&jsonA, &jsonB}) {
    json->erase("extensions");
    json->erase("problems");
  }
  // The base block's detailed timings by their place.
  compare("", "", jsonA, jsonB, diff.fields);
  const std::string rawA = rawEdidBytes(a), rawB = rawEdidBytes(b);
  compareBlocks(blocksA, blocksB, rawA, rawB, diff.fields);
  for (std::string& line : diff.fields)
    if (!line.empty()) line[0] = toUpper(line[0]);
  if (a.byte(127) != b.byte(127))
    diff.fields.push_back("Checksum: " + ByteToHex(a.byte(127)) + " -> " + ByteToHex(b.byte(127)));
  for (std::size_t i = 0; i < std::max(rawA.size(), rawB.size()); ++i) {
    const int before = i < rawA.size() ? static_cast<unsigned char>(rawA[i]) : -1;
    const int after = i < rawB.size() ? static_cast<unsigned char>(rawB[i]) : -1;
    if (before != after) diff.bytes.push_back({i, before, after});
  }
  return diff;
}

namespace {

std::string byteText(int value) {
  return value < 0 ? "--" : ByteToHex(value);
}

}  // namespace

std::string diffText(const EdidDiff& diff) {
  std::string text;
  for (const std::string& line : diff.fields) text += line + "\n";
  for (const ByteChange& change : diff.bytes)
    text += "Byte " + std::to_string(change.offset) + ": " + byteText(change.before) + " -> " +
            byteText(change.after) + "\n";
  return text;
}

std::string diffJson(const EdidDiff& diff) {
  Json bytes = Json::array();
  for (const ByteChange& change : diff.bytes) {
    Json entry = {{"offset", change.offset}};
    entry["before"] = change.before < 0 ? Json() : Json(change.before);
    entry["after"] = change.after < 0 ? Json() : Json(change.after);
    bytes.push_back(entry);
  }
  const Json root = {{"equal", diff.equal()}, {"fields", diff.fields}, {"bytes", bytes}};
  return root.dump(2) + "\n";
}

}  // namespace edid::script
