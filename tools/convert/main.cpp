// lekhora-convert: types UTF-8 text from stdin through the typing engine and
// writes what the typing pad would show to stdout.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "base/data_files.h"
#include "base/program_folder.h"
#include "engine/layout.h"
#include "roman/romanizer.h"
#include "suggest/word_frequencies.h"
#include "text/utf8.h"
#include "tools/convert/convert_text.h"
#include "tools/convert/romanize_text.h"

namespace {

using lekhora::DecodeUtf8;
using lekhora::EncodeUtf8;
using lekhora::EncodeUtf8Blocks;

constexpr int kUsageError = 2;
constexpr int kInputError = 1;
// Hindi typed in Latin letters: not a table of keys but the romanization
// model, converting whole words.
constexpr std::string_view kIntelligentRoman = "IntelligentRoman";

std::string Quoted(std::u16string_view name) {
  return '"' + EncodeUtf8(name) + '"';
}

std::string LayoutList() {
  std::string list = Quoted(u"IntelligentRoman");
  for (std::u16string_view name : lekhora::LayoutNames())
    list += (list.empty() ? "" : ", ") + Quoted(name);
  return list;
}

std::string ScriptList() {
  std::string list;
  for (const lekhora::OutputScript& script : lekhora::OutputScripts())
    list += (list.empty() ? "" : ", ") + Quoted(script.name);
  return list;
}

void PrintHelp() {
  std::cout << "Usage: lekhora-convert [--layout NAME] [--script NAME] [--candidates N] < input > "
               "output\n"
               "\n"
               "Types UTF-8 text from standard input, one key per character, into an empty\n"
               "typing pad and writes the resulting text to standard output as UTF-8.\n"
               "IntelligentRoman converts each word of Latin letters alone into its best\n"
               "Devanagari word and keeps everything else.\n"
               "\n"
               "  --layout NAME  keyboard layout, spelled exactly (default \"Phonetic(Vimra)\"):\n"
               "                 "
            << LayoutList()
            << "\n"
               "  --script NAME  output script, as chosen in the pad's script list; this makes\n"
               "                 \"Phonetic\" the layout and types that script's letters:\n"
               "                 "
            << ScriptList()
            << "\n"
               "  --candidates N with IntelligentRoman: for each word, a line of its N best\n"
               "                 candidates separated by tabs, instead of the text\n"
               "  --help         show this text\n"
               "\n"
               "Input is at most 256 MiB; more is refused.\n"
               "Exit status: 0 done, 1 input that is not valid UTF-8, too long or\n"
               "unreadable, 2 bad command line.\n";
}

int UsageError(const std::string& message) {
  std::cerr << "lekhora-convert: " << message << "\n"
            << "Try 'lekhora-convert --help'.\n";
  return kUsageError;
}

bool IsLayoutName(std::u16string_view name) {
  for (std::u16string_view known : lekhora::LayoutNames())
    if (known == name) return true;
  return false;
}

// Positions in the typing box are 32-bit; a key types at most four code
// units, so this much input can never outgrow them. More is refused.
constexpr std::size_t kMaxInputBytes = std::size_t{256} << 20;

struct Input {
  std::string data;
  /// Why reading stopped early: a read error, or input over the limit.
  std::optional<std::string> failure;
  /// The first invalid UTF-8 sequence, found while reading.
  std::optional<std::size_t> badOffset;
};

// Standard input up to kMaxInputBytes, checked as UTF-8 as it comes, so that
// /dev/urandom is refused at its first bad byte and /dev/zero at the limit.
Input ReadInput(int fd) {
  Input input;
  struct stat st {};
  if (::fstat(fd, &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      input.failure = "standard input is a directory";
      return input;
    }
    // A file tells its size: one allocation rather than a doubling series.
    if (S_ISREG(st.st_mode) && st.st_size > 0)
      input.data.reserve(
          std::min<std::size_t>(static_cast<std::size_t>(st.st_size), kMaxInputBytes + 1));
  }
  std::size_t checked = 0;
  char block[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, block, sizeof block);
    if (got < 0) {
      if (errno == EINTR) continue;
      input.failure = std::string("cannot read standard input: ") + std::strerror(errno);
      return input;
    }
    if (got == 0) return input;
    if (input.data.size() + static_cast<std::size_t>(got) > kMaxInputBytes) {
      input.failure =
          "input longer than " + std::to_string(kMaxInputBytes >> 20) + " MiB; convert it in parts";
      return input;
    }
    input.data.append(block, static_cast<std::size_t>(got));
    const std::string_view unchecked = std::string_view(input.data).substr(checked);
    const std::optional<std::size_t> bad = lekhora::DecodeUtf8Blocks(unchecked, [](auto) {});
    if (!bad) {
      checked = input.data.size();
    } else if (unchecked.size() - *bad < 4) {
      // Perhaps a sequence cut by the block's end: look again with more.
      checked += *bad;
    } else {
      input.badOffset = checked + *bad;
      return input;
    }
  }
}

bool IsScriptName(std::u16string_view name) {
  for (const lekhora::OutputScript& script : lekhora::OutputScripts())
    if (script.name == name) return true;
  return false;
}

bool Write(std::u16string_view text) {
  bool written = true;
  EncodeUtf8Blocks(text, [&written](std::string_view block) {
    written = written && std::fwrite(block.data(), 1, block.size(), stdout) == block.size();
  });
  if (!written || std::fflush(stdout) != 0) {
    std::cerr << "lekhora-convert: cannot write standard output\n";
    return false;
  }
  return true;
}

// The valid UTF-8 input converted word by word, or with candidates > 0 the
// candidates of each word; the model and the word frequencies come from
// beside the program.
int Romanize(const std::string& data, std::size_t candidates) {
  const std::filesystem::path folder = lekhora::ProgramFolder();
  const lekhora::roman::ModelOrError model =
      lekhora::roman::Model::Load(folder / lekhora::kRomanModelFile);
  if (const auto* error = std::get_if<lekhora::Error>(&model)) {
    std::cerr << "lekhora-convert: " << error->description() << "\n";
    return kInputError;
  }
  const lekhora::FrequenciesOrError words =
      lekhora::WordFrequencies::Load(folder / lekhora::kWordFrequencyFile);
  if (const auto* error = std::get_if<lekhora::Error>(&words)) {
    std::cerr << "lekhora-convert: " << error->description() << "\n";
    return kInputError;
  }
  const lekhora::roman::Romanizer romanizer(std::get<lekhora::roman::Model>(model),
                                            std::get<lekhora::WordFrequencies>(words));
  const std::u16string text = lekhora::Utf8ToUtf16(data);
  return Write(candidates > 0 ? lekhora::CandidateLines(romanizer, text, candidates)
                              : lekhora::RomanizeText(romanizer, text))
             ? 0
             : kInputError;
}

}  // namespace

int Run(int argc, char** argv) {
  std::optional<std::string> layoutArg;
  std::optional<std::string> scriptArg;
  std::optional<std::string> candidatesArg;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      PrintHelp();
      return 0;
    }
    std::optional<std::string>* target = nullptr;
    std::string_view option;
    for (std::string_view known : {"--layout", "--script", "--candidates"}) {
      if (arg == known ||
          (arg.size() > known.size() && arg.starts_with(known) && arg[known.size()] == '=')) {
        option = known;
        target = known == "--layout"   ? &layoutArg
                 : known == "--script" ? &scriptArg
                                       : &candidatesArg;
      }
    }
    if (target == nullptr) return UsageError("unknown argument '" + std::string(arg) + "'");
    if (arg.size() > option.size()) {
      *target = std::string(arg.substr(option.size() + 1));
    } else if (i + 1 < argc) {
      *target = argv[++i];
    } else {
      return UsageError(std::string(option) + " needs a NAME");
    }
  }

  const bool roman = layoutArg && *layoutArg == kIntelligentRoman;
  std::size_t candidates = 0;
  if (candidatesArg) {
    const std::string& n = *candidatesArg;
    if (!roman) return UsageError("--candidates needs --layout IntelligentRoman");
    if (n.empty() || n.size() > 3 || n.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(n) == 0)
      return UsageError("--candidates needs a number from 1 to 999");
    candidates = static_cast<std::size_t>(std::stoi(n));
  }
  if (roman && scriptArg) return UsageError("--script does not go with IntelligentRoman");
  std::u16string layout(lekhora::kPhoneticVimraLayout);
  if (layoutArg && !roman) {
    lekhora::Utf8Result name = DecodeUtf8(*layoutArg);
    if (name.badOffset || !IsLayoutName(name.text))
      return UsageError("unknown layout \"" + *layoutArg + "\"; valid layouts are " + LayoutList());
    layout = name.text;
  }
  std::optional<std::u16string> script;
  if (scriptArg) {
    lekhora::Utf8Result name = DecodeUtf8(*scriptArg);
    if (name.badOffset || !IsScriptName(name.text))
      return UsageError("unknown script \"" + *scriptArg + "\"; valid scripts are " + ScriptList());
    script = name.text;
  }

  const Input input = ReadInput(0);
  if (input.failure) {
    std::cerr << "lekhora-convert: " << *input.failure << "\n";
    return kInputError;
  }
  if (input.badOffset) {
    std::cerr << "lekhora-convert: input is not valid UTF-8: bad byte at offset "
              << *input.badOffset << "\n";
    return kInputError;
  }

  if (roman) return Romanize(input.data, candidates);

  // A script types the Phonetic layout at that script's base.
  std::shared_ptr<const lekhora::Layout> chosen =
      lekhora::MakeLayout(layout, script ? std::u16string_view(*script) : std::u16string_view());

  // Nothing is written before the whole input has been found valid.
  const lekhora::Utf8Result typed = lekhora::TypeUtf8(std::move(chosen), input.data);
  if (typed.badOffset) {
    std::cerr << "lekhora-convert: input is not valid UTF-8: bad byte at offset "
              << *typed.badOffset << "\n";
    return kInputError;
  }

  bool written = true;
  EncodeUtf8Blocks(typed.text, [&written](std::string_view block) {
    written = written && std::fwrite(block.data(), 1, block.size(), stdout) == block.size();
  });
  if (!written || std::fflush(stdout) != 0) {
    std::cerr << "lekhora-convert: cannot write standard output\n";
    return kInputError;
  }
  return 0;
}

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    // Out of memory, most likely: a message and the input error, never an abort.
    std::cerr << "lekhora-convert: " << e.what() << "\n";
    return kInputError;
  }
}
