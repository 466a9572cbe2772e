#pragma once
// What every input method object of one front-end process shares, whatever
// its input framework: the words, the ranking and the history it learns
// into, the learning switch, the layouts, the words kept for contexts away
// from the focus; and how a context's session is made and kept in step with
// the settings. A front-end only turns its framework's events into session
// calls and SessionActions into its framework's calls, so the front-ends
// cannot come to behave differently.

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "engine/layout.h"
#include "ime/input_contexts.h"
#include "ime/input_session.h"
#include "ime/learning_switch.h"
#include "ime/shared_words.h"
#include "userdata/roman_words.h"
#include "userdata/word_ranking.h"

namespace lekhora {

/// What one input context's session is made with.
struct SessionSettings {
  std::u16string layout;
  /// The output script chosen; empty: the layout's own.
  std::u16string script;
  bool suggestions = true;
  /// The focused field is a password or PIN field: nothing learned or shown.
  bool secret = false;
};

class FrontEnd {
 public:
  /// Runs a task on the front-end's main loop, after the event being handled;
  /// it is called from other threads too.
  using Post = std::function<void(std::function<void()>)>;
  /// dataFolder holds the word lists (empty: the program's own folder); name
  /// begins the notes written to stderr. Nothing is read before it is needed.
  FrontEnd(std::filesystem::path dataFolder, std::string name, Post post);
  FrontEnd(const FrontEnd&) = delete;
  FrontEnd& operator=(const FrontEnd&) = delete;
  ~FrontEnd();

  /// A new session for an input context, ranking with and learning into the
  /// process's history.
  std::unique_ptr<InputSession> MakeSession(const SessionSettings& settings);
  /// Brings session to settings and to the words as they are now (the pad
  /// may have changed them); what each step shows goes to apply.
  void CatchUp(InputSession& session, const SessionSettings& settings,
               const std::function<void(const SessionActions&)>& apply);
  /// At a focus: learning may have been switched and words learned in the
  /// pad or another process.
  void Refresh();
  /// Learned words reach the history file after the event, never on the key
  /// that committed them.
  void FlushSoon();

  /// Layouts are built once per layout and script and shared read-only; null
  /// for a layout or script that does not exist.
  std::shared_ptr<const Layout> Context(std::u16string_view layout, std::u16string_view script);
  /// The words of contexts away from the focus: the framework may make a new
  /// input method object at each switch.
  const std::shared_ptr<InputContexts::Kept>& KeptWords() const { return kept_; }
  LearningSwitch& Learning();
  WordRanking& Ranks();
  const std::filesystem::path& DataFolder() const { return folder_; }

 private:
  WordsSource& Source();
  /// The words Latin letters stand for, with the words the user has added
  /// as the asking session has them.
  RomanWords& Romanized(const std::shared_ptr<const SharedWords>& current);
  void Note(const std::string& text) const;

  std::filesystem::path folder_;
  std::string name_;
  Post post_;
  // Tasks posted to the main loop do nothing once the object is gone.
  std::shared_ptr<FrontEnd*> alive_;
  std::optional<WordsSource> source_;
  std::optional<WordRanking> ranking_;
  std::optional<LearningSwitch> learning_;
  std::optional<RomanWords> roman_;
  std::shared_ptr<const SharedWords> romanFollows_;
  std::map<std::pair<std::u16string, std::u16string>, std::shared_ptr<const Layout>> layouts_;
  std::shared_ptr<InputContexts::Kept> kept_ = std::make_shared<InputContexts::Kept>();
  bool flushPending_ = false;
};

}  // namespace lekhora
