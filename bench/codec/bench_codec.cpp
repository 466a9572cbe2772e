// Codec throughput: the encoder per input byte, the decoders per decoded byte.
// Runs on the bundled word list when it lies in the working folder or beside
// this program, and always on a generated word stream of the same kind.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "codec/he3.h"
#include "codec/walk_decode.h"

namespace {

using lekhora::Bytes;
namespace fs = std::filesystem;

// UTF-16LE words of Devanagari-like letters (frequent consonants and vowel
// signs, rarer others) separated by CR LF.
Bytes GeneratedWords(std::size_t bytes) {
  std::mt19937 rng(20240601);
  std::array<double, 0x4D> weights{};
  for (std::size_t i = 0; i < weights.size(); ++i) weights[i] = 1.0 / (1.0 + (i * 37 % 29));
  std::discrete_distribution<int> letter(weights.begin(), weights.end());
  std::uniform_int_distribution<int> length(2, 10);
  Bytes out;
  out.reserve(bytes + 32);
  while (out.size() < bytes) {
    for (int i = length(rng); i > 0; --i) {
      const int c = 0x0901 + letter(rng);
      out.push_back(static_cast<std::uint8_t>(c));
      out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    out.insert(out.end(), {0x0D, 0x00, 0x0A, 0x00});
  }
  return out;
}

Bytes ReadIfPresent(const std::string& name) {
  std::error_code ec;
  const fs::path beside = fs::read_symlink("/proc/self/exe", ec).parent_path() / name;
  for (const fs::path& p : {fs::path(name), beside}) {
    std::ifstream in(p, std::ios::binary);
    if (in) return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return {};
}

template <void (*Fn)(Bytes&, std::int32_t)>
void Run(benchmark::State& state, const Bytes& input, std::size_t countedBytes) {
  Bytes buffer;
  for (auto _ : state) {
    state.PauseTiming();
    buffer = input;
    state.ResumeTiming();
    Fn(buffer, static_cast<std::int32_t>(buffer.size()));
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * countedBytes));
}

void Register(const std::string& name, const Bytes& plain) {
  if (plain.empty()) return;
  static std::vector<std::unique_ptr<Bytes>> keep;
  keep.push_back(std::make_unique<Bytes>(plain));
  const Bytes& text = *keep.back();
  keep.push_back(std::make_unique<Bytes>(plain));
  Bytes& encoded = *keep.back();
  lekhora::Encode(encoded, static_cast<std::int32_t>(encoded.size()));
  benchmark::RegisterBenchmark(("Encode/" + name).c_str(), [&text](benchmark::State& s) {
    Run<lekhora::Encode>(s, text, text.size());
  })->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("DecodeTable/" + name).c_str(), [&encoded,
                                                                 &text](benchmark::State& s) {
    Run<lekhora::Decode>(s, encoded, text.size());
  })->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("DecodeWalk/" + name).c_str(), [&encoded,
                                                                &text](benchmark::State& s) {
    Run<lekhora::WalkDecode>(s, encoded, text.size());
  })->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  Register("generated_4MB", GeneratedWords(4 << 20));
  Bytes words = ReadIfPresent("hnhuge.txt");
  if (words.empty()) {
    // Only the compressed list is here: decode it to get the plain one.
    words = ReadIfPresent("hnhugeenc.txt");
    if (!words.empty()) {
      try {
        lekhora::Decode(words, static_cast<std::int32_t>(words.size()));
      } catch (const std::exception&) {
        words.clear();
      }
    }
  }
  Register("hnhuge", words);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
