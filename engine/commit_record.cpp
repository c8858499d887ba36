#include "commit_record.h"

#include <algorithm>

#include "temporary_names.h"

namespace boxloom {

namespace {

constexpr std::string_view kRecordPrefix = "~boxloom-commit.";
constexpr std::string_view kRecordEnding = ".txt";
constexpr std::string_view kPendingEnding = ".new";
constexpr std::string_view kHeader = "Boxloom commit record 1";

// The record's lines, each without its line feed; false when the last line has none.
bool splitLines(std::string_view text, std::vector<std::string_view>& lines) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) return false;
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    return true;
}

// The words of a line, separated by single blanks; none when any word is empty,
// so that every line that reads is written back the same.
std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> found;
    for (;;) {
        const std::size_t space = line.find(' ');
        if (line.substr(0, space).empty()) return {};
        found.push_back(line.substr(0, space));
        if (space == std::string_view::npos) return found;
        line.remove_prefix(space + 1);
    }
}

bool isPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\:") == std::string_view::npos;
}

// A side file of this target and run, of the given kind.
bool isSideFileOf(std::string_view name, const CommitMove& move, const RunId& run, SideFile kind) {
    const auto owner = parseSideFileName(name);
    return isPlainName(name) && owner && owner->finalName == move.target && owner->run == run &&
           owner->kind == kind;
}

std::string checkMove(const std::vector<std::string_view>& fields, const RunId& run,
                      bool (*isOurs)(std::string_view), CommitMove& move) {
    if (fields.size() != 4 || fields[0] != "move") return "a line is not a move";
    move = {std::string(fields[1]), std::string(fields[2]), fields[3] == "-" ? "" : std::string(fields[3])};
    if (!isPlainName(move.target) || !isOurs(move.target))
        return "names " + move.target + ", not an export file";
    if (!isSideFileOf(move.fresh, move, run, SideFile::Temporary))
        return "names " + move.fresh + ", not a new file of " + move.target;
    if (!move.earlier.empty() && !isSideFileOf(move.earlier, move, run, SideFile::KeptEarlier))
        return "names " + move.earlier + ", not an earlier file of " + move.target;
    return {};
}

} // namespace

std::string commitRecordName(const RunId& run, std::uint32_t sequence, bool pending) {
    return std::string(kRecordPrefix) + formatRunId(run) + "-" + std::to_string(sequence) +
           std::string(pending ? kPendingEnding : kRecordEnding);
}

std::optional<CommitRecordName> parseCommitRecordName(std::string_view name) {
    CommitRecordName found;
    found.pending = name.ends_with(kPendingEnding);
    if (!name.starts_with(kRecordPrefix) || !(found.pending || name.ends_with(kRecordEnding)))
        return std::nullopt;
    name = name.substr(kRecordPrefix.size(), name.size() - kRecordPrefix.size() - kRecordEnding.size());
    const std::size_t dash = name.find('-');
    std::uint32_t sequence = 0;
    if (dash == std::string_view::npos ? found.pending : !parseDecimal(name.substr(dash + 1), sequence))
        return std::nullopt;
    const auto run = parseRunId(name.substr(0, dash));
    if (!run || (dash == std::string_view::npos && run->started != 0)) return std::nullopt;
    found.run = *run;
    return found;
}

std::string formatCommitRecord(const CommitRecord& record) {
    std::string text = std::string(kHeader) + "\nprocess " + formatRunId(record.run) + "\nwritten " +
                       record.writtenAt + "\n";
    for (const CommitMove& move : record.moves)
        text += "move " + move.target + " " + move.fresh + " " + (move.earlier.empty() ? "-" : move.earlier) +
                "\n";
    text += "end " + std::to_string(record.moves.size()) + "\n";
    return text;
}

std::optional<CommitRecord> parseCommitRecord(std::string_view text, bool (*isOurs)(std::string_view),
                                              std::string& reason) {
    std::vector<std::string_view> lines;
    if (!splitLines(text, lines) || lines.size() < 4) {
        reason = "incomplete";
        return std::nullopt;
    }
    if (lines[0] != kHeader) {
        reason = "not a commit record of this version";
        return std::nullopt;
    }
    CommitRecord record;
    const auto process = words(lines[1]);
    const auto written = words(lines[2]);
    const auto run = process.size() == 2 ? parseRunId(process[1]) : std::nullopt;
    if (!run || process[0] != "process" || written.size() != 2 || written[0] != "written") {
        reason = "damaged";
        return std::nullopt;
    }
    record.run = *run;
    record.writtenAt = written[1];
    const auto end = words(lines.back());
    std::uint32_t count = 0;
    if (end.size() != 2 || end[0] != "end" || !parseDecimal(end[1], count) || count != lines.size() - 4) {
        reason = "incomplete";
        return std::nullopt;
    }
    for (std::size_t i = 3; i + 1 < lines.size(); ++i) {
        CommitMove move;
        reason = checkMove(words(lines[i]), record.run, isOurs, move);
        if (!reason.empty()) return std::nullopt;
        record.moves.push_back(std::move(move));
    }
    return record;
}

bool isCutShortRecord(std::string_view text) {
    std::string reason;
    if (parseCommitRecord(
            text, [](std::string_view) { return true; }, reason) ||
        reason != "incomplete")
        return false;
    const std::string_view header = text.substr(0, std::min(text.size(), kHeader.size()));
    return kHeader.starts_with(header);
}

} // namespace boxloom
