#include "userdata/word_history.h"

#include <sys/stat.h>

#include <exception>
#include <utility>

#include "userdata/history_database.h"
#include "userdata/user_folders.h"

namespace lekhora {
namespace {

// Ageing removes a twentieth more than the excess, so that a full history
// is not sorted again at every flush.
std::size_t RowsKept(std::size_t most) {
  return most - most / 20;
}

}  // namespace

std::filesystem::path DefaultHistoryFile() {
  const std::filesystem::path folder = LekhoraUserFolder(UserFolderKind::Data);
  return folder.empty() ? folder : folder / kHistoryFile;
}

WordHistory::WordHistory(std::filesystem::path file, WordHistoryOptions options)
    : file_(std::move(file)), options_(std::move(options)) {
  if (file_.empty()) return;
  if (!options_.OpenInBackground) {
    Open();
    return;
  }
  std::promise<Read> promise;
  read_ = promise.get_future();
  opener_ = std::thread([promise = std::move(promise), file = file_,
                         now = options_.Now ? options_.Now() : std::chrono::system_clock::now(),
                         before = options_.BeforeRead, opened = options_.Opened]() mutable {
    if (before) before();
    Read read;
    try {
      read = ReadFile(file, now);
    } catch (const std::exception& error) {
      read.Opened.Notes.push_back(file.filename().string() + " cannot be used (" + error.what() +
                                  "); words are learned for this session only");
    }
    promise.set_value(std::move(read));
    if (opened) opened();
  });
}

WordHistory::~WordHistory() {
  // A few more waits for a busy file at the end, as nothing flushes later.
  constexpr int kTries = 3;
  try {
    FinishOpening(true);
    for (int i = 0; i < kTries && Flush() == FlushResult::Busy; ++i) {
    }
  } catch (const std::exception&) {
  }
}

std::int64_t WordHistory::NowSeconds() const {
  const auto now = options_.Now ? options_.Now() : std::chrono::system_clock::now();
  return std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
}

WordHistory::Read WordHistory::ReadFile(const std::filesystem::path& file,
                                        std::chrono::system_clock::time_point now) {
  Read read;
  read.Opened = OpenHistoryFile(file, now);
  if (!read.Opened.Database) return read;
  try {
    read.Version = read.Opened.Database->DataVersion();
    read.Opened.Database->LoadInto(read.Rows);
  } catch (const HistoryFileError& error) {
    read.Error = error.what();
  }
  return read;
}

void WordHistory::Open() {
  Adopt(ReadFile(file_, options_.Now ? options_.Now() : std::chrono::system_clock::now()));
}

void WordHistory::Adopt(Read read) {
  Changed();
  database_.reset();
  OpenedHistory& opened = read.Opened;
  for (std::string& note : opened.Notes) notes_.push_back(std::move(note));
  if (!opened.Database) {
    // What a read-only file holds is learned from; otherwise the memory keeps
    // what this session learned before the file went.
    if (opened.ReadOnlyRows.Rows() > 0) {
      snapshot_ = std::move(opened.ReadOnlyRows);
      ApplyPending(snapshot_);
    }
    pending_ = Pending{};
    return;
  }
  database_ = std::move(opened.Database);
  device_ = opened.Device;
  inode_ = opened.Inode;
  if (!read.Error.empty()) {
    KeepToMemory(read.Error);
    return;
  }
  version_ = read.Version;
  ApplyPending(read.Rows);
  snapshot_ = std::move(read.Rows);
}

bool WordHistory::FinishOpening(bool wait) {
  if (!Opening()) return false;
  if (!wait && read_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return false;
  Read read = read_.get();
  opener_.join();
  Adopt(std::move(read));
  return true;
}

void WordHistory::Reload() {
  version_ = database_->DataVersion();
  HistorySnapshot fresh;
  database_->LoadInto(fresh);
  ApplyPending(fresh);
  Changed();
  snapshot_ = std::move(fresh);
}

void WordHistory::ApplyPending(HistorySnapshot& snapshot) const {
  if (pending_.Clear) snapshot.Clear();
  for (const std::u16string& word : pending_.Forgotten) snapshot.Forget(word);
  pending_.Added.ForEachWordBeginningWith(u"", [&](const HistoryWord& word) {
    snapshot.AddWord(word.Word, word.Entry.Count, word.Entry.LastUsed);
  });
  pending_.Added.ForEachPair([&](std::u16string_view previous, const HistoryWord& word) {
    snapshot.AddPair(previous, word.Word, word.Entry.Count, word.Entry.LastUsed);
  });
}

void WordHistory::KeepToMemory(const std::string& why) {
  database_.reset();
  notes_.push_back(file_.filename().string() + " cannot be used (" + why +
                   "); words are learned for this session only");
}

bool WordHistory::Record(std::u16string_view previous, std::u16string_view word) {
  if (!IsHistoryWord(word)) return false;
  const std::int64_t now = NowSeconds();
  // While the file is read, every change is queued for it as well.
  const bool queued = database_ || Opening();
  snapshot_.AddWord(word, 1, now);
  if (recorded_.size() == kMostRecorded) Changed();
  recorded_.emplace_back(word);
  if (queued) pending_.Added.AddWord(word, 1, now);
  if (IsHistoryWord(previous)) {
    snapshot_.AddPair(previous, word, 1, now);
    if (queued) pending_.Added.AddPair(previous, word, 1, now);
  }
  return true;
}

bool WordHistory::HasPending() const {
  return pending_.Clear || !pending_.Forgotten.empty() || pending_.Added.Rows() > 0;
}

void WordHistory::WritePending() {
  if (pending_.Clear) database_->RemoveAll();
  for (const std::u16string& word : pending_.Forgotten) database_->Forget(word);
  pending_.Added.ForEachWordBeginningWith(u"", [&](const HistoryWord& word) {
    database_->AddWord(word.Word, word.Entry.Count, word.Entry.LastUsed);
  });
  pending_.Added.ForEachPair([&](std::u16string_view previous, const HistoryWord& word) {
    database_->AddPair(previous, word.Word, word.Entry.Count, word.Entry.LastUsed);
  });
}

FlushResult WordHistory::Flush() {
  // The queue waits for the file being read, as for a busy one.
  if (Opening() && !FinishOpening()) return HasPending() ? FlushResult::Busy : FlushResult::Nothing;
  if (!database_) {
    if (!snapshot_.AgeOut(options_.MostRows, RowsKept(options_.MostRows)).empty()) Changed();
    return FlushResult::MemoryOnly;
  }
  if (!HasPending()) return FlushResult::Nothing;
  try {
    database_->Begin();
    try {
      // Inside the write lock the memory is made the file's rows plus the
      // queue, so that ageing sees every process's rows and removes the same
      // ones from both.
      if (database_->DataVersion() != version_) Reload();
      WritePending();
      const std::vector<HistoryKey> aged =
          snapshot_.AgeOut(options_.MostRows, RowsKept(options_.MostRows));
      if (!aged.empty()) Changed();
      for (const HistoryKey& key : aged) {
        if (key.Previous.empty())
          database_->RemoveWord(key.Word);
        else
          database_->RemovePair(key.Previous, key.Word);
      }
      database_->Commit();
    } catch (...) {
      database_->Rollback();
      throw;
    }
  } catch (const HistoryFileError& error) {
    if (error.Busy()) return FlushResult::Busy;
    pending_ = Pending{};
    KeepToMemory(error.what());
    return FlushResult::MemoryOnly;
  }
  pending_ = Pending{};
  return FlushResult::Written;
}

bool WordHistory::Refresh() {
  if (Opening()) return FinishOpening();
  if (!database_) return false;
  struct stat status {};
  const bool present = ::stat(file_.string().c_str(), &status) == 0;
  if (!present || static_cast<std::uintmax_t>(status.st_dev) != device_ ||
      static_cast<std::uintmax_t>(status.st_ino) != inode_) {
    // Set aside or removed by someone else: start on the file now there.
    Open();
    return true;
  }
  try {
    if (database_->DataVersion() == version_) return false;
    Reload();
  } catch (const HistoryFileError& error) {
    if (error.Busy()) return false;
    KeepToMemory(error.what());
    return false;
  }
  return true;
}

void WordHistory::Forget(std::u16string_view word) {
  snapshot_.Forget(word);
  Changed();
  if (!database_ && !Opening()) return;
  pending_.Added.Forget(word);
  pending_.Forgotten.emplace_back(word);
  Flush();
}

void WordHistory::Clear() {
  snapshot_.Clear();
  Changed();
  if (!database_ && !Opening()) return;
  pending_ = Pending{};
  pending_.Clear = true;
  Flush();
}

void WordHistory::Changed() {
  ++generation_;
  recorded_.clear();
}

std::vector<std::string> WordHistory::TakeNotes() {
  return std::exchange(notes_, {});
}

}  // namespace lekhora
