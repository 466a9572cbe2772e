#pragma once
// The input contexts one input method serves, each with a session of its own,
// and what becomes of a word being typed when its context loses the focus.
// Applications differ there: some commit the preedit they show themselves at
// every focus change (the front-end can ask the framework to have that done),
// others commit it only at some changes and drop it at others. A word must
// never go to another context, so a context of the second kind keeps its word
// as its preedit until it has the focus again.

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ime/input_session.h"
#include "ime/session_actions.h"

namespace lekhora {

class InputContexts {
 public:
  /// The words kept for contexts away from the focus. One store can serve
  /// several InputContexts: a word typed with one input method comes back
  /// when its context has the focus again with any of them (the framework
  /// may make a new input method object at each switch).
  struct Kept {
    std::map<std::string, std::unique_ptr<InputSession>> sessions;
    // Ids in the order their words were kept, oldest first.
    std::vector<std::string> order;
  };
  using Factory = std::function<std::unique_ptr<InputSession>()>;
  /// make gives a new context's session; it is called at once for the
  /// session used before any context has the focus.
  InputContexts(Factory make, std::shared_ptr<Kept> kept);

  /// Context id gets the focus. keepsWord: the application leaves the
  /// preedit to the input method at focus changes, so its word is kept here.
  /// Returns what to show in that context: its kept word, or nothing.
  SessionActions FocusIn(const std::string& id, bool keepsWord);
  /// Context id loses the focus: its word is kept for its return, or
  /// forgotten where the application has committed it.
  SessionActions FocusOut(const std::string& id);

  /// The session of the context that has the focus.
  InputSession& Current() { return *current_; }
  const std::string& CurrentId() const { return currentId_; }
  /// Every session, the kept ones too (for settings that apply to all).
  void ForEach(const std::function<void(InputSession&)>& f);
  std::size_t KeptCount() const { return kept_->sessions.size(); }

  /// How many words are kept at most; past that the oldest is dropped.
  static constexpr std::size_t kMaxKept = 64;

 private:
  void Leave();

  Factory make_;
  std::unique_ptr<InputSession> current_;
  std::string currentId_;
  bool focused_ = false;
  bool keepsWord_ = false;
  std::shared_ptr<Kept> kept_;
};

}  // namespace lekhora
