#include "ime/front_end.h"

#include <cstdio>

#include "base/program_folder.h"
#include "userdata/user_folders.h"
#include "userdata/word_history.h"

namespace lekhora {

FrontEnd::FrontEnd(std::filesystem::path dataFolder, std::string name, Post post)
    : folder_(dataFolder.empty() ? ProgramFolder() : std::move(dataFolder)),
      name_(std::move(name)),
      post_(std::move(post)),
      alive_(std::make_shared<FrontEnd*>(this)) {}

FrontEnd::~FrontEnd() {
  *alive_ = nullptr;
}

void FrontEnd::Note(const std::string& text) const {
  std::fprintf(stderr, "%s: %s\n", name_.c_str(), text.c_str());
}

WordsSource& FrontEnd::Source() {
  // The bundled list, and the user's words from where the pad keeps them,
  // read again at a focus after the pad has changed them.
  if (!source_) source_.emplace(folder_, UserWordsFile());
  return *source_;
}

WordRanking& FrontEnd::Ranks() {
  // A long history takes a while to read, so it is read on a thread of its
  // own and taken in on the main loop; until then the frequencies alone rank.
  if (!ranking_) {
    WordHistoryOptions options;
    options.OpenInBackground = true;
    std::weak_ptr<FrontEnd*> alive = alive_;
    Post post = post_;
    options.Opened = [alive, post] {
      post([alive] {
        const std::shared_ptr<FrontEnd*> self = alive.lock();
        if (!self || *self == nullptr) return;
        (*self)->Ranks().History().FinishOpening(true);
        (*self)->FlushSoon();
      });
    };
    ranking_.emplace(folder_, DefaultHistoryFile(), std::move(options));
  }
  return *ranking_;
}

LearningSwitch& FrontEnd::Learning() {
  if (!learning_) learning_.emplace(Ranks(), DefaultSettingsFile());
  return *learning_;
}

RomanWords& FrontEnd::Romanized(const std::shared_ptr<const SharedWords>& current) {
  if (!roman_) {
    roman_.emplace(folder_, Ranks());
    // Without it the letters are committed as typed; the log says why.
    if (!roman_->Loaded()) Note(roman_->Problem());
  }
  if (current && current != romanFollows_) {
    roman_->SetUserWords(AddedWords(*current));
    romanFollows_ = current;
  }
  return *roman_;
}

std::shared_ptr<const Layout> FrontEnd::Context(std::u16string_view layout,
                                                std::u16string_view script) {
  // IntelligentRoman types no layout's keys: no output script changes it.
  if (layout == kIntelligentRomanLayout) script = {};
  auto& slot = layouts_[{std::u16string(layout), std::u16string(script)}];
  if (!slot) slot = MakeLayout(layout, script);
  return slot;
}

std::unique_ptr<InputSession> FrontEnd::MakeSession(const SessionSettings& settings) {
  auto session =
      std::make_unique<InputSession>(Context(settings.layout, settings.script), Source().Current());
  session->SetSuggestionsOn(settings.suggestions);
  session->SetPlainTyping(settings.secret);
  session->SetRanking(&Ranks());
  // The session owns the source, so the pointer lives as long as it.
  session->SetRomanSource([this, asking = session.get()](std::u16string_view letters,
                                                         std::u16string_view previous, int count) {
    return Romanized(asking->Words()).Candidates(letters, previous, count);
  });
  return session;
}

void FrontEnd::CatchUp(InputSession& session, const SessionSettings& settings,
                       const std::function<void(const SessionActions&)>& apply) {
  std::shared_ptr<const SharedWords> words = Source().Current();
  if (words != session.Words()) apply(session.SetWords(std::move(words)));
  auto context = Context(settings.layout, settings.script);
  if (context && context.get() != &session.TypingLayout())
    apply(session.SetLayout(std::move(context)));
  session.SetSuggestionsOn(settings.suggestions);
  if (session.PlainTyping() != settings.secret) apply(session.SetPlainTyping(settings.secret));
}

void FrontEnd::Refresh() {
  Learning().Reload();
  Ranks().History().Refresh();
}

void FrontEnd::FlushSoon() {
  if (flushPending_ || !Ranks().History().HasPending()) return;
  flushPending_ = true;
  std::weak_ptr<FrontEnd*> alive = alive_;
  post_([alive] {
    const std::shared_ptr<FrontEnd*> self = alive.lock();
    if (!self || *self == nullptr) return;
    FrontEnd& me = **self;
    me.flushPending_ = false;
    // A busy file keeps the words for the next commit's flush.
    me.Ranks().History().Flush();
    for (const std::string& note : me.Ranks().History().TakeNotes()) me.Note(note);
  });
}

}  // namespace lekhora
