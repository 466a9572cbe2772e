// Throughput of typing text through the engine, as lekhora-convert does.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "engine/layout_choice.h"
#include "tools/convert/convert_text.h"
#include "tools/convert/utf8.h"

namespace {

// Mixed typing: words with aspirates, "A" vowels and doubled keys, digits,
// punctuation, line ends, Backspace and some non-ASCII, spread pseudo-randomly.
std::string MixedInput(std::size_t bytes) {
  static const char* const kPieces[] = {
      "kh", "kai ", "Aii ", "namaste",  "hindI ",   "bhaarat ",     "123 ", "!\"",
      "\n", "\r\n", "\t",   "ghar\b\b", "\xC3\xA9", "\xE0\xA4\x95", "Rx~`", "{}[]|\\ ",
  };
  std::string text;
  text.reserve(bytes + 16);
  std::uint32_t state = 12345;
  while (text.size() < bytes) {
    state = state * 1664525u + 1013904223u;
    text += kPieces[(state >> 16) % std::size(kPieces)];
  }
  return text;
}

void BM_Convert(benchmark::State& state) {
  const std::string input = MixedInput(static_cast<std::size_t>(state.range(0)) << 20);
  lekhora::LoadLayouts();
  for (auto _ : state) {
    const lekhora::Utf8Result keys = lekhora::DecodeUtf8(input);
    std::string out = lekhora::EncodeUtf8(lekhora::TypeText(keys.text));
    benchmark::DoNotOptimize(out);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(input.size()));
}

}  // namespace

// Sizes in MiB: linear cost shows as the same rate at both.
BENCHMARK(BM_Convert)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
