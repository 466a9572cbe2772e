// lekhora-typist: types texts through the input method's session as a typist
// would and says how many keys the candidates saved.

#include <algorithm>
#include <charconv>
#include <exception>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/program_folder.h"
#include "engine/layout.h"
#include "ime/shared_words.h"
#include "text/utf8.h"
#include "tools/typist/typist.h"
#include "tools/words/file_io.h"

namespace {

using namespace lekhora;
using namespace lekhora::typist;

constexpr const char* kUsage =
    "usage: lekhora-typist [--layout NAME] [--visible N] [--order ranked|list] [--learn on|off]\n"
    "                      [--history FILE] [--train FILE] [--keys-out FILE] TEXT...\n"
    "Types each Devanagari word of each UTF-8 TEXT with the fewest keys of the layout\n"
    "(default Phonetic(Vimra)), accepting it with Shift+Space as soon as it is among\n"
    "the first N candidates (default 9) and that saves keys, each Shift+Down or\n"
    "Shift+Up counted. The\n"
    "break after a word is one key on both sides; text in other scripts, digits and\n"
    "punctuation are not counted otherwise.\n"
    "--order list shows the candidates in the list's order instead of ranked by the\n"
    "shipped frequencies and the history. The history is FILE, or one in memory for\n"
    "the run; --learn off keeps it as it is.\n"
    "--train types FILE first, uncounted and learned, as earlier writing of the user.\n"
    "--keys-out writes a line per word: the word, its keys and what it reads as after\n"
    "each key, separated by tabs.\n";

struct Arguments {
  std::u16string layout{kPhoneticVimraLayout};
  TypistOptions options;
  std::optional<std::string> train;
  std::optional<std::string> keysOut;
  std::vector<std::string> texts;
};

std::optional<Arguments> Parse(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--layout" && hasValue) {
      args.layout = Utf8ToUtf16(argv[++i]);
    } else if (arg == "--visible" && hasValue) {
      const std::string_view value = argv[++i];
      const auto [end, error] =
          std::from_chars(value.data(), value.data() + value.size(), args.options.visible);
      if (error != std::errc{} || end != value.data() + value.size() || args.options.visible < 1 ||
          args.options.visible > kCandidatePage)
        return std::nullopt;
    } else if (arg == "--learn" && hasValue) {
      const std::string_view value = argv[++i];
      if (value != "on" && value != "off") return std::nullopt;
      args.options.learn = value == "on";
    } else if (arg == "--order" && hasValue) {
      const std::string_view value = argv[++i];
      if (value != "ranked" && value != "list") return std::nullopt;
      args.options.ranked = value == "ranked";
    } else if (arg == "--history" && hasValue) {
      args.options.history = argv[++i];
    } else if (arg == "--train" && hasValue) {
      args.train = argv[++i];
    } else if (arg == "--keys-out" && hasValue) {
      args.keysOut = argv[++i];
    } else if (!arg.empty() && arg.front() == '-') {
      return std::nullopt;
    } else {
      args.texts.emplace_back(arg);
    }
  }
  if (args.texts.empty()) return std::nullopt;
  return args;
}

std::vector<std::u16string> ReadWords(const std::string& file) {
  return DevanagariWords(Utf8ToUtf16(tools::ReadUtf8(file)));
}

struct Run {
  KeyFinder& finder;
  InputSession& session;
  int visible;
  std::vector<std::u16string> untypable;
};

Figures TypeText(Run& run, const std::vector<std::u16string>& words, std::ostream* keysOut) {
  Figures figures;
  for (const std::u16string& word : words) {
    const std::optional<KeyPath>& path = run.finder.Find(word);
    if (!path) {
      ++figures.untypable;
      if (std::find(run.untypable.begin(), run.untypable.end(), word) == run.untypable.end())
        run.untypable.push_back(word);
      continue;
    }
    const WordTyping typing = TypeWord(run.session, *path, word, run.visible);
    figures.Add(*path, typing);
    if (!typing.committed)
      std::cerr << "lekhora-typist: typing " << EncodeUtf8(word) << " committed \""
                << EncodeUtf8(typing.commit) << "\"\n";
    if (keysOut == nullptr) continue;
    *keysOut << EncodeUtf8(word) << '\t' << EncodeUtf8(path->keys);
    for (const std::u16string& output : path->outputs) *keysOut << '\t' << EncodeUtf8(output);
    *keysOut << '\n';
  }
  return figures;
}

void Print(const std::string& name, const Figures& f) {
  std::cout << std::fixed << std::setprecision(1) << "text: " << name << '\n'
            << "  words: " << f.words << " (not typable in the layout, skipped: " << f.untypable
            << ")\n"
            << "  keys without suggestions: " << f.keysWithout << '\n'
            << "  keys with suggestions: " << f.keysWith << '\n'
            << "  keystroke savings: " << f.Savings() << " %\n"
            << "  keystroke savings, the accept key ending the word: "
            << f.SavingsAcceptEndingTheWord() << " %\n"
            << std::setprecision(2) << "  keys per word: " << f.PerWord(f.keysWithout)
            << " without, " << f.PerWord(f.keysWith) << " with\n"
            << std::setprecision(1) << "  accepted: " << f.OfWords(f.accepted)
            << " % of words; shown first " << f.OfWords(f.first) << " %, among 5 "
            << f.OfWords(f.top5) << " %, among 9 " << f.OfWords(f.top9) << " %\n";
  if (f.miscommitted > 0)
    std::cout << "  words the session committed wrongly: " << f.miscommitted << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Arguments> args = Parse(argc, argv);
  if (!args) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    const std::shared_ptr<const Layout> layout = MakeLayout(args->layout);
    if (!layout) {
      std::cerr << "lekhora-typist: no layout " << EncodeUtf8(args->layout) << '\n';
      return 2;
    }
    // The words as shipped, never the user's own, so runs compare.
    const auto words = LoadSharedWords(ProgramFolder(), {});
    TypistOptions options = args->options;
    options.programFolder = ProgramFolder();
    const TypistSession session = MakeTypistSession(layout, words, options);
    KeyFinder finder(layout);
    Run run{finder, *session, args->options.visible, {}};
    // The earlier writing is learned whatever --learn says: that is what a
    // frozen history of it means.
    if (args->train && session.ranking) {
      session.ranking->SetLearning(true);
      TypeText(run, ReadWords(*args->train), nullptr);
      session.ranking->SetLearning(args->options.learn);
      (*session).Reset();
    }
    std::ofstream keysOut;
    if (args->keysOut) {
      keysOut.open(*args->keysOut, std::ios::binary | std::ios::trunc);
      if (!keysOut) throw std::runtime_error("cannot write " + *args->keysOut);
    }
    std::cout << "layout: " << EncodeUtf8(layout->Name())
              << ", candidates in view: " << args->options.visible
              << ", order: " << (args->options.ranked ? "ranked" : "list")
              << ", learning: " << (args->options.learn ? "on" : "off")
              << (args->options.history.empty() ? ""
                                                : ", history: " + args->options.history.string())
              << (args->train ? ", trained on: " + *args->train : "") << '\n';
    for (const std::string& text : args->texts) {
      run.untypable.clear();
      Print(text, TypeText(run, ReadWords(text), args->keysOut ? &keysOut : nullptr));
      for (std::size_t i = 0; i < run.untypable.size() && i < 10; ++i)
        std::cerr << "lekhora-typist: " << text << ": the layout cannot type "
                  << EncodeUtf8(run.untypable[i]) << '\n';
    }
    if (keysOut.is_open() && !keysOut.flush())
      throw std::runtime_error("cannot write " + *args->keysOut);
  } catch (const std::exception& e) {
    std::cerr << "lekhora-typist: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
