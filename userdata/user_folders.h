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
/// folder is used. On Windows both kinds are %LOCALAPPDATA%\\lekhora. Empty
/// when no such folder can be told.
std::filesystem::path LekhoraUserFolder(UserFolderKind kind);

/// Where the pad keeps what belongs to the user: the word list and the typed
/// text in the data folder, the settings in the configuration folder. The
/// program's own folder is never written.
struct UserFolders {
  std::filesystem::path Data;
  std::filesystem::path Config;
};

/// Both of LekhoraUserFolder's folders, as the environment names them now.
UserFolders DefaultUserFolders();

/// The user's word list (in the data folder); empty when no folder can be
/// told.
std::filesystem::path UserWordsFile();

}  // namespace lekhora
