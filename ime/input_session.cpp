#include "ime/input_session.h"

#include <algorithm>
#include <utility>

#include "engine/key_replay.h"

namespace lekhora {

namespace {

// The characters the engine treats as keys of their own. Anything wider (a
// character of another keyboard) reaches the preedit as it is.
bool Types(char32_t unit) {
  return unit >= 32 && unit != 127 && unit < 0xD800;
}

bool IsScalarValue(char32_t unit) {
  return unit <= 0x10FFFF && (unit < 0xD800 || unit > 0xDFFF);
}

std::u16string Utf16(char32_t unit) {
  if (unit < 0x10000) return std::u16string(1, static_cast<char16_t>(unit));
  unit -= 0x10000;
  return {static_cast<char16_t>(0xD800 + (unit >> 10)),
          static_cast<char16_t>(0xDC00 + (unit & 0x3FF))};
}

}  // namespace

InputSession::InputSession(std::shared_ptr<const Layout> layout,
                           std::shared_ptr<const SharedWords> words)
    : words_(std::move(words)), engine_(box_, hooks_, std::move(layout)) {
  if (words_) suggestions_.emplace(engine_.State(), *words_);
  SetSuggestionsOn(true);
  UseLayoutKind();
}

void InputSession::UseLayoutKind() {
  const bool roman = engine_.TypingLayout().Name() == kIntelligentRomanLayout;
  if (roman == roman_.has_value()) return;
  if (!roman) {
    roman_.reset();
    return;
  }
  roman_.emplace(
      [this](std::u16string_view letters, std::u16string_view previous, int count) {
        return romanSource_ ? romanSource_(letters, previous, count)
                            : std::vector<std::u16string>{};
      },
      [this](std::u16string_view word, std::u16string_view previous) {
        if (ranking_ == nullptr || plain_) return;
        std::u16string before(previous);
        ranking_->Learn(word, before);
      });
  roman_->SetPrevious(previous_);
}

void InputSession::SetRomanSource(RomanComposition::CandidateSource source) {
  romanSource_ = std::move(source);
  if (roman_) roman_->Refresh();
}

void InputSession::SetRanking(WordRanking* ranking) {
  ranking_ = ranking;
  ApplyRanking();
}

void InputSession::ApplyRanking() {
  if (!suggestions_) return;
  suggestions_->SetRanking(ranking_ != nullptr ? &ranking_->Ranks() : nullptr);
  suggestions_->SetPrevious(previous_);
}

SessionActions InputSession::SetWords(std::shared_ptr<const SharedWords> words) {
  SessionActions actions = CommitAll();
  hooks_.target = nullptr;
  suggestions_.reset();
  words_ = std::move(words);
  if (words_) suggestions_.emplace(engine_.State(), *words_);
  ApplyRanking();
  SetSuggestionsOn(suggestionsWanted_);
  return actions;
}

void InputSession::SetSuggestionsOn(bool on) {
  suggestionsWanted_ = on;
  suggestionsOn_ = on && suggestions_.has_value();
  hooks_.target = suggestionsOn_ ? &*suggestions_ : nullptr;
}

SessionActions InputSession::SetLayout(std::shared_ptr<const Layout> layout) {
  SessionActions actions = CommitAll();
  engine_.SetLayout(std::move(layout));
  UseLayoutKind();
  return Show(actions);
}

void InputSession::Type(char16_t unit, KeyStroke stroke) {
  TypeKey(engine_, box_, unit, stroke);
}

std::u16string InputSession::EndWord() {
  std::u16string taken = box_.TakeText();
  // A fresh word: nothing composes with text the application now owns.
  engine_.State() = TypingState{};
  box_.Reserve(32);
  return taken;
}

void InputSession::Follow(std::u16string previous) {
  previous_ = std::move(previous);
  if (suggestions_) suggestions_->SetPrevious(previous_);
}

void InputSession::TakePreedit(SessionActions& actions) {
  const std::u16string taken = EndWord();
  actions.commit += taken;
  std::u16string previous = std::move(previous_);
  // Nothing typed in a password or PIN field is kept, not even as the word
  // the next one follows.
  if (plain_)
    previous.clear();
  else if (ranking_ != nullptr)
    ranking_->Learn(taken, previous);
  Follow(std::move(previous));
}

SessionActions InputSession::CommitAll() {
  if (roman_) return Apply(roman_->CommitNow());
  SessionActions actions;
  TakePreedit(actions);
  actions.consumed = true;
  return Show(actions);
}

SessionActions InputSession::Shown() {
  SessionActions actions;
  actions.consumed = true;
  return Show(actions);
}

SessionActions InputSession::Forget() {
  SessionActions actions;
  offerFollowers_ = false;
  // The application commits the word itself, in whatever context it then
  // has: it is neither learned nor followed.
  EndWord();
  if (roman_) roman_->Forget();
  Follow({});
  actions.consumed = true;
  return Show(actions);
}

SessionActions InputSession::SetPlainTyping(bool on) {
  SessionActions actions = CommitAll();
  plain_ = on;
  return actions;
}

SessionActions InputSession::CommitAndPass() {
  SessionActions actions = CommitAll();
  actions.consumed = false;
  return actions;
}

bool InputSession::HasCandidates() const {
  return suggestionsOn_ && !engine_.State().WordPrefix.empty() && !box_.View().empty();
}

SessionActions& InputSession::Show(SessionActions& actions) {
  if (roman_) return ShowRoman(actions);
  actions.preedit = box_.View();
  actions.caret = box_.SelStart();
  actions.candidates.clear();
  actions.highlight = -1;
  actions.pageBefore = actions.pageAfter = false;
  pageSize_ = 0;
  followers_.clear();
  if (offerFollowers_ && box_.View().empty() && suggestionsOn_ && ranking_ != nullptr &&
      !previous_.empty()) {
    followers_ = ranking_->Ranks().Rank(u"", previous_, {}, kCandidatePage);
    if (followers_.empty()) return actions;
    followerHighlight_ = std::clamp(followerHighlight_, 0, static_cast<int>(followers_.size()) - 1);
    pageStart_ = 0;
    actions.candidates = followers_;
    pageSize_ = static_cast<int>(followers_.size());
    actions.highlight = followerHighlight_;
    return actions;
  }
  if (!HasCandidates()) return actions;
  const CandidatePage& page = suggestions_->Page(kCandidatePage);
  if (page.Words.empty()) return actions;
  pageStart_ = page.First;
  actions.candidates.assign(page.Words.begin(), page.Words.end());
  pageSize_ = static_cast<int>(actions.candidates.size());
  actions.highlight = page.Highlight;
  actions.pageBefore = pageStart_ > 0;
  actions.pageAfter = pageStart_ + pageSize_ < suggestions_->Count();
  return actions;
}

SessionActions InputSession::Key(const ImeKeyEvent& event) {
  SessionActions actions;
  if (event.release || event.key == ImeKey::Modifier || plain_) return actions;
  if (roman_) return RomanKey(event);
  const bool offered = !followers_.empty();
  offerFollowers_ = false;
  followerHighlight_ = offered ? followerHighlight_ : 0;
  if (offered && FollowerKey(event, actions)) return Show(actions);
  followerHighlight_ = 0;
  if (event.ctrl || event.alt) return CommitAndPass();

  const bool composing = !box_.View().empty();
  switch (event.key) {
    case ImeKey::Character:
      break;
    case ImeKey::BackSpace:
      if (!composing) return actions;
      Type(kCharBackspace, {kVkBack, 0});
      actions.consumed = true;
      return Show(actions);
    case ImeKey::Right:
      if (event.shift && pageSize_ > 0) {
        engine_.Accept();
        TakePreedit(actions);
        actions.consumed = true;
        return Show(actions);
      }
      return CommitAndPass();
    case ImeKey::Delete:
      if (event.shift && pageSize_ > 0) return ForgetHighlighted();
      return CommitAndPass();
    case ImeKey::Up:
    case ImeKey::Down:
      if (event.shift && pageSize_ > 0) {
        if (event.key == ImeKey::Up)
          engine_.ScrollUp();
        else
          engine_.ScrollDown();
        actions.consumed = true;
        return Show(actions);
      }
      return CommitAndPass();
    default:
      return CommitAndPass();
  }

  // Not a character at all: the application decides what the key does.
  if (!IsScalarValue(event.unit)) return CommitAndPass();
  // The candidate window labels its candidates 1 to 9. The words offered
  // before a letter is typed leave the digits to type numbers.
  if (!offered && event.unit >= U'1' && event.unit <= U'9' &&
      static_cast<int>(event.unit - U'1') < pageSize_)
    return ClickCandidate(static_cast<int>(event.unit - U'1'));
  if (!Types(event.unit)) {
    box_.SetSelText(Utf16(event.unit));
    actions.consumed = true;
    return Show(actions);
  }
  const auto unit = static_cast<char16_t>(event.unit);
  KeyStroke stroke = UsKeyStroke(unit);
  // Shift+Space is the accept key; the space itself is typed all the same.
  // Only with a suggestion shown: the list's current word may be stale.
  if (unit == u' ' && event.shift && pageSize_ > 0) stroke.shift = kShiftBit;
  Type(unit, stroke);
  // The key that ends a word goes out with it, as one commit: committing the
  // word and letting the key through could reach the application in the wrong order.
  // The nukta's key is a break the layout turns into part of the letter before
  // it: the word goes on, or its candidates and what is learned of it would end there.
  const bool wordGoesOn = unit != u' ' && !engine_.State().WordPrefix.empty();
  if (IsWordBreak(static_cast<std::int16_t>(unit)) && !wordGoesOn) {
    TakePreedit(actions);
    offerFollowers_ = unit == u' ' && !plain_;
  }
  actions.consumed = true;
  return Show(actions);
}

bool InputSession::FollowerKey(const ImeKeyEvent& event, SessionActions& actions) {
  if (event.ctrl || event.alt) return false;
  const int last = static_cast<int>(followers_.size()) - 1;
  actions.consumed = true;
  const bool accept = event.shift && ((event.key == ImeKey::Character && event.unit == U' ') ||
                                      event.key == ImeKey::Right);
  if (accept) {
    CommitFollower(static_cast<std::size_t>(followerHighlight_), actions);
    return true;
  }
  if (event.shift && (event.key == ImeKey::Down || event.key == ImeKey::Up)) {
    followerHighlight_ =
        std::clamp(followerHighlight_ + (event.key == ImeKey::Down ? 1 : -1), 0, last);
    offerFollowers_ = true;
    return true;
  }
  if (event.shift && event.key == ImeKey::Delete) {
    ranking_->History().Forget(followers_[static_cast<std::size_t>(followerHighlight_)]);
    offerFollowers_ = true;
    return true;
  }
  // Escape closes the offer and goes no further; the next word is typed
  // as if nothing had been offered.
  if (event.key == ImeKey::Escape) return true;
  actions.consumed = false;
  return false;
}

void InputSession::CommitFollower(std::size_t index, SessionActions& actions) {
  const std::u16string word = followers_[index];
  actions.commit += word;
  std::u16string previous = std::move(previous_);
  ranking_->Learn(word, previous);
  Follow(std::move(previous));
}

SessionActions InputSession::ClickCandidate(int index) {
  if (index < 0 || index >= pageSize_) {
    SessionActions none;
    none.consumed = true;
    return Show(none);
  }
  if (roman_) return Apply(roman_->Pick(static_cast<std::size_t>(pageStart_ + index)));
  if (!followers_.empty()) {
    SessionActions actions;
    actions.consumed = true;
    offerFollowers_ = false;
    CommitFollower(static_cast<std::size_t>(pageStart_ + index), actions);
    return Show(actions);
  }
  engine_.Pick(pageStart_ + index);
  SessionActions actions;
  TakePreedit(actions);
  actions.consumed = true;
  return Show(actions);
}

SessionActions InputSession::ForgetHighlighted() {
  SessionActions actions;
  actions.consumed = true;
  if (ranking_ != nullptr && suggestions_) {
    ranking_->History().Forget(suggestions_->Candidate(suggestions_->Highlight()));
    // The candidates again, without the forgotten word's history.
    suggestions_->SearchList();
  }
  return Show(actions);
}

SessionActions InputSession::MoveHighlight(int steps) {
  SessionActions actions;
  actions.consumed = true;
  if (roman_) {
    roman_->MoveHighlight(steps);
  } else if (!followers_.empty()) {
    followerHighlight_ =
        std::clamp(followerHighlight_ + steps, 0, static_cast<int>(followers_.size()) - 1);
  } else if (pageSize_ > 0) {
    const int last = suggestions_->Count() - 1;
    suggestions_->SetHighlight(std::clamp(suggestions_->Highlight() + steps, 0, last));
  }
  return Show(actions);
}

SessionActions InputSession::Apply(RomanStep step) {
  SessionActions actions;
  actions.commit = std::move(step.commit);
  actions.consumed = step.consumed;
  previous_ = roman_->Previous();
  return Show(actions);
}

SessionActions InputSession::RomanKey(const ImeKeyEvent& event) {
  if (event.ctrl || event.alt) return Apply(roman_->Leave());
  const bool composing = roman_->Composing();
  switch (event.key) {
    case ImeKey::Character:
      if (event.unit < 0x10000 && Types(event.unit))
        return Apply(roman_->Type(static_cast<char16_t>(event.unit)));
      if (!composing) return Apply({{}, false});
      {
        // A character of another keyboard ends the word and follows it.
        RomanStep step = roman_->Leave();
        step.commit += Utf16(event.unit);
        step.consumed = true;
        return Apply(std::move(step));
      }
    case ImeKey::BackSpace:
      return Apply(roman_->Backspace());
    case ImeKey::Escape:
      return Apply(roman_->Escape());
    case ImeKey::Up:
    case ImeKey::Down:
    case ImeKey::PageUp:
    case ImeKey::PageDown: {
      if (!composing) return Apply(roman_->Leave());
      const int step = event.key == ImeKey::Up || event.key == ImeKey::Down ? 1 : kCandidatePage;
      const bool back = event.key == ImeKey::Up || event.key == ImeKey::PageUp;
      return MoveHighlight(back ? -step : step);
    }
    case ImeKey::Delete:
      // Shift+Delete forgets the highlighted word, as it does for table layouts.
      if (event.shift && roman_->Highlight() >= 0 && ranking_ != nullptr) {
        ranking_->History().Forget(roman_->Chosen());
        roman_->Refresh();
        return Apply({});
      }
      return Apply(roman_->Leave());
    default:
      return Apply(roman_->Leave());
  }
}

SessionActions& InputSession::ShowRoman(SessionActions& actions) {
  // The preedit is the word a break would commit, so that the text shows
  // what it will hold; the letters typed stand beside the candidates.
  actions.preedit = roman_->Composing() ? roman_->Chosen() : std::u16string();
  actions.caret = static_cast<int>(actions.preedit.size());
  actions.auxiliary = roman_->Letters();
  actions.candidates.clear();
  actions.highlight = -1;
  actions.pageBefore = actions.pageAfter = false;
  pageSize_ = 0;
  followers_.clear();
  const std::vector<std::u16string>& words = roman_->Candidates();
  if (!suggestionsWanted_ || words.empty()) return actions;
  pageStart_ = roman_->Highlight() / kCandidatePage * kCandidatePage;
  const std::size_t end =
      std::min(words.size(), static_cast<std::size_t>(pageStart_ + kCandidatePage));
  actions.candidates.assign(words.begin() + pageStart_,
                            words.begin() + static_cast<std::ptrdiff_t>(end));
  pageSize_ = static_cast<int>(actions.candidates.size());
  actions.highlight = roman_->Highlight() - pageStart_;
  actions.pageBefore = pageStart_ > 0;
  actions.pageAfter = end < words.size();
  return actions;
}

}  // namespace lekhora
