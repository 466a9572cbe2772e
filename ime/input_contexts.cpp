#include "ime/input_contexts.h"

#include <algorithm>
#include <utility>

namespace lekhora {

InputContexts::InputContexts(Factory make, std::shared_ptr<Kept> kept)
    : make_(std::move(make)), current_(make_()), kept_(std::move(kept)) {}

void InputContexts::Leave() {
  if (!focused_) return;
  focused_ = false;
  if (keepsWord_ && !current_->Preedit().empty()) {
    auto& order = kept_->order;
    if (kept_->sessions.size() >= kMaxKept) {
      kept_->sessions.erase(order.front());
      order.erase(order.begin());
    }
    order.erase(std::remove(order.begin(), order.end(), currentId_), order.end());
    order.push_back(currentId_);
    kept_->sessions[currentId_] = std::move(current_);
  } else {
    current_->FocusOut();
  }
  if (!current_) current_ = make_();
}

SessionActions InputContexts::FocusIn(const std::string& id, bool keepsWord) {
  // A focus change the framework did not report as such.
  if (focused_ && id != currentId_) Leave();
  if (!focused_) {
    const auto found = kept_->sessions.find(id);
    if (found != kept_->sessions.end()) {
      current_ = std::move(found->second);
      kept_->sessions.erase(found);
      auto& order = kept_->order;
      order.erase(std::remove(order.begin(), order.end(), id), order.end());
    } else if (!current_->Preedit().empty()) {
      current_ = make_();
    }
  }
  currentId_ = id;
  focused_ = true;
  keepsWord_ = keepsWord;
  return current_->Shown();
}

SessionActions InputContexts::FocusOut(const std::string& id) {
  if (focused_ && id == currentId_) Leave();
  return current_->Shown();
}

void InputContexts::ForEach(const std::function<void(InputSession&)>& f) {
  f(*current_);
  for (auto& [id, session] : kept_->sessions) f(*session);
}

}  // namespace lekhora
