#include "userdata/history_database.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <system_error>
#include <thread>
#include <utility>

#include "base/files.h"
#include "text/utf8.h"
#include "userdata/user_file.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#else
#include <fstream>
#endif

namespace lekhora {
namespace {

// Marks the file as this program's history ("LkHi"), so that another
// program's database under the same name is set aside rather than written.
constexpr int kApplicationId = 0x4C6B4869;
constexpr int kSchemaVersion = 1;
// Long enough for another process's write (a few milliseconds), short enough
// that an idle flush never holds up the next key noticeably; a write that
// times out stays queued for the next flush.
constexpr int kBusyTimeoutMs = 200;
// A result code of this program's for a database of another layout.
constexpr int kWrongSchema = -1;

constexpr const char* kSchema =
    "CREATE TABLE words(word TEXT PRIMARY KEY NOT NULL, count INTEGER NOT NULL,"
    " last_used INTEGER NOT NULL) WITHOUT ROWID;"
    "CREATE TABLE pairs(previous TEXT NOT NULL, word TEXT NOT NULL, count INTEGER NOT NULL,"
    " last_used INTEGER NOT NULL, PRIMARY KEY(previous, word)) WITHOUT ROWID;"
    // Forgetting a word finds the pairs it ends.
    "CREATE INDEX pairs_by_word ON pairs(word);";

std::string Name(const std::filesystem::path& path) {
  return path.filename().string();
}

void Bind(sqlite3_stmt* statement, int index, std::u16string_view text) {
  const std::string utf8 = EncodeUtf8(text);
  sqlite3_bind_text(statement, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

// The column's text as a word; empty when it is none (bad UTF-8, too long).
std::u16string ColumnWord(sqlite3_stmt* statement, int column) {
  const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
  if (bytes == nullptr) return {};
  Utf8Result decoded = DecodeUtf8(
      std::string_view(bytes, static_cast<std::size_t>(sqlite3_column_bytes(statement, column))));
  if (decoded.badOffset || !IsHistoryWord(decoded.text)) return {};
  return std::move(decoded.text);
}

}  // namespace

bool HistoryFileError::Busy() const {
  return (code_ & 0xFF) == SQLITE_BUSY || (code_ & 0xFF) == SQLITE_LOCKED;
}

bool HistoryFileError::Damaged() const {
  return code_ == kWrongSchema || (code_ & 0xFF) == SQLITE_CORRUPT ||
         (code_ & 0xFF) == SQLITE_NOTADB;
}

struct HistoryDatabase::Statement {
  sqlite3* Db = nullptr;
  sqlite3_stmt* Handle = nullptr;
  ~Statement() { sqlite3_finalize(Handle); }

  // One step that yields no row (a write) or one row; the statement is ready
  // for its next use afterwards.
  bool Step() {
    const int result = sqlite3_step(Handle);
    if (result != SQLITE_ROW && result != SQLITE_DONE) {
      const int code = sqlite3_extended_errcode(Db);
      sqlite3_reset(Handle);
      throw HistoryFileError(code, sqlite3_errmsg(Db));
    }
    return result == SQLITE_ROW;
  }
  void Done() {
    sqlite3_reset(Handle);
    sqlite3_clear_bindings(Handle);
  }
};

HistoryDatabase::HistoryDatabase(const std::filesystem::path& file) {
  const int opened = sqlite3_open_v2(file.string().c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
  if (opened != SQLITE_OK) {
    const std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    db_ = nullptr;
    throw HistoryFileError(opened, message);
  }
  try {
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    if (ReadOnly()) return;
    // WAL: readers go on while one process writes, and a killed writer leaves
    // at most an unfinished transaction that the next opener drops.
    // synchronous=NORMAL syncs at checkpoints only: a power cut may lose the
    // last commits, never the file's soundness.
    SwitchToWriteAheadLog();
    Execute("PRAGMA synchronous=NORMAL");
    Statement check{db_};
    if (sqlite3_prepare_v2(db_, "PRAGMA quick_check", -1, &check.Handle, nullptr) != SQLITE_OK)
      throw HistoryFileError(sqlite3_extended_errcode(db_), sqlite3_errmsg(db_));
    const auto* verdict =
        check.Step() ? reinterpret_cast<const char*>(sqlite3_column_text(check.Handle, 0)) : "";
    if (verdict == nullptr || std::string_view(verdict) != "ok")
      throw HistoryFileError(SQLITE_CORRUPT, "failing its check");
    check.Done();

    Begin();
    Statement layout{db_};
    sqlite3_prepare_v2(db_,
                       "SELECT (SELECT application_id FROM pragma_application_id),"
                       " (SELECT user_version FROM pragma_user_version),"
                       " (SELECT count(*) FROM sqlite_master)",
                       -1, &layout.Handle, nullptr);
    if (layout.Handle == nullptr || !layout.Step())
      throw HistoryFileError(sqlite3_extended_errcode(db_), sqlite3_errmsg(db_));
    const int application = sqlite3_column_int(layout.Handle, 0);
    const int version = sqlite3_column_int(layout.Handle, 1);
    const int tables = sqlite3_column_int(layout.Handle, 2);
    layout.Done();
    if (application == 0 && version == 0 && tables == 0) {
      Execute(kSchema);
      Execute(("PRAGMA application_id=" + std::to_string(kApplicationId)).c_str());
      Execute(("PRAGMA user_version=" + std::to_string(kSchemaVersion)).c_str());
    } else if (application != kApplicationId || version != kSchemaVersion) {
      throw HistoryFileError(kWrongSchema, "not a Lekhora history");
    }
    Commit();
    // The statements are prepared now, so that a file whose tables lack a
    // column is found at once rather than at the first write.
    for (const char* probe : {"SELECT word, count, last_used FROM words LIMIT 0",
                              "SELECT previous, word, count, last_used FROM pairs LIMIT 0"}) {
      Statement statement{db_};
      if (sqlite3_prepare_v2(db_, probe, -1, &statement.Handle, nullptr) != SQLITE_OK)
        throw HistoryFileError(kWrongSchema, "not a Lekhora history");
    }
  } catch (...) {
    Rollback();
    sqlite3_close_v2(db_);
    db_ = nullptr;
    throw;
  }
}

HistoryDatabase::~HistoryDatabase() {
  addWord_.reset();
  addPair_.reset();
  removeWord_.reset();
  removePair_.reset();
  forgetPairs_.reset();
  dataVersion_.reset();
  sqlite3_close_v2(db_);
}

void HistoryDatabase::SwitchToWriteAheadLog() {
  // A new file is switched by whichever process opens it first. The switch
  // needs the file to itself, and SQLite refuses it at once, without waiting,
  // while another process is switching or writing it (two front ends started
  // together on a new file), so the wait is done here.
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTimeoutMs);
  for (;;) {
    try {
      Execute("PRAGMA journal_mode=WAL");
      return;
    } catch (const HistoryFileError& error) {
      if (!error.Busy() || std::chrono::steady_clock::now() >= giveUp) throw;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

bool HistoryDatabase::ReadOnly() const {
  return sqlite3_db_readonly(db_, "main") == 1;
}

void HistoryDatabase::Execute(const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
    const std::string text = message != nullptr ? message : sqlite3_errmsg(db_);
    sqlite3_free(message);
    throw HistoryFileError(sqlite3_extended_errcode(db_), text);
  }
}

HistoryDatabase::Statement& HistoryDatabase::Prepared(std::unique_ptr<Statement>& slot,
                                                      const char* sql) {
  if (!slot) {
    auto statement = std::make_unique<Statement>();
    statement->Db = db_;
    if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement->Handle, nullptr) !=
        SQLITE_OK)
      throw HistoryFileError(sqlite3_extended_errcode(db_), sqlite3_errmsg(db_));
    slot = std::move(statement);
  }
  return *slot;
}

std::int64_t HistoryDatabase::DataVersion() {
  Statement& statement = Prepared(dataVersion_, "PRAGMA data_version");
  statement.Step();
  const std::int64_t version = sqlite3_column_int64(statement.Handle, 0);
  statement.Done();
  return version;
}

void HistoryDatabase::LoadInto(HistorySnapshot& snapshot) {
  // Inside a write transaction the reads are already of one version.
  const bool own = sqlite3_get_autocommit(db_) != 0;
  if (own) Execute("BEGIN");
  try {
    Statement words{db_};
    Statement pairs{db_};
    if (sqlite3_prepare_v2(db_, "SELECT word, count, last_used FROM words", -1, &words.Handle,
                           nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db_, "SELECT previous, word, count, last_used FROM pairs", -1,
                           &pairs.Handle, nullptr) != SQLITE_OK)
      throw HistoryFileError(sqlite3_extended_errcode(db_), sqlite3_errmsg(db_));
    while (words.Step()) {
      const std::u16string word = ColumnWord(words.Handle, 0);
      const std::int64_t count = sqlite3_column_int64(words.Handle, 1);
      if (!word.empty() && count > 0)
        snapshot.AddWord(word, count, sqlite3_column_int64(words.Handle, 2));
    }
    while (pairs.Step()) {
      const std::u16string previous = ColumnWord(pairs.Handle, 0);
      const std::u16string word = ColumnWord(pairs.Handle, 1);
      const std::int64_t count = sqlite3_column_int64(pairs.Handle, 2);
      if (!previous.empty() && !word.empty() && count > 0)
        snapshot.AddPair(previous, word, count, sqlite3_column_int64(pairs.Handle, 3));
    }
  } catch (...) {
    if (own) Rollback();
    throw;
  }
  if (own) Execute("COMMIT");
}

void HistoryDatabase::Begin() {
  // IMMEDIATE takes the write lock at once, so that the data version read
  // inside is the one the writes apply to.
  Execute("BEGIN IMMEDIATE");
}

void HistoryDatabase::Commit() {
  Execute("COMMIT");
}

void HistoryDatabase::Rollback() noexcept {
  if (db_ != nullptr && sqlite3_get_autocommit(db_) == 0)
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void HistoryDatabase::AddWord(std::u16string_view word, std::int64_t count, std::int64_t when) {
  Statement& statement = Prepared(
      addWord_,
      "INSERT INTO words(word, count, last_used) VALUES(?1, ?2, ?3) ON CONFLICT(word) DO UPDATE"
      " SET count = count + excluded.count, last_used = max(last_used, excluded.last_used)");
  Bind(statement.Handle, 1, word);
  sqlite3_bind_int64(statement.Handle, 2, count);
  sqlite3_bind_int64(statement.Handle, 3, when);
  statement.Step();
  statement.Done();
}

void HistoryDatabase::AddPair(std::u16string_view previous, std::u16string_view word,
                              std::int64_t count, std::int64_t when) {
  Statement& statement =
      Prepared(addPair_,
               "INSERT INTO pairs(previous, word, count, last_used) VALUES(?1, ?2, ?3, ?4)"
               " ON CONFLICT(previous, word) DO UPDATE SET count = count + excluded.count,"
               " last_used = max(last_used, excluded.last_used)");
  Bind(statement.Handle, 1, previous);
  Bind(statement.Handle, 2, word);
  sqlite3_bind_int64(statement.Handle, 3, count);
  sqlite3_bind_int64(statement.Handle, 4, when);
  statement.Step();
  statement.Done();
}

void HistoryDatabase::RemoveWord(std::u16string_view word) {
  Statement& statement = Prepared(removeWord_, "DELETE FROM words WHERE word = ?1");
  Bind(statement.Handle, 1, word);
  statement.Step();
  statement.Done();
}

void HistoryDatabase::RemovePair(std::u16string_view previous, std::u16string_view word) {
  Statement& statement =
      Prepared(removePair_, "DELETE FROM pairs WHERE previous = ?1 AND word = ?2");
  Bind(statement.Handle, 1, previous);
  Bind(statement.Handle, 2, word);
  statement.Step();
  statement.Done();
}

void HistoryDatabase::Forget(std::u16string_view word) {
  RemoveWord(word);
  Statement& statement =
      Prepared(forgetPairs_, "DELETE FROM pairs WHERE previous = ?1 OR word = ?1");
  Bind(statement.Handle, 1, word);
  statement.Step();
  statement.Done();
}

void HistoryDatabase::RemoveAll() {
  Execute("DELETE FROM words; DELETE FROM pairs");
}

namespace {

enum class Made { Exists, Made, Failed };

// The file is made here with the owner's permissions alone; SQLite would
// follow the umask, and its write-ahead log and index take the file's mode.
Made MakePrivateFile(const std::filesystem::path& file) {
#ifndef _WIN32
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return errno == EEXIST ? Made::Exists : Made::Failed;
  ::close(fd);
  return Made::Made;
#else
  if (FileExists(file)) return Made::Exists;
  std::ofstream out(file, std::ios::binary);
  return out ? Made::Made : Made::Failed;
#endif
}

// The damaged file and its write-ahead log go aside together, so that a
// new file never replays the old one's log; the log's index is rebuilt
// from the log and can go.
std::optional<std::filesystem::path> SetHistoryAside(const std::filesystem::path& file,
                                                     std::chrono::system_clock::time_point now) {
  const std::optional<std::filesystem::path> aside = SetDamagedFileAside(file, now);
  if (!aside) return std::nullopt;
  std::error_code ec;
  std::filesystem::path log = file;
  log += "-wal";
  if (std::filesystem::exists(log, ec)) {
    std::filesystem::path logAside = *aside;
    logAside += "-wal";
    std::filesystem::rename(log, logAside, ec);
    if (ec) std::filesystem::remove(log, ec);
  }
  std::filesystem::path index = file;
  index += "-shm";
  std::filesystem::remove(index, ec);
  return aside;
}

constexpr const char* kMemoryOnly = "; words are learned for this session only";

}  // namespace

OpenedHistory OpenHistoryFile(const std::filesystem::path& file,
                              std::chrono::system_clock::time_point now) {
  OpenedHistory opened;
  const std::string name = Name(file);
  if (!CreatePrivateFolders(file.parent_path())) {
    opened.Notes.push_back("The folder of " + name + " cannot be made" + kMemoryOnly);
    return opened;
  }
  // One damaged file is set aside; a second one in a row means something
  // else is wrong, and the store keeps to memory.
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (LinkLeadsOutside(file, file.parent_path())) {
      opened.Notes.push_back(name + " is a link to a file outside its folder; it is left as it is" +
                             kMemoryOnly);
      return opened;
    }
    const Made made = MakePrivateFile(file);
    std::error_code ec;
    if (made == Made::Failed || !std::filesystem::is_regular_file(file, ec)) {
      opened.Notes.push_back(name + (made == Made::Failed ? " cannot be made" : " is not a file") +
                             kMemoryOnly);
      return opened;
    }
    try {
      auto database = std::make_unique<HistoryDatabase>(file);
      if (database->ReadOnly()) {
        try {
          database->LoadInto(opened.ReadOnlyRows);
        } catch (const HistoryFileError&) {
        }
        opened.Notes.push_back(name + " cannot be written" + kMemoryOnly);
        return opened;
      }
      struct stat status {};
      if (::stat(file.string().c_str(), &status) == 0) {
        opened.Device = static_cast<std::uintmax_t>(status.st_dev);
        opened.Inode = static_cast<std::uintmax_t>(status.st_ino);
      }
      opened.Database = std::move(database);
      return opened;
    } catch (const HistoryFileError& error) {
      if (!error.Damaged() || attempt > 0) {
        opened.Notes.push_back(name + " cannot be used (" + error.what() + ")" + kMemoryOnly);
        return opened;
      }
      const auto aside = SetHistoryAside(file, now);
      if (!aside) {
        opened.Notes.push_back(name + " is damaged (" + error.what() + "); it is left as it is" +
                               kMemoryOnly);
        return opened;
      }
      opened.Notes.push_back(name + " was damaged (" + error.what() + "); it is kept as " +
                             Name(*aside) + " and a new history is started");
    }
  }
  return opened;
}

}  // namespace lekhora
