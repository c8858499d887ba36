#pragma once

// The little of SQLite's C API the league database needs, with its handles
// closed on every path.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace boxloom::database {

class Statement;

enum class OpenMode { CreateOrWrite, ReadOnly };

class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the database, creating it when missing unless read-only; the
    // reason on failure.
    std::string open(const std::string& path, OpenMode mode = OpenMode::CreateOrWrite);
    // A database file's bytes, held in memory and read only.
    std::string openBytes(std::string_view bytes);
    void close();
    // Runs statements without results; the reason on failure.
    std::string execute(const std::string& sql);
    // The reason SQLite gives for the last failure, in this program's words.
    std::string reason() const;
    int lastCode() const;
    // The last failure was a read-only connection finding the journal of a
    // write that was interrupted, which only a writer can roll back.
    bool foundInterruptedWrite() const;
    // The whole database as its file would hold it; "" when it cannot be had.
    std::string bytes();
    // False once a transaction ended, also when SQLite ended it itself after a
    // failure such as a full disk.
    bool inTransaction() const;
    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

class Statement {
public:
    Statement(Connection& connection, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return statement_ != nullptr; }
    void bindText(int index, std::string_view text);
    // Without a copy: the text must stay unchanged until the next step or reset.
    void bindLastingText(int index, std::string_view text);
    void bindInteger(int index, std::int64_t value);
    void bindReal(int index, double value);
    void bindNull(int index);
    // Runs to completion (or to the first row); false on failure.
    bool step();
    bool hasRow() const { return hasRow_; }
    std::int64_t integerColumn(int index) const;
    std::string textColumn(int index) const;
    double realColumn(int index) const;
    bool isNull(int index) const;
    int columnCount() const;
    // Stored as a whole number: not NULL, text, a real or a blob.
    bool isInteger(int index) const;
    void reset();
    // For a statement whose every parameter is bound again before its next step.
    void resetKeepingBindings();

private:
    sqlite3_stmt* statement_ = nullptr;
    bool hasRow_ = false;
};

} // namespace boxloom::database
