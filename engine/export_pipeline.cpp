#include "export_pipeline.h"

#include "csv_lines.h"
#include "season_stats.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

namespace boxloom {

namespace {

// A chunk's lines for one file, collected in memory.
struct ChunkSink final : LineSink {
    std::string text;
    static constexpr std::size_t kChunkBuffer = 1 << 14;
    // Made room in only when the chunk is formatted apart from the files.
    ChunkSink() : LineSink(0) {}
    void flush() override {
        text.append(buffer.data(), used);
        used = 0;
    }
};

} // namespace

// One chunk of records and the lines made from it.
struct RecordChunk {
    // Every record is written whole by the reader before it is read: no need to
    // clear it first. It grows to a whole chunk only in a season that fills one.
    std::unique_ptr<std::uint8_t[]> records;
    std::size_t capacity = 0; // in records
    std::size_t count = 0;
    std::array<ChunkSink, kExportFileKindCount> sinks;
    RowTargets rows;
    PitcherTotals grouped; // of this chunk's records
    RecordCounts counts;
    std::string error;
    bool ready = false;

    // With `direct`, rows go straight into the files' own buffers: the chunk
    // is formatted on the thread that writes the files.
    RecordChunk(const RowTargets& files, bool utf8, bool direct) {
        if (direct) {
            rows = files;
            return;
        }
        rows.withIds = files.withIds;
        for (ExportFileKind kind : kExportFileKinds) {
            sinks[indexOf(kind)].utf8 = utf8;
            sinks[indexOf(kind)].buffer.resize(ChunkSink::kChunkBuffer);
            rows.sinks[indexOf(kind)] = files.sink(kind) != nullptr ? &sinks[indexOf(kind)] : nullptr;
        }
    }

    void format(const ChunkFormatter& formatter) {
        try {
            counts = formatter(records.get(), count, rows, grouped);
            for (ChunkSink& sink : sinks)
                sink.flush();
        } catch (const std::bad_alloc&) {
            error = "out of memory while formatting records";
        } catch (const std::exception& failure) {
            error = std::string("records could not be formatted: ") + failure.what();
        }
    }

    // Room for one more record.
    std::uint8_t* next() {
        if (count == capacity) {
            const std::size_t larger = std::min(kChunkRecords, std::max<std::size_t>(64, 2 * capacity));
            std::unique_ptr<std::uint8_t[]> grown(new std::uint8_t[larger * kSeasonRecordSize]);
            if (count > 0) std::memcpy(grown.get(), records.get(), count * kSeasonRecordSize);
            records = std::move(grown);
            capacity = larger;
        }
        return records.get() + count * kSeasonRecordSize;
    }

    void reset() {
        count = 0;
        for (ChunkSink& sink : sinks) {
            sink.text.clear();
            sink.lines = 0;
        }
        counts = {};
        error.clear();
        ready = false;
    }
};

unsigned formattingThreads(unsigned requested) {
    if (requested != 0) return std::min(requested, kMaxThreads);
    return std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
}

namespace {

// Worker threads that format the chunks handed to them, in any order; the
// thread that writes the files helps while it waits. One mutex and two plain
// condition variables, notified while the mutex is held.
class FormattingPool {
public:
    FormattingPool(unsigned workers, const ChunkFormatter& formatter) : formatter_(formatter) {
        for (unsigned i = 0; i < workers; ++i)
            workers_.emplace_back([this] { work(); });
    }
    ~FormattingPool() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
            work_.notify_all();
        }
        for (std::thread& worker : workers_)
            worker.join();
    }

    void submit(RecordChunk* chunk) {
        std::lock_guard lock(mutex_);
        queue_.push_back(chunk);
        work_.notify_one();
    }

    void waitFor(RecordChunk* chunk) {
        std::unique_lock lock(mutex_);
        while (!chunk->ready) {
            if (queue_.empty()) {
                done_.wait(lock);
                continue;
            }
            RecordChunk* next = take();
            lock.unlock();
            format(next);
            lock.lock();
        }
    }

private:
    RecordChunk* take() {
        RecordChunk* chunk = queue_.front();
        queue_.pop_front();
        return chunk;
    }
    void format(RecordChunk* chunk) {
        chunk->format(formatter_);
        std::lock_guard lock(mutex_);
        chunk->ready = true;
        done_.notify_all();
    }
    void work() {
        for (;;) {
            std::unique_lock lock(mutex_);
            work_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return;
            RecordChunk* chunk = take();
            lock.unlock();
            format(chunk);
        }
    }

    const ChunkFormatter& formatter_;
    std::mutex mutex_;
    std::condition_variable work_;
    std::condition_variable done_;
    std::deque<RecordChunk*> queue_;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

class Pipeline {
public:
    Pipeline(RecordReader& reader, const ChunkFormatter& format, const RowTargets& targets,
             const LineAppender& append, PitcherTotals& totals, unsigned threads, bool utf8)
        : reader_(reader), format_(format), append_(append), totals_(totals) {
        // Two chunks per thread keep every worker busy while the oldest is written.
        const unsigned slots = threads == 1 ? 1 : 2 * threads;
        const RowTargets& shape = targets;
        for (unsigned i = 0; i < slots; ++i) {
            chunks_.push_back(std::make_unique<RecordChunk>(shape, utf8, threads == 1));
            free_.push_back(chunks_.back().get());
        }
        // The run's own thread is one of the formatting threads.
        if (threads > 1) pool_ = std::make_unique<FormattingPool>(threads - 1, format_);
    }

    PipelineResult run() {
        for (bool more = true; more && result_.error.empty();) {
            if (free_.empty()) writeOldest();
            RecordChunk* chunk = free_.back();
            free_.pop_back();
            more = fill(*chunk);
            if (chunk->count == 0) {
                free_.push_back(chunk);
                break;
            }
            inFlight_.push_back(chunk);
            if (pool_) {
                pool_->submit(chunk);
            } else {
                chunk->format(format_);
                chunk->ready = true;
            }
        }
        while (!inFlight_.empty())
            writeOldest();
        return result_;
    }

private:
    // False once the reader has no more records.
    bool fill(RecordChunk& chunk) {
        while (chunk.count < kChunkRecords) {
            std::uint8_t* room = chunk.next();
            const std::size_t wanted = chunk.capacity - chunk.count;
            const std::size_t got = reader_.readRecords(room, wanted);
            chunk.count += got;
            if (got < wanted) return false;
        }
        return true;
    }

    void writeOldest() {
        RecordChunk* chunk = inFlight_.front();
        inFlight_.pop_front();
        if (pool_) pool_->waitFor(chunk);
        if (!chunk->error.empty() && result_.error.empty()) result_.error = chunk->error;
        // After a failure the rest is only waited for: nothing more reaches the files.
        if (result_.error.empty())
            write(*chunk);
        else
            chunk->grouped = PitcherTotals();
        chunk->reset();
        free_.push_back(chunk);
    }

    void write(RecordChunk& chunk) {
        for (ExportFileKind kind : kExportFileKinds) {
            const ChunkSink& sink = chunk.sinks[indexOf(kind)];
            if (sink.lines > 0) append_(kind, sink.text, sink.lines);
        }
        chunk.grouped.moveInto(totals_);
        result_.counts.accepted += chunk.counts.accepted;
        result_.counts.skipped += chunk.counts.skipped;
    }

    RecordReader& reader_;
    const ChunkFormatter& format_;
    const LineAppender& append_;
    PitcherTotals& totals_;
    std::vector<std::unique_ptr<RecordChunk>> chunks_;
    std::vector<RecordChunk*> free_;
    std::deque<RecordChunk*> inFlight_;
    std::unique_ptr<FormattingPool> pool_; // after the chunks: stopped before they go
    PipelineResult result_;
};

} // namespace

PipelineResult runPipeline(RecordReader& reader, const ChunkFormatter& format, const RowTargets& targets,
                           const LineAppender& append, PitcherTotals& totals, unsigned threads, bool utf8) {
    return Pipeline(reader, format, targets, append, totals, threads, utf8).run();
}

} // namespace boxloom
