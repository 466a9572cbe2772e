#pragma once
// The history file: an SQLite database that the pad and every input-method
// process write at once. Each write is one short transaction that adds to the
// counts rather than replacing them, so no process's commits are lost; WAL
// mode lets readers go on while one writes and keeps the file whole when a
// process is killed at any moment.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "userdata/history_snapshot.h"

struct sqlite3;
struct sqlite3_stmt;

namespace lekhora {

/// A failed SQLite call, with its result code.
class HistoryFileError : public std::runtime_error {
 public:
  HistoryFileError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
  int Code() const { return code_; }
  /// Another process holds the file for longer than the busy timeout: the
  /// write can be tried again later.
  bool Busy() const;
  /// The file is not a sound history (corrupt, not a database, wrong schema).
  bool Damaged() const;

 private:
  int code_;
};

class HistoryDatabase {
 public:
  /// Opens an existing file (made beforehand, so that its mode is chosen
  /// here and not by SQLite), switches it to WAL, checks it and makes the
  /// tables in an empty one. Raises HistoryFileError; Damaged() when the file
  /// is no history of this program's.
  explicit HistoryDatabase(const std::filesystem::path& file);
  ~HistoryDatabase();
  HistoryDatabase(const HistoryDatabase&) = delete;
  HistoryDatabase& operator=(const HistoryDatabase&) = delete;

  /// True when the file can only be read (its mode, a read-only mount).
  bool ReadOnly() const;

  /// Changes when another connection committed since the last call.
  std::int64_t DataVersion();
  /// Reads every row, in one read transaction (or the write transaction
  /// begun), into snapshot (which the caller emptied). Rows whose text is no word are skipped.
  void LoadInto(HistorySnapshot& snapshot);

  /// A write transaction; it waits (up to the busy timeout) for other writers.
  void Begin();
  void Commit();
  /// Never raises: it is called while unwinding.
  void Rollback() noexcept;

  void AddWord(std::u16string_view word, std::int64_t count, std::int64_t when);
  void AddPair(std::u16string_view previous, std::u16string_view word, std::int64_t count,
               std::int64_t when);
  void RemoveWord(std::u16string_view word);
  void RemovePair(std::u16string_view previous, std::u16string_view word);
  /// The word and every pair it is part of.
  void Forget(std::u16string_view word);
  void RemoveAll();

 private:
  struct Statement;
  void Execute(const char* sql);
  void SwitchToWriteAheadLog();
  Statement& Prepared(std::unique_ptr<Statement>& slot, const char* sql);

  sqlite3* db_ = nullptr;
  std::unique_ptr<Statement> addWord_, addPair_, removeWord_, removePair_, forgetPairs_,
      dataVersion_;
};

/// The history as a program opens it: the database, or nothing when the
/// store must keep to memory, and what the user should hear.
struct OpenedHistory {
  std::unique_ptr<HistoryDatabase> Database;
  /// The file's identity when opened, to tell when it is replaced.
  std::uintmax_t Device = 0;
  std::uintmax_t Inode = 0;
  std::vector<std::string> Notes;
  /// Rows of a file that can only be read, for this session's memory.
  HistorySnapshot ReadOnlyRows;
};

/// Makes the folder (0700) and the file (0600) when missing and opens it. A
/// damaged file is set aside as the user's other files are
/// ("<name>.damaged-<date>-<time>", with its write-ahead log beside it) and a
/// new one made. A file that is a link out of its folder, not a regular file,
/// read-only, or in a folder that cannot be written gives no database.
OpenedHistory OpenHistoryFile(const std::filesystem::path& file,
                              std::chrono::system_clock::time_point now);

}  // namespace lekhora
