#include "export_writer.h"

#include "export_columns.h"

#include <cstring>

namespace boxloom {

namespace {

constexpr std::array<std::string_view, kExportFileKindCount> kStems = {
    "Batting_Stats.", "Pitching_Stats.", "Fielding_Stats.", "Pitching_Splits.", "Batting_Splits."};

struct StringSink final : LineSink {
    std::string text;
    void flush() override {
        text.append(buffer.data(), used);
        used = 0;
    }
};

} // namespace

std::string_view exportFileStem(ExportFileKind kind) { return kStems[indexOf(kind)]; }

std::string exportFileName(ExportFileKind kind, std::string_view suffix) {
    return std::string(exportFileStem(kind)) + std::string(suffix);
}

bool isExportFileSelected(ExportFileKind kind, const ExportOptions& options) {
    switch (kind) {
    case ExportFileKind::FieldingStats: return options.includeFielding;
    case ExportFileKind::PitchingSplits: return options.includePitchingSplits;
    case ExportFileKind::BattingSplits: return options.includeHittingSplits;
    default: return true;
    }
}

struct ExportFiles::File final : LineSink {
    std::string path;
    ReplacementFile target;
    std::string error; // the first write failure; later writes are dropped

    void flush() override {
        if (used > 0 && error.empty()) error = target.write(buffer.data(), used);
        used = 0;
    }
};

LineSink* lineSink(ExportFiles& files, ExportFileKind kind) { return files.files_[indexOf(kind)].get(); }

std::string encodeRow(std::span<const Field> fields) {
    StringSink sink;
    {
        LineWriter line(&sink);
        for (const Field& field : fields)
            line.field(field);
    }
    sink.flush();
    return sink.text;
}

ExportFiles::ExportFiles() = default;
ExportFiles::~ExportFiles() { discardExportFiles(*this); }

bool ExportFiles::isOpen(ExportFileKind kind) const { return files_[indexOf(kind)] != nullptr; }

// The header line is not a row.
std::uint64_t ExportFiles::rowsWritten(ExportFileKind kind) const {
    return isOpen(kind) ? files_[indexOf(kind)]->lines - 1 : 0;
}

const std::string& ExportFiles::path(ExportFileKind kind) const {
    static const std::string none;
    return isOpen(kind) ? files_[indexOf(kind)]->path : none;
}

std::vector<ExportProblem> openExportFiles(const ExportOptions& options, ExportFiles& files) {
    std::vector<ExportProblem> problems;
    std::array<std::string, kExportFileKindCount> paths;
    for (ExportFileKind kind : kExportFileKinds) {
        if (!isExportFileSelected(kind, options)) continue;
        std::string name = exportFileName(kind, options.outputSuffix);
        paths[indexOf(kind)] = options.outputFolder.empty() ? name : joinPath(options.outputFolder, name);
        if (std::string reason = checkReplaceable(paths[indexOf(kind)]); !reason.empty())
            problems.push_back({paths[indexOf(kind)], reason});
    }
    if (!problems.empty()) return problems;

    for (ExportFileKind kind : kExportFileKinds) {
        if (paths[indexOf(kind)].empty()) continue;
        auto file = std::make_unique<ExportFiles::File>();
        file->path = paths[indexOf(kind)];
        if (std::string reason = file->target.create(file->path); !reason.empty()) {
            problems.push_back({file->path, reason});
            break;
        }
        files.files_[indexOf(kind)] = std::move(file);
        LineWriter header(lineSink(files, kind));
        for (const Column& column : columnsOf(kind))
            header.text(column.header);
    }
    if (!problems.empty()) discardExportFiles(files);
    return problems;
}

void writeRow(ExportFiles& files, ExportFileKind kind, std::span<const Field> fields) {
    LineWriter line(lineSink(files, kind));
    for (const Field& field : fields)
        line.field(field);
}

std::vector<ExportProblem> closeExportFiles(ExportFiles& files) {
    std::vector<ExportProblem> problems;
    for (auto& file : files.files_) {
        if (!file) continue;
        file->flush();
        if (!file->error.empty()) problems.push_back({file->path, file->error});
    }
    // Only a run whose every file is complete replaces anything.
    for (auto& file : files.files_) {
        if (!file || !problems.empty()) continue;
        if (std::string reason = file->target.commit(); !reason.empty())
            problems.push_back({file->path, reason});
    }
    discardExportFiles(files);
    return problems;
}

void discardExportFiles(ExportFiles& files) {
    for (auto& file : files.files_) {
        if (file) file->target.discard();
    }
}

} // namespace boxloom
