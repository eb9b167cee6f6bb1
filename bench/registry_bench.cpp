// Reading and searching a large registry export: a machine that has seen many
// monitors keeps one key per monitor below DISPLAY, all of them siblings. The
// attached monitor comes last, so the search walks every key before it.
//   build/bench/registry_bench --benchmark_filter=100000
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "core/common/host.h"
#include "core/registry/reg_file.h"
#include "core/registry/registry_search.h"

namespace {

const std::string kDisplay = "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY";

std::string hexValue(const std::string& name, int size) {
  std::string line = "\"" + name + "\"=hex:";
  char byte[4];
  for (int i = 0; i < size; ++i) {
    std::snprintf(byte, sizeof byte, "%02x", i & 0xFF);
    line += byte;
    if (i + 1 < size) line += (i % 24 == 23) ? ",\\\r\n  " : ",";
  }
  return line + "\r\n";
}

// An export of `keys` monitor keys below DISPLAY, each with a few values as the
// registry editor writes them; only the last has a Control key and an EDID. UTF-16LE
// with its byte order mark (regedit of Windows 2000 and later) or REGEDIT4 text.
std::string registryExport(int keys, bool utf16) {
  std::string text = utf16 ? "Windows Registry Editor Version 5.00\r\n" : "REGEDIT4\r\n";
  const std::string base = "\r\n[HKEY_LOCAL_MACHINE\\" + kDisplay + "\\";
  char name[16];
  for (int i = 0; i < keys; ++i) {
    std::snprintf(name, sizeof name, "MON%05X", i);
    text += base + name + "]\r\n\"DeviceDesc\"=\"Plug and Play Monitor\"\r\n";
    text += "\"ConfigFlags\"=dword:00000000\r\n";
  }
  text += base + name + "\\Control]\r\n";
  text += base + name + "\\Device Parameters]\r\n" + hexValue("EDID", 128);
  if (!utf16) return text;
  std::string out = "\xFF\xFE";
  out.reserve(2 + 2 * text.size());
  for (const char c : text) {
    out += c;
    out += '\0';
  }
  return out;
}

// Args: number of keys, 1 for UTF-16.
void ParseExport(benchmark::State& state) {
  const std::string bytes = registryExport(int(state.range(0)), state.range(1) != 0);
  for (auto _ : state) {
    auto registry = edid::RegFileRegistry::parse(bytes);
    if (!registry) state.SkipWithError(registry.error().c_str());
    benchmark::DoNotOptimize(registry);
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

// The retrieve command's search over an export already read.
void SearchExport(benchmark::State& state) {
  const auto registry =
      edid::RegFileRegistry::parse(registryExport(int(state.range(0)), state.range(1) != 0));
  if (!registry) {
    state.SkipWithError(registry.error().c_str());
    return;
  }
  edid::QuietHost host;
  for (auto _ : state) {
    const edid::RegistryHit hit = edid::findMonitorEdid(*registry, host, kDisplay);
    if (hit.data.size() != 128) state.SkipWithError("no EDID found");
    benchmark::DoNotOptimize(hit);
  }
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (const int keys : {10000, 20000, 100000})
    for (const int utf16 : {1, 0}) b->Args({keys, utf16});
  b->ArgNames({"keys", "utf16"})->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(ParseExport)->Apply(Sizes);
BENCHMARK(SearchExport)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
