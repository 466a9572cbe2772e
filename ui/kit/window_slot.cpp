#include "ui/kit/window_slot.h"

#include <QCoreApplication>
#include <algorithm>
#include <vector>

namespace lekhora {
namespace {

std::vector<WindowSlotBase*>& Slots() {
  static std::vector<WindowSlotBase*> registered;
  return registered;
}

}  // namespace

WindowSlotBase::WindowSlotBase() {
  Slots().push_back(this);
}

WindowSlotBase::~WindowSlotBase() {
  auto& registered = Slots();
  registered.erase(std::remove(registered.begin(), registered.end(), this), registered.end());
}

bool AnyWindowLoaded() {
  return std::any_of(Slots().begin(), Slots().end(),
                     [](const WindowSlotBase* slot) { return slot->IsLoaded(); });
}

void QuitWhenNoWindowLoaded() {
  if (!AnyWindowLoaded()) QCoreApplication::quit();
}

void UnloadAllWindows() {
  // Later windows may be owned by earlier ones; each unload re-reads the list.
  for (std::size_t i = 0; i < Slots().size(); ++i) Slots()[i]->Unload();
}

}  // namespace lekhora
