#pragma once
// Names of the files the program reads beside itself.

namespace lekhora {

/// The word list compressed in the HE3 format; read at start-up.
inline constexpr const char* kWordListFile = "hnhugeenc.txt";
/// The word list uncompressed; read only by the maintenance command.
inline constexpr const char* kPlainWordListFile = "hnhuge.txt";
/// The user's own words; the first line explains the file and is skipped.
inline constexpr const char* kCustomWordsFile = "customwords.txt";
/// How often words are used (suggest/word_frequencies.h); made by the build.
inline constexpr const char* kWordFrequencyFile = "hnfreq.bin";
/// The romanization model (roman/model.h); made by the build.
inline constexpr const char* kRomanModelFile = "hnroman.txt";
/// The help text for the default layout.
inline constexpr const char* kHelpFile = "helpVimraPhonetic.txt";

}  // namespace lekhora
