#pragma once

// A store of rows whose files are the statistics tables of one season: each
// row's typed fields are bound into an insert as they come, with nothing
// formatted for the database and nothing read back.

#include "export_io.h"
#include "sqlite_db.h"

#include <array>
#include <memory>
#include <string>

namespace boxloom::database {

class TableRows;

class SeasonTables final : public RowStore {
public:
    SeasonTables(Connection& db, std::string season);
    ~SeasonTables() override;

    RowSink* open(ExportFileKind kind, std::string& reason) override;
    std::string finish(ExportFileKind kind) override;
    std::uint64_t rowsWritten(ExportFileKind kind) const override;

private:
    Connection& db_;
    std::string season_;
    std::array<std::unique_ptr<TableRows>, kExportFileKindCount> tables_;
};

} // namespace boxloom::database
