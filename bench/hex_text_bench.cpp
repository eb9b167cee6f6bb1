// Reading hex text far larger than any EDID: a 63 MB single line of spaced pairs, as
// a script that joins a dump's lines makes it. The counter peak_rss_MB is the
// process's largest resident set so far; run this benchmark alone to read it.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdint>
#include <string>

#include "core/input/edid_input.h"

namespace {

constexpr std::size_t kTextSize = 63'000'000;

// The pairs of a header, then a count that steps through every byte value.
std::string singleLine() {
  std::string text;
  text.reserve(kTextSize + 1);
  const char* digits = "0123456789abcdef";
  for (std::size_t i = 0; text.size() + 3 <= kTextSize; ++i) {
    const auto byte = i % 128 < 8 ? (i % 128 == 0 || i % 128 == 7 ? 0x00 : 0xFF) : i % 256;
    text += digits[byte >> 4];
    text += digits[byte & 15];
    text += ' ';
  }
  text += '\n';
  return text;
}

double peakRssMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void SingleLineOfHex(benchmark::State& state) {
  const std::string text = singleLine();
  for (auto _ : state) {
    auto input = edid::readEdidInput(text);
    benchmark::DoNotOptimize(input);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
  state.counters["peak_rss_MB"] = peakRssMegabytes();
}
BENCHMARK(SingleLineOfHex)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
