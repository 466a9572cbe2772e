#pragma once
// The words this user commits, learned by the pad and by every input-method
// process into one file in the user's data folder, for the ranking to read.
//
// Reads come from memory only (Snapshot()), so a key's cost does not grow
// with the file or wait on another process. Record() changes the memory at
// once and queues the write; the front end calls Flush() when it is idle and
// Refresh() to take in what other processes wrote. When the file cannot be
// used the store keeps working in memory and says so once (TakeNotes()).
// Learning switched off is the caller's: nothing is written unless Record(),
// Forget() or Clear() is called.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "userdata/history_database.h"
#include "userdata/history_snapshot.h"

namespace lekhora {

inline constexpr const char* kHistoryFile = "history.sqlite";

/// The history file in the user's data folder; empty when no folder can be
/// told.
std::filesystem::path DefaultHistoryFile();

struct WordHistoryOptions {
  /// Words and pairs together; past it the oldest and rarest are aged out.
  std::size_t MostRows = 50000;
  /// The time of each commit; the system clock when empty.
  std::function<std::chrono::system_clock::time_point()> Now;
  /// Reads the file on a thread of its own, so that a long history does not
  /// hold up the first key: until FinishOpening() takes it in, the snapshot
  /// holds only what was recorded since, and every change is queued for it.
  bool OpenInBackground = false;
  /// Called on that thread before the file is read. Whoever needs keys
  /// typed while the read is under way, as the learning tests do, holds the
  /// read here rather than racing it.
  std::function<void()> BeforeRead;
  /// Called on that thread once the file is read, for the owner to call
  /// FinishOpening() on its own thread.
  std::function<void()> Opened;
};

enum class FlushResult {
  /// The queue is in the file.
  Written,
  /// Nothing was queued.
  Nothing,
  /// Another process held the file too long; the queue is kept for the next
  /// flush.
  Busy,
  /// The store keeps to memory; the queue was dropped.
  MemoryOnly,
};

class WordHistory {
 public:
  /// Opens (or starts) the history at file; an empty path keeps to memory.
  explicit WordHistory(std::filesystem::path file, WordHistoryOptions options = {});
  /// Flushes what is queued, waiting a little longer for a busy file.
  ~WordHistory();
  WordHistory(const WordHistory&) = delete;
  WordHistory& operator=(const WordHistory&) = delete;

  /// The learned words as of the last Record, Flush or Refresh.
  const HistorySnapshot& Snapshot() const { return snapshot_; }

  /// Learns that word was committed after previous (empty at the start of a
  /// text, or when the word before is not to be paired). False, and nothing
  /// learned, when word is no word (IsHistoryWord); a previous word that is
  /// none only leaves the pair out.
  bool Record(std::u16string_view previous, std::u16string_view word);
  /// Writes the queue in one transaction and ages out what is over the bound.
  FlushResult Flush();
  /// Re-reads the file when another process changed or replaced it; a
  /// statement and a stat() when nothing changed. True when re-read.
  bool Refresh();

  /// Removes the word and every pair it is part of, here and in the file.
  void Forget(std::u16string_view word);
  /// Removes everything, here and in the file.
  void Clear();

  /// The file is still being read (OpenInBackground).
  bool Opening() const { return opener_.joinable(); }
  /// Takes in the file read in the background, with what was recorded,
  /// forgotten or cleared meanwhile applied to it; with wait, waits for the
  /// read. True when taken in now.
  bool FinishOpening(bool wait = false);

  bool HasPending() const;
  bool InMemoryOnly() const { return database_ == nullptr && !Opening(); }
  const std::filesystem::path& File() const { return file_; }

  /// Counts the changes after which what a reader took from the snapshot may
  /// no longer hold (words removed or the rows read again); between two, the
  /// snapshot only gains the uses of Recorded(), oldest first.
  std::uint64_t Generation() const { return generation_; }
  const std::vector<std::u16string>& Recorded() const { return recorded_; }

  /// What the user should hear since the last call: a file set aside, the
  /// store keeping to memory.
  std::vector<std::string> TakeNotes();

 private:
  struct Pending {
    bool Clear = false;
    std::vector<std::u16string> Forgotten;
    HistorySnapshot Added;
  };

  // The file as read, before the memory takes it in.
  struct Read {
    OpenedHistory Opened;
    HistorySnapshot Rows;
    std::int64_t Version = 0;
    std::string Error;
  };
  static Read ReadFile(const std::filesystem::path& file,
                       std::chrono::system_clock::time_point now);
  void Adopt(Read read);

  std::int64_t NowSeconds() const;
  void Open();
  void Reload();
  void ApplyPending(HistorySnapshot& snapshot) const;
  void WritePending();
  void KeepToMemory(const std::string& why);
  void Changed();

  // Past so many words recorded a new generation starts, so that the log
  // stays short.
  static constexpr std::size_t kMostRecorded = 1024;

  std::filesystem::path file_;
  WordHistoryOptions options_;
  std::unique_ptr<HistoryDatabase> database_;
  std::uintmax_t device_ = 0;
  std::uintmax_t inode_ = 0;
  std::int64_t version_ = 0;
  HistorySnapshot snapshot_;
  Pending pending_;
  std::vector<std::string> notes_;
  std::uint64_t generation_ = 0;
  std::vector<std::u16string> recorded_;
  std::future<Read> read_;
  std::thread opener_;
};

}  // namespace lekhora
