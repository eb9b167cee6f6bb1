// Decode and report of one real EDID, and its data file written and read back.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/common/data_file.h"
#include "core/report/report.h"
#include "core/shell/program.h"

namespace {

// linuxhw/EDID 000CCAC2C577 (Analog/ViewSonic/VSC7D20), CC BY 4.0.
const std::vector<std::uint8_t> kEdid = {
    0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00, 0x5a, 0x63, 0x20, 0x7d, 0x01, 0x01, 0x01, 0x01,
    0x27, 0x12, 0x01, 0x03, 0x18, 0x26, 0x1e, 0x78, 0x2e, 0x1f, 0x35, 0xa4, 0x56, 0x4d, 0x9e, 0x24,
    0x12, 0x50, 0x54, 0xbf, 0xef, 0x80, 0x81, 0x80, 0x81, 0x40, 0x71, 0x4f, 0x01, 0x01, 0x01, 0x01,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x30, 0x2a, 0x00, 0x98, 0x51, 0x00, 0x2a, 0x40, 0x30, 0x70,
    0x13, 0x00, 0x78, 0x2d, 0x11, 0x00, 0x00, 0x1e, 0x00, 0x00, 0x00, 0xff, 0x00, 0x51, 0x52, 0x56,
    0x30, 0x38, 0x33, 0x39, 0x30, 0x31, 0x33, 0x36, 0x31, 0x0a, 0x00, 0x00, 0x00, 0xfd, 0x00, 0x32,
    0x4b, 0x1e, 0x52, 0x0e, 0x00, 0x0a, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x00, 0x00, 0x00, 0xfc,
    0x00, 0x56, 0x41, 0x39, 0x32, 0x36, 0x20, 0x53, 0x65, 0x72, 0x69, 0x65, 0x73, 0x0a, 0x00, 0x0c};

class NullHost : public edid::Host {
 public:
  void message(const std::string&) override {}
  bool ask(const std::string&, const std::string&, bool) override { return false; }
  std::string openFileName(const edid::FileDialog&) override { return {}; }
  std::string saveFileName(const edid::FileDialog&) override { return {}; }
};

void DecodeAndReport(benchmark::State& state) {
  for (auto _ : state) {
    NullHost host;
    edid::Program program(host);
    edid::EdidScreen& screen = program.showScreen();
    screen.document.load(edid::Image::fromBytes(kEdid));
    screen.BuildEDIDDefinations();
    program.BuildReport();
    benchmark::DoNotOptimize(program.reportText());
  }
}
BENCHMARK(DecodeAndReport);

// The report as edidtool builds it: from the image alone, no screen.
void ReportFromImage(benchmark::State& state) {
  const edid::Image image = edid::Image::fromBytes(kEdid);
  const edid::ReportMoment moment = edid::momentFromEpoch(1796478330);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        edid::joinReportLines(edid::reportLinesOf(image, "Brand", "Model", moment)));
  }
}
BENCHMARK(ReportFromImage);

void DataFileRoundTrip(benchmark::State& state) {
  NullHost host;
  edid::Program program(host);
  edid::EdidScreen& screen = program.showScreen();
  screen.document.load(edid::Image::fromBytes(kEdid));
  screen.BuildEDIDDefinations();
  program.BuildReport();
  for (auto _ : state) {
    const std::string text = edid::dataFileText(program.common().ReportLines);
    auto tokens = edid::parseEdidCodeSection(text);
    benchmark::DoNotOptimize(tokens);
  }
}
BENCHMARK(DataFileRoundTrip);

}  // namespace

BENCHMARK_MAIN();
