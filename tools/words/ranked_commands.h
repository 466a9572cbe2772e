#pragma once
// lekhora-words candidates and learn: the input method's ranked candidates
// for a prefix, and its learning from text written earlier, through the
// input method's own session and history.

#include <string_view>
#include <vector>

namespace lekhora {

/// lekhora-words candidates [--layout NAME] [--history FILE|--no-history]
/// [--count N] PREFIX...; the exit status.
int CandidatesCommand(const std::vector<std::string_view>& args);

/// lekhora-words learn --history FILE, with the text on standard input; the
/// exit status.
int LearnCommand(const std::vector<std::string_view>& args);

}  // namespace lekhora
