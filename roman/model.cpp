#include "roman/model.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/files.h"
#include "roman/letters.h"
#include "text/utf8.h"

namespace lekhora::roman {

namespace {

constexpr std::string_view kHeader = "lekhora-roman 1";
// What each seen n-gram gives up for those not seen after its context
// (absolute discounting, interpolated with the shorter context).
constexpr double kDiscount = 0.85;
constexpr std::uint64_t kMaxCount = std::uint64_t{1} << 40;

Error Damaged(std::size_t line, const std::string& what) {
  return Error(kInvalidModel, kModelSource,
               "Invalid model file: line " + std::to_string(line) + ": " + what);
}

// Reads the text a line at a time; every line must end with LF.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}
  std::size_t number() const { return number_; }
  bool Next(std::string_view& line) {
    if (at_ >= text_.size()) return false;
    const std::size_t end = text_.find('\n', at_);
    ++number_;
    if (end == std::string_view::npos) throw Damaged(number_, "no line feed at the end");
    line = text_.substr(at_, end - at_);
    at_ = end + 1;
    return true;
  }
  std::string_view Expect(const char* what) {
    std::string_view line;
    if (!Next(line)) throw Damaged(number_ + 1, std::string("the file ends before ") + what);
    return line;
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  std::size_t number_ = 0;
};

std::uint64_t ParseNumber(std::string_view field, std::uint64_t most, std::size_t line) {
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || ec != std::errc() || end != field.data() + field.size() ||
      (field.size() > 1 && field.front() == '0') || value > most)
    throw Damaged(line, "not a number in range: \"" + std::string(field) + "\"");
  return value;
}

std::uint64_t ParseHeaderCount(std::string_view line, std::string_view name, std::uint64_t most,
                               std::size_t number) {
  if (line.substr(0, name.size()) != name || line.size() <= name.size() + 1 ||
      line[name.size()] != ' ')
    throw Damaged(number, "expected \"" + std::string(name) + " COUNT\"");
  return ParseNumber(line.substr(name.size() + 1), most, number);
}

}  // namespace

std::string Model::ToText(const std::vector<Graphone>& graphones, const NgramCounts& counts) {
  std::string text(kHeader);
  // Appended piece by piece: GCC 12 at -O2 warns falsely (-Wrestrict) about
  // a literal added to a temporary string.
  text += "\ngraphones ";
  text += std::to_string(graphones.size());
  text += '\n';
  for (const Graphone& g : graphones) {
    text += g.latin;
    text += '\t';
    text += Utf16ToUtf8(g.devanagari);
    text += '\n';
  }
  text += "counts ";
  text += std::to_string(counts.size());
  text += '\n';
  for (const auto& [ngram, count] : counts) {
    for (std::size_t i = 0; i < ngram.size(); ++i) {
      if (i > 0) text += ' ';
      text += std::to_string(ngram[i]);
    }
    text += '\t';
    text += std::to_string(count);
    text += '\n';
  }
  text += "end\n";
  return text;
}

ModelOrError Model::Load(const std::filesystem::path& path) {
  try {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path, kModelSource, kMaxFileBytes);
    return FromText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } catch (const Error& error) {
    return error;
  }
}

ModelOrError Model::FromText(std::string_view text) {
  try {
    Model model;
    Lines lines(text);
    if (lines.Expect("the header") != kHeader) throw Damaged(1, "not a romanization model");
    const std::uint64_t n =
        ParseHeaderCount(lines.Expect("the graphones"), "graphones", kMaxGraphones, lines.number());
    model.graphones_.reserve(n);
    for (std::uint64_t i = 0; i < n; ++i) {
      const std::string_view line = lines.Expect("the last graphone");
      const std::size_t tab = line.find('\t');
      if (tab == std::string_view::npos) throw Damaged(lines.number(), "no tab");
      Graphone g{std::string(line.substr(0, tab)), Utf8ToUtf16(line.substr(tab + 1))};
      if (PackLatin(g.latin) == 0 ||
          g.latin.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos)
        throw Damaged(lines.number(), "Latin letters not one to three of a..z and ~");
      if (g.devanagari.empty() || g.devanagari.size() > 8 || !IsDevanagari(g.devanagari) ||
          Utf16ToUtf8(g.devanagari) != line.substr(tab + 1))
        throw Damaged(lines.number(), "not one to eight Devanagari letters");
      if (!model.graphones_.empty() && !(model.graphones_.back() < g))
        throw Damaged(lines.number(), "graphones out of order or repeated");
      model.graphones_.push_back(std::move(g));
    }
    model.unigram_.assign(n + 1, 0.0);
    const std::uint64_t m = ParseHeaderCount(lines.Expect("the counts"), "counts",
                                             std::uint64_t{1} << 32, lines.number());
    std::vector<std::uint32_t> previous;
    for (std::uint64_t i = 0; i < m; ++i) {
      const std::string_view line = lines.Expect("the last count");
      const std::size_t tab = line.find('\t');
      if (tab == std::string_view::npos) throw Damaged(lines.number(), "no tab");
      std::vector<std::uint32_t> ids;
      std::string_view rest = line.substr(0, tab);
      while (true) {
        const std::size_t space = rest.find(' ');
        ids.push_back(
            static_cast<std::uint32_t>(ParseNumber(rest.substr(0, space), n, lines.number())));
        if (space == std::string_view::npos) break;
        rest.remove_prefix(space + 1);
      }
      if (ids.size() > kOrder) throw Damaged(lines.number(), "more than three ids");
      if (!previous.empty() && !(previous < ids))
        throw Damaged(lines.number(), "counts out of order or repeated");
      const double count =
          static_cast<double>(ParseNumber(line.substr(tab + 1), kMaxCount, lines.number()));
      if (count == 0) throw Damaged(lines.number(), "a count of 0");
      const std::uint32_t c = ids.back();
      if (ids.size() == 1) {
        model.unigram_[c] += count;
        model.unigram_total_ += count;
      } else {
        model.ngrams_[ids.size()][Key(ids.begin(), ids.end())] = count;
        Context& context = model.contexts_[ids.size() - 1][Key(ids.begin(), ids.end() - 1)];
        context.total += count;
        context.types += 1;
      }
      previous = std::move(ids);
    }
    if (lines.Expect("the end line") != "end") throw Damaged(lines.number(), "expected \"end\"");
    std::string_view extra;
    if (lines.Next(extra)) throw Damaged(lines.number(), "text after the end line");
    for (std::uint32_t id = 1; id <= n; ++id)
      model.by_latin_[PackLatin(model.graphones_[id - 1].latin)].push_back(id);
    for (auto& [packed, ids] : model.by_latin_)
      std::stable_sort(ids.begin(), ids.end(), [&model](std::uint32_t x, std::uint32_t y) {
        return model.unigram_[x] > model.unigram_[y];
      });
    return model;
  } catch (const Error& error) {
    return error;
  } catch (const std::bad_alloc&) {
    return Error(kInvalidModel, kModelSource, "Invalid model file: too large to hold");
  }
}

double Model::Unigram(std::uint32_t c) const {
  return (unigram_[c] + 1.0) / (unigram_total_ + static_cast<double>(unigram_.size()));
}

double Model::LogProbability(const History& before, std::uint32_t c) const {
  double p = Unigram(c);
  std::array<std::uint32_t, kOrder> ngram{};
  std::copy(before.begin(), before.end(), ngram.begin());
  ngram.back() = c;
  for (std::size_t length = 1; length < kOrder; ++length) {
    const auto first = ngram.end() - 1 - length;
    const auto context = contexts_[length].find(Key(first, ngram.end() - 1));
    if (context == contexts_[length].end()) break;
    const auto seen = ngrams_[length + 1].find(Key(first, ngram.end()));
    const double count = seen == ngrams_[length + 1].end() ? 0.0 : seen->second;
    p = (std::max(count - kDiscount, 0.0) + kDiscount * context->second.types * p) /
        context->second.total;
  }
  return std::log(p);
}

const std::vector<std::uint32_t>& Model::ForLatin(std::uint32_t packed) const {
  static const std::vector<std::uint32_t> kNone;
  const auto found = by_latin_.find(packed);
  return found == by_latin_.end() ? kNone : found->second;
}

}  // namespace lekhora::roman
