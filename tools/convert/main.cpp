// lekhora-convert: types UTF-8 text from stdin through the typing engine and
// writes what the typing pad would show to stdout.

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "engine/layout_choice.h"
#include "text/utf8.h"
#include "tools/convert/convert_text.h"

namespace {

using lekhora::DecodeUtf8;
using lekhora::EncodeUtf8;
using lekhora::EncodeUtf8Blocks;

constexpr int kUsageError = 2;
constexpr int kInputError = 1;

std::string Quoted(std::u16string_view name) {
  return "\"" + EncodeUtf8(name) + "\"";
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
               "Exit status: 0 done, 1 input is not valid UTF-8, 2 bad command line.\n";
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

// All of in, or nothing after a read error.
std::optional<std::string> ReadAll(std::FILE* in) {
  std::string data;
  // A file tells its size: one allocation rather than a doubling series of
  // copies. A pipe cannot tell (ftell fails) and grows as it comes.
  if (const long here = std::ftell(in); here >= 0 && std::fseek(in, 0, SEEK_END) == 0) {
    const long end = std::ftell(in);
    if (std::fseek(in, here, SEEK_SET) != 0) return std::nullopt;
    if (end > here) data.reserve(static_cast<std::size_t>(end - here));
  }
  char block[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, in)) > 0) data.append(block, got);
  if (std::ferror(in)) return std::nullopt;
  return data;
}

bool IsScriptName(std::u16string_view name) {
  for (const lekhora::OutputScript& script : lekhora::OutputScripts())
    if (script.name == name) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
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

  std::optional<std::string> input = ReadAll(stdin);
  if (!input) {
    std::cerr << "lekhora-convert: cannot read standard input\n";
    return kInputError;
  }

  lekhora::LoadLayouts();
  lekhora::SetLayout(layout);
  if (script) lekhora::ChooseOutputScript(*script);

  // Nothing is written before the whole input has been found valid.
  const lekhora::Utf8Result typed = lekhora::TypeUtf8(*input);
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
