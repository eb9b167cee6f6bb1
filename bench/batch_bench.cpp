// edidtool report over many files in one process: each corpus EDID read from
// memory, named from the model lists (read once, as the tool does for a run),
// decoded and reported as the tool writes it. items_per_second is EDIDs a second
// on one core.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/common/text.h"
#include "core/input/load_edid.h"
#include "core/report/json_report.h"
#include "core/report/monitor_name.h"
#include "core/report/report.h"

namespace {

const std::vector<std::string>& corpus() {
  static const std::vector<std::string> files = [] {
    std::vector<std::string> contents;
    for (const auto& entry : std::filesystem::directory_iterator(EDID_CORPUS_DIR)) {
      if (entry.path().extension() != ".bin") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      contents.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return contents;
  }();
  return files;
}

const edid::ModelLists& modelLists() {
  static const edid::ModelLists lists = edid::ModelLists::read({EDID_MODEL_LIST_DIR}, {});
  return lists;
}

void ReportBatch(benchmark::State& state) {
  const edid::ReportMoment moment = edid::momentFromEpoch(1796478330);
  std::size_t done = 0;
  for (auto _ : state) {
    for (const std::string& content : corpus()) {
      const auto loaded = edid::loadEdid(content);
      const edid::MonitorName name = modelLists().name(loaded->image);
      benchmark::DoNotOptimize(edid::terminalReportText(
          {.brand = name.brand, .model = name.model, .cells = loaded->image, .moment = moment}));
      ++done;
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(done));
}
BENCHMARK(ReportBatch)->Unit(benchmark::kMillisecond);

void JsonBatch(benchmark::State& state) {
  std::size_t done = 0;
  for (auto _ : state) {
    for (const std::string& content : corpus()) {
      const auto loaded = edid::loadEdid(content);
      benchmark::DoNotOptimize(modelLists().name(loaded->image));
      benchmark::DoNotOptimize(edid::jsonReport(loaded->image));
      ++done;
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(done));
}
BENCHMARK(JsonBatch)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
