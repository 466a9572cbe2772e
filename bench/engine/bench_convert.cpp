// Throughput of typing text through the engine, as lekhora-convert does.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "engine/layout.h"
#include "text/utf8.h"
#include "tools/convert/convert_text.h"

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

// Input already read: decoding, typing, and encoding to where the program
// writes its output.
void BM_Convert(benchmark::State& state) {
  const std::string input = MixedInput(static_cast<std::size_t>(state.range(0)) << 20);
  const auto layout = lekhora::MakeLayout(lekhora::kPhoneticVimraLayout);
  for (auto _ : state) {
    const lekhora::Utf8Result typed = lekhora::TypeUtf8(layout, input);
    std::size_t written = 0;
    lekhora::EncodeUtf8Blocks(typed.text, [&written](std::string_view block) {
      benchmark::DoNotOptimize(block.data());
      written += block.size();
    });
    benchmark::DoNotOptimize(written);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(input.size()));
}

// The typing engine alone, over text already in UTF-16: the work of every key
// typed in the pad as well.
void BM_TypeKeys(benchmark::State& state) {
  const std::u16string keys =
      lekhora::DecodeUtf8(MixedInput(static_cast<std::size_t>(state.range(0)) << 20)).text;
  const auto layout = lekhora::MakeLayout(lekhora::kPhoneticVimraLayout);
  for (auto _ : state) {
    std::u16string text = lekhora::TypeText(layout, keys);
    benchmark::DoNotOptimize(text);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(keys.size()));
}

}  // namespace

// Sizes in MiB: linear cost shows as the same rate at both.
BENCHMARK(BM_Convert)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeKeys)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
