#pragma once
// The one reader of typing_cases.txt, for every test that replays its cases
// (the engine's and the input sessions').

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace lekhora::testing {

// A key and, when the case gives one, the whole text expected right after it.
struct Step {
  std::string key;
  std::optional<std::u16string> after;
};

struct TypingCase {
  int line = 0;
  std::string source;
  std::u16string layout;
  std::vector<Step> steps;
  std::u16string expected;
  /// Fields after the expected text: a start text, caret, selection or caret after.
  bool startsWithBox = false;
  std::u16string start;
  int caret = -1;  // -1: end of the start text
  int selection = 0;
  int caretAfter = -1;                // -1: not checked
  std::vector<std::u16string> words;  // the word list; none: no suggestions
};

// The line number, not the bytes, names a case in the test list.
inline void PrintTo(const TypingCase& c, std::ostream* out) {
  *out << "line " << c.line;
}

namespace typing_cases_detail {

inline std::vector<std::string> Tokens(const std::string& field) {
  std::istringstream in(field);
  std::vector<std::string> tokens;
  for (std::string token; in >> token;) tokens.push_back(token);
  return tokens;
}

inline std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace typing_cases_detail

inline std::u16string Ascii(std::string_view s) {
  return std::u16string(s.begin(), s.end());
}

/// A unit written as U+XXXX, one of the names below, or a single ASCII
/// character; 0 for a token that is none of these.
inline char16_t UnitOf(const std::string& token) {
  if (token.size() > 2 && token.starts_with("U+"))
    return static_cast<char16_t>(std::strtoul(token.c_str() + 2, nullptr, 16));
  if (token == "<sp>") return u' ';
  if (token == "<bar>") return u'|';
  if (token == "<lf>") return u'\n';
  if (token == "<tab>") return u'\t';
  if (token == "<bs>") return 8;
  if (token == "<enter>") return 13;
  if (token.size() == 1) return static_cast<char16_t>(static_cast<unsigned char>(token[0]));
  return 0;
}

/// UnitOf, and a failure for an unknown token.
inline char16_t Unit(const std::string& token) {
  const char16_t unit = UnitOf(token);
  if (unit == 0) ADD_FAILURE() << "unknown token " << token;
  return unit;
}

inline std::u16string Text(const std::string& field) {
  std::u16string text;
  for (const std::string& token : typing_cases_detail::Tokens(field)) text += Unit(token);
  return text;
}

/// The units of "KEY=A,B,C" after the "=", comma-separated.
inline std::u16string CommaText(const std::string& list) {
  std::string spaced = list;
  std::replace(spaced.begin(), spaced.end(), ',', ' ');
  return Text(spaced);
}

/// "KEY" or "KEY=TEXT": the first "=" after the key's first character splits
/// them, so the key "=" itself is "==TEXT".
inline std::vector<Step> Steps(const std::string& field) {
  std::vector<Step> steps;
  for (const std::string& token : typing_cases_detail::Tokens(field)) {
    const std::size_t equals = token.find('=', 1);
    if (equals == std::string::npos) {
      steps.push_back({token, std::nullopt});
    } else {
      steps.push_back({token.substr(0, equals), CommaText(token.substr(equals + 1))});
    }
  }
  return steps;
}

/// Every case of the file at path, with the word list in force at its line.
inline std::vector<TypingCase> LoadTypingCases(const char* path) {
  using typing_cases_detail::Tokens;
  using typing_cases_detail::Trim;
  std::ifstream in(path);
  EXPECT_TRUE(in) << "cannot open " << path;
  std::vector<TypingCase> cases;
  std::vector<std::u16string> words;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    if (trimmed.starts_with("words:")) {
      words.clear();
      for (const std::string& word : Tokens(trimmed.substr(6))) words.push_back(CommaText(word));
      std::sort(words.begin(), words.end());
      continue;
    }
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '|');) fields.push_back(Trim(field));
    if (fields.size() < 3) {
      ADD_FAILURE() << "line " << number << ": needs layout | keys | expected";
      continue;
    }
    TypingCase c;
    c.line = number;
    c.source = line;
    c.layout = Ascii(fields[0]);
    c.steps = Steps(fields[1]);
    c.expected = Text(fields[2]);
    c.startsWithBox = fields.size() > 3;
    if (fields.size() > 3) c.start = Text(fields[3]);
    if (fields.size() > 4 && !fields[4].empty()) c.caret = std::stoi(fields[4]);
    if (fields.size() > 5 && !fields[5].empty()) c.selection = std::stoi(fields[5]);
    if (fields.size() > 6 && !fields[6].empty()) c.caretAfter = std::stoi(fields[6]);
    c.words = words;
    cases.push_back(std::move(c));
  }
  return cases;
}

}  // namespace lekhora::testing
