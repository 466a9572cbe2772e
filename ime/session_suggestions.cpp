#include "ime/session_suggestions.h"

namespace lekhora {

SessionSuggestions::SessionSuggestions(const TypingState& state, const SharedWords& words)
    : state_(state), words_(words) {
  // The words the user keeps come before the bundled ones.
  model_.AddSource(words.User, 1);
  model_.AddSource(words.Bundled, 0);
}

}  // namespace lekhora
