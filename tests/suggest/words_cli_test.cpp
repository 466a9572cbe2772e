// lekhora-words as a maintainer runs it, from the bin folder beside this test.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "base/program_folder.h"
#include "base/utf16.h"
#include "codec/he3.h"
#include "suggest/word_frequencies.h"
#include "temp_folder.h"
#include "text/utf8.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace lekhora {
namespace {

using test::TempFolder;

struct ToolRun {
  int status;
  std::string output;  // stdout and stderr together
};

ToolRun Words(const std::string& args) {
  const std::string command =
      "\"" + InProgramFolder("lekhora-words").string() + "\" " + args + " 2>&1";
#ifdef _WIN32
  FILE* pipe = _popen(command.c_str(), "r");
#else
  FILE* pipe = popen(command.c_str(), "r");
#endif
  ToolRun run{-1, {}};
  if (pipe == nullptr) return run;
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
    run.output.append(chunk, got);
#ifdef _WIN32
  run.status = _pclose(pipe);
#else
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
  return run;
}

std::string Quoted(const std::filesystem::path& path) {
  return "'" + path.string() + "'";
}

const std::u16string kKa = u"\u0915";  // ka
const std::u16string kMa = u"\u092E";  // ma

TEST(WordsCli, SuggestPrintsTheSearchAndThePopup) {
  TempFolder folder;
  Bytes bytes = Utf16ToBytes(u"a\r\n" + kKa + u"\r\n" + kKa + kMa + u"\r\nz\r\n");
  Encode(bytes, static_cast<std::int32_t>(bytes.size()));
  folder.Write("list.txt", bytes);

  const ToolRun found = Words("suggest " + Quoted(folder / "list.txt") + " " + Utf16ToUtf8(kKa));
  EXPECT_EQ(found.status, 0);
  EXPECT_EQ(found.output, "result: 1\nindex: 1\nmain: " + Utf16ToUtf8(kKa) + "\na\n<<< " +
                              Utf16ToUtf8(kKa) + " >>>\n" + Utf16ToUtf8(kKa + kMa) + "\nz\n\n");

  // Not found: the popup lists the words around the prefix's place, none marked.
  const ToolRun missing = Words("suggest " + Quoted(folder / "list.txt") + " q --index 3");
  EXPECT_EQ(missing.status, 0);
  EXPECT_EQ(missing.output, "result: -1\nindex: 1\nmain: No matching word\na\n\n" +
                                Utf16ToUtf8(kKa) + "\n" + Utf16ToUtf8(kKa + kMa) + "\nz\n\n");
}

TEST(WordsCli, SuggestOnTheBundledListShowsTheFirstWordOfKa) {
  const ToolRun run =
      Words("suggest " + Quoted(InProgramFolder("hnhugeenc.txt")) + " " + Utf16ToUtf8(kKa));
  ASSERT_EQ(run.status, 0) << run.output;
  const std::string ka = Utf16ToUtf8(kKa);
  const std::size_t main = run.output.find("\nmain: " + ka);
  ASSERT_NE(main, std::string::npos) << run.output;
  // The two lines before the marked one do not begin with ka; it does.
  const std::size_t marked = run.output.find("<<< " + ka);
  ASSERT_NE(marked, std::string::npos);
  const std::size_t before = run.output.rfind('\n', marked - 2);
  EXPECT_NE(run.output.compare(before + 1, ka.size(), ka), 0) << run.output;
}

TEST(WordsCli, CheckReportsEveryProblemAndFailsOnAny) {
  TempFolder folder;
  folder.WriteText("good.txt", u"a\r\nb\r\nc\r\n");
  const ToolRun good = Words("check " + Quoted(folder / "good.txt"));
  EXPECT_EQ(good.status, 0) << good.output;
  EXPECT_NE(good.output.find("entries: 4\nwords: 3\nsorted: yes\nduplicates: none\n"),
            std::string::npos)
      << good.output;

  folder.WriteText("bad.txt", u"a\r\nc\r\nb\r\nc");
  const ToolRun bad = Words("check " + Quoted(folder / "bad.txt"));
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.output.find("sorted: no, entry 1 \"c\" comes before entry 2 \"b\""),
            std::string::npos)
      << bad.output;
  EXPECT_NE(bad.output.find("duplicates: 1, first \"c\""), std::string::npos) << bad.output;
  EXPECT_NE(bad.output.find("final CR LF: no"), std::string::npos) << bad.output;

  std::u16string many;
  for (int i = 0; i < 32768; ++i) many += u"w\r\n";  // duplicates aside, too many
  folder.WriteText("many.txt", many);
  const ToolRun over = Words("check " + Quoted(folder / "many.txt"));
  EXPECT_EQ(over.status, 1);
  EXPECT_NE(over.output.find("limit: too many (32769 entries"), std::string::npos) << over.output;
}

TEST(WordsCli, StrictCheckNamesTheLineTheWordAndTheRule) {
  TempFolder folder;
  const std::u16string kSignI = u"\u093F", kSignU = u"\u0941";
  // Sorted, unique, CR LF ended: only the spelling of lines 2 and 3 is wrong.
  folder.WriteText("list.txt",
                   kKa + u"\r\n" + kKa + kSignI + kSignU + u"\r\n" + kMa + u"-\r\n\u095B\r\n");
  const ToolRun plain = Words("check " + Quoted(folder / "list.txt"));
  EXPECT_EQ(plain.status, 0) << plain.output;
  EXPECT_EQ(plain.output.find("strict"), std::string::npos);

  const ToolRun strict = Words("check --strict " + Quoted(folder / "list.txt"));
  EXPECT_EQ(strict.status, 1);
  EXPECT_NE(strict.output.find("strict: line 2 \"" + Utf16ToUtf8(kKa + kSignI + kSignU) +
                               "\" (U+0915 U+093F U+0941): two dependent vowel signs in a row "
                               "[two-vowel-signs] at U+0941, unit 2\n"),
            std::string::npos)
      << strict.output;
  EXPECT_NE(strict.output.find("strict: line 3 \"" + Utf16ToUtf8(kMa) + "-\" (U+092E U+002D)"),
            std::string::npos)
      << strict.output;
  EXPECT_NE(strict.output.find("line 4 \"" + Utf16ToUtf8(u"\u095B") +
                               "\" (U+095B): not in Unicode normal form C [nfc]\n"),
            std::string::npos)
      << strict.output;
  EXPECT_NE(strict.output.find("strict: 3 of 4 words fail\n"), std::string::npos) << strict.output;

  folder.WriteText("good.txt", kKa + u"\r\n" + kKa + kMa + u"\r\n");
  const ToolRun good = Words("check --strict " + Quoted(folder / "good.txt"));
  EXPECT_EQ(good.status, 0) << good.output;
  EXPECT_NE(good.output.find("strict: every word passes"), std::string::npos) << good.output;
}

TEST(WordsCli, CoversNamesEveryCheckWordMissingFromTheList) {
  TempFolder folder;
  folder.WriteText("list.txt", kKa + u"\r\n" + kKa + kMa + u"\r\n" + kMa);
  const std::string words =
      "# everyday words\n" + Utf16ToUtf8(kKa) + "\tsomewhere\n\n" + Utf16ToUtf8(kKa + kMa) + "\n";
  folder.Write("words.txt", std::vector<std::uint8_t>(words.begin(), words.end()));
  const ToolRun all =
      Words("covers " + Quoted(folder / "list.txt") + " " + Quoted(folder / "words.txt"));
  EXPECT_EQ(all.status, 0) << all.output;
  EXPECT_EQ(all.output, "covers: 2 of 2 words\n");

  // The last word has no CR LF after it, so the search never finds it.
  const std::string more = words + Utf16ToUtf8(kMa) + "\n";
  folder.Write("more.txt", std::vector<std::uint8_t>(more.begin(), more.end()));
  const ToolRun missing =
      Words("covers " + Quoted(folder / "list.txt") + " " + Quoted(folder / "more.txt"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.output,
            "missing: \"" + Utf16ToUtf8(kMa) + "\" (U+092E)\ncovers: 2 of 3 words\n");
}

TEST(WordsCli, LoadFailuresAreReportedNotSwallowed) {
  TempFolder folder;
  const ToolRun missing = Words("suggest " + Quoted(folder / "none.txt") + " a");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.output.find("Source file does not exist"), std::string::npos);

  folder.Write("corrupt.txt", {0x48, 0x45, 0x33, 0x0D, 0x00});
  EXPECT_EQ(Words("check " + Quoted(folder / "corrupt.txt")).status, 1);

  std::u16string many;
  for (int i = 0; i < 32768; ++i) many += u"w\r\n";
  folder.WriteText("many.txt", many);
  const ToolRun over = Words("suggest " + Quoted(folder / "many.txt") + " w");
  EXPECT_EQ(over.status, 1);
  EXPECT_NE(over.output.find("Overflow"), std::string::npos) << over.output;
}

TEST(WordsCli, UsageErrorsExitWithTwo) {
  EXPECT_EQ(Words("").status, 2);
  EXPECT_EQ(Words("check").status, 2);
  EXPECT_EQ(Words("check --strict").status, 2);
  EXPECT_EQ(Words("covers list.txt").status, 2);
  EXPECT_EQ(Words("suggest list.txt a --index").status, 2);
  EXPECT_EQ(Words("suggest list.txt a --index 40000").status, 2);
  EXPECT_EQ(Words("suggest list.txt a --index x").status, 2);
  EXPECT_EQ(Words("frobnicate a b").status, 2);
}

TEST(WordsCli, FrequentPrintsAPrefixsMostFrequentWordsAndRefusesADamagedTable) {
  TempFolder folder;
  folder.Write("table.bin", EncodeFrequencies({{kKa, 3}, {kKa + kMa, 9}, {kMa, 200}}));
  const ToolRun run = Words("frequent " + Quoted(folder / "table.bin") + " " + Utf16ToUtf8(kKa));
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output, "words: 3, 2 begin with the prefix\n" + Utf16ToUtf8(kKa + kMa) + " 9\n" +
                            Utf16ToUtf8(kKa) + " 3\n");

  folder.Write("cut.bin", {'L', 'K', 'W', 'F', 1});
  const ToolRun cut = Words("frequent " + Quoted(folder / "cut.bin") + " " + Utf16ToUtf8(kKa));
  EXPECT_EQ(cut.status, 1);
  EXPECT_NE(cut.output.find("Damaged word frequency table"), std::string::npos) << cut.output;
}

}  // namespace
}  // namespace lekhora
