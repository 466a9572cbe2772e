#include "roman/romanizer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <unordered_set>

#include "roman/letters.h"

namespace lekhora::roman {

namespace {

constexpr std::size_t kMaxGroupLetters = 3;

struct Path {
  double score = 0;
  Model::History before{};  // the last graphones, 0 before the word
  std::u16string word;
  bool held = false;          // held to the table: word begins some known word
  int filled = 0;             // signs added that no letter typed
  bool bare = false;          // ends in a consonant whose letters typed no vowel
  bool vowel_filled = false;  // ends in a vowel sign no letter typed
  // Held: the indexes of the table's words that begin with word, the whole
  // table (however long) until the first step narrows it.
  std::pair<std::size_t, std::size_t> range{0, std::numeric_limits<std::size_t>::max()};
};

// The best paths of one place, at most beam of each kind, a path that
// reaches the same word with the same last graphone as a better one left out
// (what follows depends on nothing else).
void Prune(std::vector<Path>& paths, std::size_t beam) {
  std::sort(paths.begin(), paths.end(), [](const Path& x, const Path& y) {
    if (x.score != y.score) return x.score > y.score;
    return x.word < y.word;
  });
  std::unordered_set<std::u16string> seen;
  std::size_t kept[2] = {0, 0};
  std::vector<Path> best;
  for (Path& path : paths) {
    if (kept[path.held] >= beam) continue;
    std::u16string key = path.word;
    for (std::uint32_t id : path.before) key += static_cast<char16_t>(id);
    key += path.held ? u'1' : u'0';
    if (!seen.insert(std::move(key)).second) continue;
    ++kept[path.held];
    best.push_back(std::move(path));
  }
  paths = std::move(best);
}

bool IsConsonantOrNukta(char16_t c) {
  return (c >= 0x0915 && c <= 0x0939) || (c >= 0x0958 && c <= 0x095F) ||
         (c >= 0x0978 && c <= 0x097F) || c == 0x093C;
}

bool IsVowelSign(char16_t c) {
  return (c >= 0x093A && c <= 0x094C && c != 0x093C && c != 0x093D) ||
         (c >= 0x094E && c <= 0x094F) || (c >= 0x0955 && c <= 0x0957) || c == 0x0962 || c == 0x0963;
}

// Whether next may follow word: a vowel sign only after a consonant, a nasal
// sign or visarga not after a virama or another of them, no word beginning
// with a sign. The free search would otherwise spell what no one can read.
bool Joins(std::u16string_view word, std::u16string_view next) {
  const char16_t first = next.front();
  const char16_t last = word.empty() ? 0 : word.back();
  if (IsVowelSign(first) || first == 0x094D || first == 0x093C) return IsConsonantOrNukta(last);
  if (first >= 0x0900 && first <= 0x0903)
    return last != 0 && last != 0x094D && !(last >= 0x0900 && last <= 0x0903);
  return true;
}

constexpr char16_t kNukta = 0x093C;
// How much more a nukta letter counts than the plain one where the letters
// ask for it: the lexicon the model learns from mostly spells without the
// nukta, but whoever types z, f or q means ज़, फ़ or क़.
constexpr double kNuktaPreference = 0.5;

// Where a nukta goes into devanagari, the graphone of the Latin group, when
// the group's z, f or q stands for the plain consonant that takes it; npos
// when none does.
std::size_t NuktaPlace(std::string_view group, std::u16string_view devanagari) {
  if (devanagari.size() > 1 && devanagari[1] == kNukta) return std::u16string::npos;
  const char16_t consonant = devanagari.front();
  const bool asks = (group.find('z') != std::string_view::npos && consonant == u'\u091C') ||
                    (group.find('f') != std::string_view::npos && consonant == u'\u092B') ||
                    (group.find('q') != std::string_view::npos && consonant == u'\u0915');
  return asks ? 1 : std::u16string::npos;
}

// Signs a hurried typist leaves out ("mjhe" for मुझे, "kch" for कुछ, "me"
// for में): a known word may have them where the letters show none, a vowel
// sign after a consonant typed alone and a nasal after a vowel, at a price
// only a much more common word pays.
constexpr std::u16string_view kUntypedVowels =
    u"\u093E\u093F\u0940\u0941\u0942\u0947\u0948\u094B\u094C";
constexpr std::u16string_view kUntypedNasals = u"\u0902\u0901";
// The ways a vowel sign is typed, so that a path given one is scored as if
// its consonant's letters had been typed with the vowel.
struct VowelSpelling {
  char16_t sign;
  std::string_view latin;
};
constexpr VowelSpelling kVowelSpellings[] = {
    {u'\u093E', "a"}, {u'\u093E', "aa"}, {u'\u093F', "i"},  {u'\u0940', "i"}, {u'\u0940', "ee"},
    {u'\u0941', "u"}, {u'\u0942', "u"},  {u'\u0942', "oo"}, {u'\u0947', "e"}, {u'\u0948', "ai"},
    {u'\u0948', "e"}, {u'\u094B', "o"},  {u'\u094C', "au"}, {u'\u094C', "ou"}};
constexpr int kMaxFilled = 2;

// The graphone id just taken becomes the last of the ones a step depends on.
void Follow(Model::History& before, std::uint32_t id) {
  std::copy(before.begin() + 1, before.end(), before.begin());
  before.back() = id;
}

bool HasVowelLetter(std::string_view group) {
  return group.find_first_of("aeiou") != std::string_view::npos;
}

}  // namespace

// The last search: its letters and the paths kept at each place of them.
struct Romanizer::Memo {
  std::string letters;
  std::vector<std::vector<Path>> at;
};

Romanizer::Romanizer(const Model& model, const WordFrequencies& words, RomanizerOptions options)
    : model_(model),
      words_(words),
      options_(std::move(options)),
      letters_(std::make_shared<const LetterModel>(LetterModel::FromWords(words))) {}

Romanizer::~Romanizer() = default;

Romanizer::Romanizer(const Romanizer& other)
    : model_(other.model_),
      words_(other.words_),
      options_(other.options_),
      letters_(other.letters_),
      extra_(other.extra_) {}

void Romanizer::SetExtraWords(std::vector<std::u16string> words) {
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  std::erase(words, std::u16string());
  extra_ = std::move(words);
  memo_.reset();
}

bool Romanizer::IsExtraWord(std::u16string_view word) const {
  return std::binary_search(extra_.begin(), extra_.end(), word);
}

RomanizerOptions& Romanizer::options() {
  memo_.reset();
  return options_;
}

std::vector<RomanCandidate> Romanizer::Candidates(std::u16string_view typed,
                                                  std::size_t count) const {
  const std::optional<std::string> letters = LatinWord(typed);
  if (!letters || letters->empty() || letters->size() > kMaxLetters || count == 0 ||
      model_.size() == 0)
    return {};
  const std::size_t n = letters->size();
  // The paths at a place depend only on the letters before it, so those of
  // the places the last search shares are kept, pruned as they were.
  if (!memo_) memo_ = std::make_unique<Memo>();
  std::size_t shared = 0;
  while (shared < n && shared < memo_->letters.size() &&
         (*letters)[shared] == memo_->letters[shared])
    ++shared;
  if (memo_->at.empty()) shared = 0;
  std::vector<std::vector<Path>>& at = memo_->at;
  at.resize(n + 1);
  for (std::size_t place = shared + 1; place <= n; ++place) at[place].clear();
  // Left empty until the search is done, so that one cut short is not
  // taken up again.
  memo_->letters.clear();
  // A path held to the table goes on only while its word begins a known
  // one; the words it may still become narrow as it grows.
  const auto Held = [this](Path& path) {
    path.range = words_.PrefixRange(path.word, path.range);
    if (path.range.first < path.range.second) return true;
    const auto extra = std::lower_bound(extra_.begin(), extra_.end(), path.word);
    return extra != extra_.end() && extra->starts_with(path.word);
  };
  const auto Keep = [&](Path path, std::vector<Path>& into) {
    if (path.held && !Held(path)) return;
    into.push_back(std::move(path));
  };
  // A vowel given to a consonant is scored as the model's step to it, as if
  // it had been typed: common syllables (तु in "tmhara") come before rare
  // ones of the same price, which the beam would otherwise cut by chance.
  // The model's graphones of the vowel signs alone, looked up once a search.
  std::vector<std::pair<char16_t, std::uint32_t>> vowel_ids;
  for (const VowelSpelling& spelling : kVowelSpellings)
    for (std::uint32_t id : model_.ForLatin(PackLatin(spelling.latin)))
      if (model_.At(id).devanagari == std::u16string_view(&spelling.sign, 1))
        vowel_ids.emplace_back(spelling.sign, id);
  const auto Revoice = [&](Path& path, char16_t sign) {
    double best = -std::numeric_limits<double>::infinity();
    std::uint32_t best_id = 0;
    for (const auto& [vowel, id] : vowel_ids) {
      if (vowel != sign) continue;
      const double p = model_.LogProbability(path.before, id);
      if (p > best) best = p, best_id = id;
    }
    if (best_id == 0) return;
    path.score += best;
    Follow(path.before, best_id);
  };
  // The kept paths of a place and the same with a sign no letter typed,
  // kept again: the second look costs a beam's worth, not a step's.
  const auto Settle = [&](std::vector<Path>& paths) {
    Prune(paths, options_.beam);
    const std::size_t kept = paths.size();
    for (std::size_t i = 0; i < kept; ++i) {
      if (!paths[i].held || paths[i].filled >= kMaxFilled || paths[i].word.empty()) continue;
      const bool bare = paths[i].bare;
      const char16_t last = paths[i].word.back();
      const bool voiced = IsVowelSign(last) || (last >= 0x0904 && last <= 0x0914);
      const double cost = bare ? options_.untyped_vowel_cost : options_.untyped_nasal_cost;
      if ((!bare && !voiced) || cost <= 0) continue;
      for (char16_t sign : bare ? kUntypedVowels : kUntypedNasals) {
        Path filled = paths[i];
        filled.word += sign;
        if (!Held(filled)) continue;
        if (bare) Revoice(filled, sign);
        filled.score -= cost;
        ++filled.filled;
        filled.bare = false;
        filled.vowel_filled = bare;
        paths.push_back(std::move(filled));
      }
    }
    if (paths.size() > kept) Prune(paths, options_.beam);
  };
  if (shared == 0) {
    at[0].clear();
    at[0].push_back(Path{0, {}, u"", false});
    if (!words_.empty() || !extra_.empty()) at[0].push_back(Path{0, {}, u"", true});
    Prune(at[0], options_.beam);
  }
  // Places before the shared ones still reach past them with their longer
  // groups; only those steps are taken again.
  const std::size_t first = shared >= kMaxGroupLetters - 1 ? shared - (kMaxGroupLetters - 1) : 0;
  for (std::size_t place = first; place < n; ++place) {
    if (place > shared) Settle(at[place]);
    for (const Path& path : at[place])
      for (std::size_t length = 1; length <= kMaxGroupLetters && place + length <= n; ++length) {
        if (place + length <= shared) continue;
        const std::string_view group = std::string_view(*letters).substr(place, length);
        const std::vector<std::uint32_t>& ids = model_.ForLatin(PackLatin(group));
        const std::size_t tried = std::min(ids.size(), options_.per_group);
        for (std::size_t k = 0; k < tried; ++k) {
          const std::uint32_t id = ids[k];
          if (!Joins(path.word, model_.At(id).devanagari)) continue;
          // A step carries what the path knows (held, its range, the signs
          // it was given) and says anew how the word ends.
          Path next = path;
          next.score += model_.LogProbability(path.before, id);
          next.word += model_.At(id).devanagari;
          Follow(next.before, id);
          next.vowel_filled = false;
          next.bare = IsConsonantOrNukta(next.word.back()) && !HasVowelLetter(group);
          const std::size_t nukta_at = NuktaPlace(group, model_.At(id).devanagari);
          if (nukta_at != std::u16string::npos) {
            Path dotted = next;
            dotted.word.insert(path.word.size() + nukta_at, 1, kNukta);
            dotted.score += kNuktaPreference;
            Keep(std::move(dotted), at[place + length]);
          }
          Keep(std::move(next), at[place + length]);
        }
      }
  }
  if (n > shared) Settle(at[n]);
  memo_->letters = *letters;

  std::unordered_map<std::u16string, double> best;
  for (const Path& path : at[n]) {
    // A vowel left out at the end reads as another word ("shakt" is not
    // शक्ति), unless the one letter stands for the word ("h" for है).
    if (path.vowel_filled && n > 1) continue;
    const double score = path.score + model_.LogProbability(path.before, 0);
    const auto [entry, added] = best.try_emplace(path.word, score);
    if (!added) entry->second = std::max(entry->second, score);
  }
  std::vector<RomanCandidate> candidates;
  for (const auto& [word, channel] : best) {
    const std::uint8_t frequency = std::max<std::uint8_t>(words_.Score(word), IsExtraWord(word));
    RomanCandidate candidate{word, channel, frequency > 0};
    candidate.score += options_.letter_weight * letters_->LogProbability(word);
    if (candidate.known)
      candidate.score +=
          options_.known_bonus + options_.frequency_weight * (frequency - 1) / 16.0 * std::log(2.0);
    if (options_.boost) candidate.score += options_.boost(candidate.word, candidate.known);
    candidates.push_back(std::move(candidate));
  }
  std::sort(candidates.begin(), candidates.end(),
            [](const RomanCandidate& x, const RomanCandidate& y) {
              if (x.score != y.score) return x.score > y.score;
              return x.word < y.word;
            });
  if (candidates.size() > count) candidates.resize(count);
  return candidates;
}

}  // namespace lekhora::roman
