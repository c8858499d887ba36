#pragma once

// A store of rows whose files are the statistics tables of one season: each
// row's typed fields become the values SQLite stores as they come, and a
// second thread binds them into the inserts while the engine makes the next
// rows; nothing is formatted for the database and nothing read back.

#include "export_io.h"
#include "row_batches.h"
#include "sqlite_db.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace boxloom::database {

class SeasonTables final : public RowStore {
public:
    // Rows stop going in once `cancel` is set; finish() then says so.
    SeasonTables(Connection& db, std::string season, const std::atomic<bool>* cancel = nullptr);
    ~SeasonTables() override;

    RowSink* open(ExportFileKind kind, std::string& reason) override;
    // The first call waits until every row is in the database.
    std::string finish(ExportFileKind kind) override;
    std::uint64_t rowsWritten(ExportFileKind kind) const override;

private:
    class TableSink;
    void add(ExportFileKind kind, std::span<const Field> fields);
    void handOver();
    void insertBatches();
    void drain();

    TableInserts inserts_;
    const std::atomic<bool>* cancel_;
    bool cancelled_ = false;
    std::array<std::unique_ptr<TableSink>, kExportFileKindCount> sinks_;

    // Batches go round: filled here, inserted by the thread, then free again.
    // Three in all bound the memory whatever the season's size.
    static constexpr std::size_t kBatches = 3;
    std::unique_ptr<RowBatch> filling_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::unique_ptr<RowBatch>> full_;
    std::deque<std::unique_ptr<RowBatch>> free_;
    bool noMoreRows_ = false;
    std::thread inserter_;
};

} // namespace boxloom::database
