#include "sqlite_db.h"

#include "platform_files.h"

#include <sqlite3.h>

#include <cstring>

namespace boxloom::database {

namespace {

// How long a write transaction of another program is waited for.
constexpr int kBusyTimeoutMs = 3000;

std::string reasonFor(int code, sqlite3* db) {
    switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return "in use by another program";
    case SQLITE_NOTADB: return "not a SQLite database";
    case SQLITE_CORRUPT: return "damaged database";
    case SQLITE_FULL: return "disk full";
    case SQLITE_READONLY: return "read-only";
    case SQLITE_PERM:
    case SQLITE_AUTH: return "permission denied";
    case SQLITE_CANTOPEN: return "cannot be opened";
    default: return db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    }
}

} // namespace

Connection::~Connection() { close(); }

void Connection::close() {
    if (db_ != nullptr) sqlite3_close_v2(db_);
    db_ = nullptr;
}

std::string Connection::open(const std::string& path, OpenMode mode) {
    // Counting every allocation takes a global lock per row; nothing here reads the count.
    static const int configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    (void)configured;
    // One thread at a time uses a connection: no locking inside SQLite.
    // SQLite opens a folder and fails only at its first read, as a disk error.
    if (platform::isFolder(path)) return "is a folder, not a database";
    const int access =
        mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int code = sqlite3_open_v2(path.c_str(), &db_, access | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) return reasonFor(code, nullptr);
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    // 16 MiB of page cache: a season's rows go in without rereading pages.
    sqlite3_exec(db_, "PRAGMA cache_size = -16384", nullptr, nullptr, nullptr);
    return {};
}

std::string Connection::bytes() {
    sqlite3_int64 size = 0;
    unsigned char* image = sqlite3_serialize(db_, "main", &size, 0);
    if (image == nullptr) return {};
    std::string copy(reinterpret_cast<const char*>(image), static_cast<std::size_t>(size));
    sqlite3_free(image);
    return copy;
}

std::string Connection::openBytes(std::string_view bytes) {
    if (std::string reason = open(":memory:"); !reason.empty()) return reason;
    const auto size = static_cast<sqlite3_int64>(bytes.size());
    // SQLite frees the copy when the connection closes, also when it refuses it.
    auto* copy = static_cast<unsigned char*>(sqlite3_malloc64(bytes.empty() ? 1 : bytes.size()));
    if (copy == nullptr) return "out of memory";
    if (!bytes.empty()) std::memcpy(copy, bytes.data(), bytes.size());
    const int code = sqlite3_deserialize(db_, "main", copy, size, size,
                                         SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY);
    return code == SQLITE_OK ? std::string() : reasonFor(code, db_);
}

std::string Connection::execute(const std::string& sql) {
    const int code = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    return code == SQLITE_OK ? std::string() : reasonFor(code, db_);
}

bool Connection::inTransaction() const { return db_ != nullptr && sqlite3_get_autocommit(db_) == 0; }

int Connection::lastCode() const { return sqlite3_extended_errcode(db_); }

bool Connection::foundInterruptedWrite() const { return lastCode() == SQLITE_READONLY_ROLLBACK; }

std::string Connection::reason() const { return reasonFor(lastCode(), db_); }

Statement::Statement(Connection& connection, const std::string& sql) {
    if (sqlite3_prepare_v2(connection.handle(), sql.c_str(), static_cast<int>(sql.size()), &statement_,
                           nullptr) != SQLITE_OK)
        statement_ = nullptr;
}

Statement::~Statement() { sqlite3_finalize(statement_); }

void Statement::bindText(int index, std::string_view text) {
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}
void Statement::bindLastingText(int index, std::string_view text) {
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}
void Statement::bindInteger(int index, std::int64_t value) { sqlite3_bind_int64(statement_, index, value); }
void Statement::bindReal(int index, double value) { sqlite3_bind_double(statement_, index, value); }
void Statement::bindNull(int index) { sqlite3_bind_null(statement_, index); }

bool Statement::step() {
    const int code = sqlite3_step(statement_);
    hasRow_ = code == SQLITE_ROW;
    return code == SQLITE_ROW || code == SQLITE_DONE;
}

std::int64_t Statement::integerColumn(int index) const { return sqlite3_column_int64(statement_, index); }

std::string Statement::textColumn(int index) const {
    const unsigned char* text = sqlite3_column_text(statement_, index);
    // Every byte, a NUL among them, so that no text reads as a shorter one.
    if (text == nullptr) return {};
    return std::string(reinterpret_cast<const char*>(text),
                       static_cast<std::size_t>(sqlite3_column_bytes(statement_, index)));
}

double Statement::realColumn(int index) const { return sqlite3_column_double(statement_, index); }

int Statement::columnCount() const { return sqlite3_column_count(statement_); }

bool Statement::isNull(int index) const { return sqlite3_column_type(statement_, index) == SQLITE_NULL; }

bool Statement::isInteger(int index) const {
    return sqlite3_column_type(statement_, index) == SQLITE_INTEGER;
}

void Statement::resetKeepingBindings() {
    sqlite3_reset(statement_);
    hasRow_ = false;
}

void Statement::reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    hasRow_ = false;
}

} // namespace boxloom::database
