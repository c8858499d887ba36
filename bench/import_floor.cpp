// SQLite's own share of an import: a season's rows are made first, all kept in
// memory as the values the import binds, and only then timed going into a new
// database by the import's own insert loop, indexes and commit. What the
// import takes beyond this is its own.
//   boxloom_import_floor SEASON_FOLDER DATABASE

#include "export_run.h"
#include "file_layer.h"
#include "league_schema.h"
#include "row_batches.h"
#include "season_import.h"
#include "season_input.h"
#include "sqlite_db.h"

#include <chrono>
#include <cstdio>
#include <deque>

using namespace boxloom;
using namespace boxloom::database;

namespace {

// Keeps every row: a new batch whenever one is full.
class KeptRows final : public RowStore {
public:
    RowSink* open(ExportFileKind kind, std::string&) override {
        sinks_.push_back(Sink{this, kind});
        return &sinks_.back();
    }
    std::string finish(ExportFileKind) override { return {}; }
    std::uint64_t rowsWritten(ExportFileKind) const override { return 0; }
    const std::deque<RowBatch>& batches() const { return batches_; }

private:
    struct Sink final : RowSink {
        Sink(KeptRows* rows, ExportFileKind kind) : rows_(rows), kind_(kind) {}
        void writeRow(std::span<const Field> fields) override {
            if (rows_->batches_.empty() || rows_->batches_.back().full()) rows_->batches_.emplace_back();
            rows_->batches_.back().add(kind_, fields);
        }
        KeptRows* rows_;
        ExportFileKind kind_;
    };
    std::deque<Sink> sinks_;
    std::deque<RowBatch> batches_;
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int fail(const std::string& what) {
    std::fprintf(stderr, "boxloom_import_floor: %s\n", what.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) return fail("usage: boxloom_import_floor SEASON_FOLDER DATABASE");
    KeptRows rows;
    FileSystemLeagueFiles leagueFiles;
    const ExportOptions options = importOptions({}, argv[1]);
    if (!runExport(options, readSeasonInput(options, leagueFiles), rows).succeeded())
        return fail("the season could not be read");

    Connection db;
    if (std::string reason = db.open(argv[2]); !reason.empty()) return fail(reason);
    if (std::string reason = db.execute("BEGIN IMMEDIATE"); !reason.empty()) return fail(reason);
    if (std::string reason = db.execute(schemaSql()); !reason.empty()) return fail(reason);
    TableInserts inserts(db, "floor");
    for (ExportFileKind kind : kExportFileKinds)
        if (std::string reason = inserts.prepare(kind); !reason.empty()) return fail(reason);

    const auto start = std::chrono::steady_clock::now();
    for (const RowBatch& batch : rows.batches())
        inserts.insert(batch);
    const double inserted = secondsSince(start);
    for (ExportFileKind kind : kExportFileKinds)
        if (!inserts.error(kind).empty()) return fail(inserts.error(kind));
    if (std::string reason = db.execute(indexesSql()); !reason.empty()) return fail(reason);
    const double indexed = secondsSince(start);
    if (std::string reason = db.execute("COMMIT"); !reason.empty()) return fail(reason);
    const double total = secondsSince(start);
    std::printf("SQLite alone: %.2f s (rows %.2f s, indexes %.2f s, commit %.2f s)\n", total, inserted,
                indexed - inserted, total - indexed);
    return 0;
}
