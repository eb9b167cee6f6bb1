#include "core/report/json_report.h"

#include <array>
#include <nlohmann/json.hpp>

#include "core/common/layout.h"
#include "core/cta/cta861.h"
#include "core/sections/detailed_timing.h"
#include "core/sections/vendor.h"
#include "core/sections/version.h"

namespace edid {

namespace {

using Json = nlohmann::ordered_json;

Json valueOf(const cta::Value& value) {
  struct {
    Json operator()(std::monostate) const { return nullptr; }
    Json operator()(bool v) const { return v; }
    Json operator()(std::int64_t v) const { return v; }
    Json operator()(double v) const { return v; }
    Json operator()(const std::string& v) const { return v; }
    Json operator()(const std::vector<std::string>& v) const { return v; }
    Json operator()(const std::vector<double>& v) const {
      // Whole numbers as integers: sample rates read 32, 44.1, 48.
      Json list = Json::array();
      for (const double d : v) {
        if (d == static_cast<double>(static_cast<std::int64_t>(d)))
          list.push_back(static_cast<std::int64_t>(d));
        else
          list.push_back(d);
      }
      return list;
    }
  } visit;
  return std::visit(visit, value);
}

Json jsonOf(const cta::Node& node);

// The keyed children of an object node.
void addMembers(Json& object, const cta::Node& node) {
  for (const cta::Node& child : node.children) {
    if (child.key.empty()) continue;
    if (child.shape == cta::Node::Shape::Value && child.value.index() == 0) continue;
    object[child.key] = jsonOf(child);
  }
}

Json jsonOf(const cta::Node& node) {
  switch (node.shape) {
    case cta::Node::Shape::Value:
      return valueOf(node.value);
    case cta::Node::Shape::Object: {
      Json object = Json::object();
      addMembers(object, node);
      return object;
    }
    case cta::Node::Shape::List: {
      Json list = Json::array();
      for (const cta::Node& child : node.children)
        if (child.shape != cta::Node::Shape::Value || child.value.index() != 0)
          list.push_back(jsonOf(child));
      return list;
    }
  }
  return nullptr;
}

}  // namespace

std::string jsonReport(const Image& image) {
  Json root = Json::object();
  root["checksum_valid"] = image.checksumTest() == 0;
  root["vendor"] = {{"manufacturer", vendor::manufacturerLetters(image)},
                    {"product_code", image.byte(10) | image.byte(11) << 8}};
  const version::Decoded version = version::decode(image);
  root["version"] =
      std::to_string(version.versionNumber) + "." + std::to_string(version.revisionNumber);
  root["extension_count"] = image.byte(kExtensionFlagByte);
  Json timings = Json::array();
  for (int k = 0; k < layout::kBlockCount; ++k) {
    const int start = layout::blockStart(k);
    if (detailed_timing::isDescriptor(image, start)) continue;
    timings.push_back(jsonOf(cta::detailedTimingNode(image, start, k + 1)));
  }
  root["detailed_timings"] = timings;
  Json extensions = Json::array();
  for (const cta::Block& block : cta::decodeExtension(image.extension())) {
    Json object = {{"block", block.number}, {"tag", block.tag}, {"kind", block.kind}};
    addMembers(object, block.root);
    extensions.push_back(object);
  }
  root["extensions"] = extensions;
  return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace edid
