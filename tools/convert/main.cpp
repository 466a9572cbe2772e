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

#include "engine/layout.h"
#include "text/utf8.h"
#include "tools/convert/convert_text.h"

namespace {

using lekhora::DecodeUtf8;
using lekhora::EncodeUtf8;
using lekhora::EncodeUtf8Blocks;

constexpr int kUsageError = 2;
constexpr int kInputError = 1;

std::string Quoted(std::u16string_view name) {
  return '"' + EncodeUtf8(name) + '"';
}

std::string LayoutList() {
  std::string list;
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
  std::cout << "Usage: lekhora-convert [--layout NAME] [--script NAME] < input > output\n"
               "\n"
               "Types UTF-8 text from standard input, one key per character, into an empty\n"
               "typing pad and writes the resulting text to standard output as UTF-8.\n"
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

}  // namespace

int Run(int argc, char** argv) {
  std::optional<std::string> layoutArg;
  std::optional<std::string> scriptArg;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      PrintHelp();
      return 0;
    }
    std::optional<std::string>* target = nullptr;
    std::string_view option;
    for (std::string_view known : {"--layout", "--script"}) {
      if (arg == known ||
          (arg.size() > known.size() && arg.starts_with(known) && arg[known.size()] == '=')) {
        option = known;
        target = known == "--layout" ? &layoutArg : &scriptArg;
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

  std::u16string layout(lekhora::kPhoneticVimraLayout);
  if (layoutArg) {
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
