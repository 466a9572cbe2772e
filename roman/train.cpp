#include "roman/train.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

#include "roman/letters.h"
#include "roman/model.h"
#include "text/utf8.h"

namespace lekhora::roman {

namespace {

constexpr std::size_t kMaxLatin = 3;
constexpr std::size_t kMaxGroups = 1;
constexpr std::size_t kMaxWord = 40;
constexpr int kIterations = 6;

// One spelling with the id of the graphone of every way to cut it: at
// latin position i, di letters against the groups from j, dj of them.
struct Lattice {
  std::size_t letters = 0;
  std::size_t groups = 0;
  std::uint32_t weight = 0;
  std::vector<std::uint32_t> ids;  // 0 where the cut runs past the end
  std::uint32_t& At(std::size_t i, std::size_t di, std::size_t j, std::size_t dj) {
    return ids[((i * kMaxLatin + di - 1) * groups + j) * kMaxGroups + dj - 1];
  }
};

class Inventory {
 public:
  std::uint32_t Id(const std::string& latin, const std::u16string& devanagari) {
    const auto [at, added] = ids_.try_emplace(latin + '\t' + Utf16ToUtf8(devanagari),
                                              static_cast<std::uint32_t>(all_.size() + 1));
    if (added) all_.push_back({latin, devanagari});
    return at->second;
  }
  const std::vector<Graphone>& all() const { return all_; }

 private:
  std::unordered_map<std::string, std::uint32_t> ids_;
  std::vector<Graphone> all_;
};

}  // namespace

std::vector<Spelling> ReadLexicon(std::string_view text) {
  std::vector<Spelling> spellings;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos) continue;
    const std::optional<std::string> latin = LatinWord(Utf8ToUtf16(line.substr(0, tab1)));
    const std::u16string devanagari = Utf8ToUtf16(line.substr(tab1 + 1, tab2 - tab1 - 1));
    std::uint32_t weight = 0;
    const std::string_view count = line.substr(tab2 + 1);
    for (char digit : count) {
      if (digit < '0' || digit > '9' || weight > 1000000) {
        weight = 0;
        break;
      }
      weight = weight * 10 + static_cast<std::uint32_t>(digit - '0');
    }
    if (!latin || latin->empty() || devanagari.empty() || !IsDevanagari(devanagari) || weight == 0)
      continue;
    spellings.push_back({*latin, devanagari, weight});
  }
  return spellings;
}

std::string TrainModel(const std::vector<Spelling>& spellings) {
  Inventory inventory;
  std::vector<Lattice> lattices;
  for (const Spelling& spelling : spellings) {
    const std::vector<std::u16string> groups = DevanagariGroups(spelling.devanagari);
    if (spelling.latin.size() > kMaxWord || groups.size() > kMaxWord || groups.empty()) continue;
    Lattice lattice;
    lattice.letters = spelling.latin.size();
    lattice.groups = groups.size();
    lattice.weight = spelling.weight;
    lattice.ids.assign(lattice.letters * kMaxLatin * lattice.groups * kMaxGroups, 0);
    for (std::size_t i = 0; i < lattice.letters; ++i)
      for (std::size_t di = 1; di <= kMaxLatin && i + di <= lattice.letters; ++di)
        for (std::size_t j = 0; j < lattice.groups; ++j) {
          std::u16string devanagari;
          for (std::size_t dj = 1; dj <= kMaxGroups && j + dj <= lattice.groups; ++dj) {
            devanagari += groups[j + dj - 1];
            lattice.At(i, di, j, dj) = inventory.Id(spelling.latin.substr(i, di), devanagari);
          }
        }
    lattices.push_back(std::move(lattice));
  }

  // Expectation-maximisation of how likely each graphone is, over every cut.
  const std::size_t n = inventory.all().size();
  std::vector<double> p(n + 1, 1.0 / static_cast<double>(n + 1));
  std::vector<double> alpha, beta;
  for (int iteration = 0; iteration < kIterations; ++iteration) {
    std::vector<double> expected(n + 1, 0.0);
    for (Lattice& l : lattices) {
      const std::size_t width = l.groups + 1;
      alpha.assign((l.letters + 1) * width, 0.0);
      beta.assign((l.letters + 1) * width, 0.0);
      alpha[0] = 1.0;
      for (std::size_t i = 0; i < l.letters; ++i)
        for (std::size_t j = 0; j < l.groups; ++j) {
          if (alpha[i * width + j] == 0) continue;
          for (std::size_t di = 1; di <= kMaxLatin && i + di <= l.letters; ++di)
            for (std::size_t dj = 1; dj <= kMaxGroups && j + dj <= l.groups; ++dj)
              alpha[(i + di) * width + j + dj] += alpha[i * width + j] * p[l.At(i, di, j, dj)];
        }
      const double total = alpha[l.letters * width + l.groups];
      if (total <= 0 || !std::isfinite(total)) continue;
      beta[l.letters * width + l.groups] = 1.0;
      for (std::size_t i = l.letters; i-- > 0;)
        for (std::size_t j = l.groups; j-- > 0;)
          for (std::size_t di = 1; di <= kMaxLatin && i + di <= l.letters; ++di)
            for (std::size_t dj = 1; dj <= kMaxGroups && j + dj <= l.groups; ++dj)
              beta[i * width + j] += p[l.At(i, di, j, dj)] * beta[(i + di) * width + j + dj];
      for (std::size_t i = 0; i < l.letters; ++i)
        for (std::size_t j = 0; j < l.groups; ++j) {
          if (alpha[i * width + j] == 0) continue;
          for (std::size_t di = 1; di <= kMaxLatin && i + di <= l.letters; ++di)
            for (std::size_t dj = 1; dj <= kMaxGroups && j + dj <= l.groups; ++dj) {
              const std::uint32_t id = l.At(i, di, j, dj);
              expected[id] +=
                  l.weight * alpha[i * width + j] * p[id] * beta[(i + di) * width + j + dj] / total;
            }
        }
    }
    double sum = 0;
    for (double e : expected) sum += e;
    for (std::size_t id = 0; id <= n; ++id) p[id] = sum > 0 ? expected[id] / sum : 0.0;
  }

  // The most likely cut of each spelling, counted as n-grams of graphones, as
  // often as people spelled the word so: the spelling most of them chose is
  // the one a typist most likely means.
  std::map<std::vector<std::uint32_t>, std::uint64_t> raw;
  std::vector<double> best;
  std::vector<std::uint32_t> from;
  for (Lattice& l : lattices) {
    const std::size_t width = l.groups + 1;
    best.assign((l.letters + 1) * width, -INFINITY);
    from.assign((l.letters + 1) * width, 0);
    best[0] = 0;
    for (std::size_t i = 0; i < l.letters; ++i)
      for (std::size_t j = 0; j < l.groups; ++j) {
        if (best[i * width + j] == -INFINITY) continue;
        for (std::size_t di = 1; di <= kMaxLatin && i + di <= l.letters; ++di)
          for (std::size_t dj = 1; dj <= kMaxGroups && j + dj <= l.groups; ++dj) {
            const double pid = p[l.At(i, di, j, dj)];
            if (pid <= 0) continue;
            const double score = best[i * width + j] + std::log(pid);
            const std::size_t to = (i + di) * width + j + dj;
            if (score > best[to]) {
              best[to] = score;
              from[to] = static_cast<std::uint32_t>(di * 8 + dj);
            }
          }
      }
    if (best[l.letters * width + l.groups] == -INFINITY) continue;
    std::vector<std::uint32_t> path;
    for (std::size_t i = l.letters, j = l.groups; i > 0 || j > 0;) {
      const std::size_t di = from[i * width + j] / 8, dj = from[i * width + j] % 8;
      path.push_back(l.At(i - di, di, j - dj, dj));
      i -= di;
      j -= dj;
    }
    std::reverse(path.begin(), path.end());
    path.push_back(0);
    std::vector<std::uint32_t> ngram(Model::kOrder, 0);
    for (std::uint32_t c : path) {
      std::copy(ngram.begin() + 1, ngram.end(), ngram.begin());
      ngram.back() = c;
      for (std::size_t length = 1; length <= Model::kOrder; ++length)
        raw[std::vector<std::uint32_t>(ngram.end() - static_cast<std::ptrdiff_t>(length),
                                       ngram.end())] += l.weight;
    }
  }

  // The graphones some cut uses, in their order in the file, and '~' for the
  // nasal signs, which people type but the lexicon never spells so.
  std::vector<Graphone> used;
  for (const auto& [ngram, count] : raw)
    if (ngram.size() == 1 && ngram[0] != 0) used.push_back(inventory.all()[ngram[0] - 1]);
  const Graphone nasals[] = {{"~", u"\u0901"}, {"~", u"\u0902"}};
  for (const Graphone& nasal : nasals)
    if (std::find(used.begin(), used.end(), nasal) == used.end()) used.push_back(nasal);
  std::sort(used.begin(), used.end());
  std::map<Graphone, std::uint32_t> new_id;
  for (std::size_t i = 0; i < used.size(); ++i) new_id[used[i]] = static_cast<std::uint32_t>(i + 1);
  const auto renumber = [&](std::uint32_t id) {
    return id == 0 ? 0 : new_id.at(inventory.all()[id - 1]);
  };
  NgramCounts counts;
  for (const auto& [ngram, count] : raw) {
    std::vector<std::uint32_t> ids;
    for (std::uint32_t id : ngram) ids.push_back(renumber(id));
    counts[ids] += count;
  }
  for (const Graphone& nasal : nasals) counts[{new_id.at(nasal)}] += 1;
  return Model::ToText(used, counts);
}

}  // namespace lekhora::roman
