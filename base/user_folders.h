#pragma once
// The user's folders as the XDG base-directory rules name them, found the
// same way by every program of Lekhora (the pad, the input method), so that
// each finds the files the other writes.

#include <filesystem>

namespace lekhora {

enum class UserFolderKind {
  /// $XDG_DATA_HOME, else ~/.local/share: the user's words and the text.
  Data,
  /// $XDG_CONFIG_HOME, else ~/.config: the settings.
  Config,
};

/// Lekhora's folder below the user's folder of that kind. A relative or empty
/// XDG value is ignored, as the rules ask (it would name a different place
/// from every working folder); without a usable $HOME the account's home
/// folder is used. Empty when no home folder can be told.
std::filesystem::path LekhoraUserFolder(UserFolderKind kind);

}  // namespace lekhora
