#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace boxloom {

inline constexpr std::size_t kExportFileKindCount = 5;

struct ExportProblem {
    std::string file;
    std::string reason;
};

struct ExportOutcome {
    std::vector<ExportProblem> problems;
    std::uint64_t recordsRead = 0;
    std::uint64_t recordsAccepted = 0;
    // Accepted records whose player, team or stat type number lies outside the tables.
    std::uint64_t recordsSkipped = 0;
    // Indexed by ExportFileKind; a file that was not written has written == false.
    std::array<bool, kExportFileKindCount> written{};
    std::array<std::string, kExportFileKindCount> fileNames;
    std::array<std::uint64_t, kExportFileKindCount> rowsWritten{};

    bool succeeded() const { return problems.empty(); }
};

} // namespace boxloom
