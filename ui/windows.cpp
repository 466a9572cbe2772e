#include "ui/windows.h"

#include <QCoreApplication>
#include <algorithm>
#include <exception>
#include <vector>

#include "ui/frm_about.h"
#include "ui/frm_help_type.h"
#include "ui/frm_tray.h"
#include "ui/frm_type.h"
#include "ui/frm_words.h"

namespace lekhora {
namespace {

std::vector<WindowSlotBase*>& Slots() {
  static std::vector<WindowSlotBase*> registered;
  return registered;
}

template <class Step>
void RunStep(Step&& step) {
  try {
    step();
  } catch (const std::exception&) {
    // An exit step that fails must not keep the others from running.
  }
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

WindowSlot<FrmType>& TypeWindowSlot() {
  static WindowSlot<FrmType> slot;
  return slot;
}

FrmType& TypeWindow() {
  return TypeWindowSlot().Get();
}

WindowSlot<FrmWords>& WordsWindowSlot() {
  static WindowSlot<FrmWords> slot;
  return slot;
}

WindowSlot<FrmTray>& TrayWindowSlot() {
  static WindowSlot<FrmTray> slot;
  return slot;
}

FrmTray& TrayWindow() {
  return TrayWindowSlot().Get();
}

ChromeWindowHooks DefaultChromeWindows() {
  return ChromeWindowHooks{
      .ShowAbout = [] { ShowAboutWindow(); },
      .UnloadAbout = [] { UnloadAboutWindow(); },
      .ShowHelpType = [](QWidget* owner) { ShowHelpWindow(owner); },
      .UnloadHelpType = [] { UnloadHelpWindow(); },
  };
}

ChromeWindowHooks& ChromeWindows() {
  static ChromeWindowHooks hooks = DefaultChromeWindows();
  return hooks;
}

void RunExitSequence() {
  RunStep([] { TypeWindowSlot().Unload(); });
  RunStep([] {
    if (ChromeWindows().UnloadAbout) ChromeWindows().UnloadAbout();
  });
  RunStep([] {
    if (ChromeWindows().UnloadHelpType) ChromeWindows().UnloadHelpType();
  });
  RunStep([] { WordsWindowSlot().Unload(); });
  RunStep([] { TrayWindowSlot().Unload(); });
  QuitWhenNoWindowLoaded();
}

}  // namespace lekhora
