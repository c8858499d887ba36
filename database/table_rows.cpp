#include "table_rows.h"

namespace boxloom::database {

class SeasonTables::TableSink final : public RowSink {
public:
    TableSink(SeasonTables& tables, ExportFileKind kind) : tables_(tables), kind_(kind) {}
    void writeRow(std::span<const Field> fields) override { tables_.add(kind_, fields); }

private:
    SeasonTables& tables_;
    ExportFileKind kind_;
};

SeasonTables::SeasonTables(Connection& db, std::string season, const std::atomic<bool>* cancel)
    : inserts_(db, std::move(season)), cancel_(cancel), filling_(std::make_unique<RowBatch>()) {
    for (std::size_t i = 1; i < kBatches; ++i)
        free_.push_back(std::make_unique<RowBatch>());
}

SeasonTables::~SeasonTables() { drain(); }

RowSink* SeasonTables::open(ExportFileKind kind, std::string& reason) {
    reason = inserts_.prepare(kind);
    if (!reason.empty()) return nullptr;
    sinks_[indexOf(kind)] = std::make_unique<TableSink>(*this, kind);
    return sinks_[indexOf(kind)].get();
}

void SeasonTables::add(ExportFileKind kind, std::span<const Field> fields) {
    if (cancelled_ || (cancel_ != nullptr && cancel_->load(std::memory_order_relaxed))) {
        cancelled_ = true;
        return;
    }
    filling_->add(kind, fields);
    if (filling_->full()) handOver();
}

void SeasonTables::handOver() {
    if (!inserter_.joinable()) inserter_ = std::thread([this] { insertBatches(); });
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !free_.empty(); });
    full_.push_back(std::move(filling_));
    filling_ = std::move(free_.front());
    free_.pop_front();
    changed_.notify_all();
}

void SeasonTables::insertBatches() {
    for (;;) {
        std::unique_ptr<RowBatch> batch;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return !full_.empty() || noMoreRows_; });
            if (full_.empty()) return;
            batch = std::move(full_.front());
            full_.pop_front();
        }
        inserts_.insert(*batch);
        batch->clear();
        std::lock_guard lock(mutex_);
        free_.push_back(std::move(batch));
        changed_.notify_all();
    }
}

// The rows left in the batch being filled go in on this thread, once the
// inserter has finished its batches.
void SeasonTables::drain() {
    if (inserter_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            noMoreRows_ = true;
            changed_.notify_all();
        }
        inserter_.join();
    }
    inserts_.insert(*filling_);
    filling_->clear();
}

std::string SeasonTables::finish(ExportFileKind kind) {
    drain();
    return cancelled_ ? "cancelled" : inserts_.error(kind);
}

std::uint64_t SeasonTables::rowsWritten(ExportFileKind kind) const { return inserts_.rows(kind); }

} // namespace boxloom::database
