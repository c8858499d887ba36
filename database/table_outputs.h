#pragma once

// An output-file factory whose "files" are the statistics tables of one
// season: each export line the run writes becomes a typed row.

#include "export_io.h"
#include "league_schema.h"
#include "sqlite_db.h"

#include <memory>
#include <string>

namespace boxloom::database {

class TableOutputs final : public OutputFileFactory {
public:
    TableOutputs(Connection& db, std::string season) : db_(db), season_(std::move(season)) {}

    std::string checkReplaceable(const std::string&) override { return {}; }
    std::unique_ptr<OutputFile> create(const std::string& finalPath, std::string& reason) override;
    FolderRecovery recoverFolder(const std::string&, bool (*)(std::string_view)) override { return {}; }

private:
    Connection& db_;
    std::string season_;
};

// The outs behind an IP text in thirds ("6.2" is 20, "-3.1" is -10); nothing
// when the text is not one.
std::optional<std::int64_t> outsOfInnings(std::string_view innings);

} // namespace boxloom::database
