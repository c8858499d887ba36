#pragma once

#include "export_options.h"
#include "export_run.h"
#include "league_builder.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace boxloom::testing {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::vector<std::string> fileNames() const;

private:
    std::filesystem::path path_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
// Every file below `root` by its path from there (with '/'), and its bytes.
std::map<std::string, std::string> filesUnder(const std::string& root);

// The string literals of a script, decoded (\" \\ \n \u00XX).
std::vector<std::string> scriptStrings(const std::string& script);
// A site page whose long table loads the rest of its rows from a script
// (data-rows), with those rows put back in the table as the page would.
std::string withLaterRows(const std::string& html, const std::string& pageFolder);

// A season folder with its three league files and an output folder beside it.
class SeasonFixture {
public:
    LeagueFileBytes teams;
    LeagueFileBytes players;
    LeagueFileBytes stats;

    void addTeam(const TeamFields& team) { teams.append(teamRecord(team)); }
    void addPlayer(const PlayerFields& player) { players.append(playerRecord(player)); }
    void addStats(const SeasonStatRecord& record) { stats.append(record); }

    // Writes the league files and runs an export into the output folder.
    ExportOutcome run(ExportOptions options, std::vector<std::string>* statuses = nullptr);
    void writeLeagueFiles() const;
    ExportOptions options() const;

    std::string output(const std::string& name) const { return readFile(outputFolder.file(name)); }

    TempFolder seasonFolder;
    TempFolder outputFolder;
};

// The Riverton Owls of 1986 and Smith,John, a position player: a small league to export.
void addRivertonOwls(SeasonFixture& season, int teamNumber = 7);

} // namespace boxloom::testing

namespace boxloom::testing {

// The data lines of an export file: the header dropped, each line without its CR LF.
std::vector<std::string> dataLines(const std::string& content);

// Reads comma-separated text as RFC 4180 does: fields in double quotes may hold
// commas, CR LF and doubled quotes. Throws std::runtime_error on malformed text.
std::vector<std::vector<std::string>> readCsv(const std::string& content);

struct Counter {
    StatField field;
    int value;
};
SeasonStatRecord statRecord(int player, int team, int statType, std::initializer_list<Counter> counters);

} // namespace boxloom::testing

#ifndef _WIN32
namespace boxloom::testing {

// A small file system of its own, mounted for the test when it runs as root;
// whyNot() says why there is none.
class MountedFolder {
public:
    explicit MountedFolder(const std::string& options);
    ~MountedFolder();
    MountedFolder(const MountedFolder&) = delete;
    MountedFolder& operator=(const MountedFolder&) = delete;
    const std::string& whyNot() const { return why_; }
    std::string str() const { return folder_.str(); }
    void remountReadOnly();

private:
    TempFolder folder_;
    bool mounted_ = false;
    std::string why_;
};

} // namespace boxloom::testing
#endif
