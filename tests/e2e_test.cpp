// The command-line programs run as processes on generated seasons.

#include "byte_source.h"
#include "league_files.h"
#include "test_support.h"
#include "text_encoding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <sys/wait.h>

namespace boxloom {
namespace {

using testing::readFile;
using testing::TempFolder;

std::string quote(const std::string& text) { return "'" + text + "'"; }

struct ProcessResult {
    int exitCode;
    std::string out;
    std::string err;
};

ProcessResult runProcess(const std::string& commandLine) {
    TempFolder streams;
    const std::string command =
        commandLine + " >" + quote(streams.file("out")) + " 2>" + quote(streams.file("err"));
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(streams.file("out")),
            readFile(streams.file("err"))};
}

// One small generated season shared by every test of this file.
class GeneratedSeason : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        season_ = new TempFolder;
        const ProcessResult made =
            runProcess(quote(BOXLOOM_DEMO_SEASON) + " " + quote(season_->str()) + " --seed 3 --records 600");
        ASSERT_EQ(made.exitCode, 0) << made.err;
    }
    static void TearDownTestSuite() {
        delete season_;
        season_ = nullptr;
    }
    static ProcessResult exportTo(const TempFolder& output, const std::string& options) {
        return runProcess(quote(BOXLOOM_EXPORT) + " " + options + " -o " + quote(output.str()) + " " +
                          quote(season_->str()));
    }
    static TempFolder* season_;
};

TempFolder* GeneratedSeason::season_ = nullptr;

// Fields of one line; text fields hold no quotes of their own in generated data.
std::size_t fieldCount(const std::string& line) {
    std::size_t count = 1;
    bool inText = false;
    for (char c : line) {
        if (c == '"') inText = !inText;
        if (c == ',' && !inText) ++count;
    }
    return count;
}

const std::map<std::string, std::size_t> kFieldsPerFile = {{"Batting_Stats", 26},
                                                           {"Pitching_Stats", 20},
                                                           {"Fielding_Stats", 11},
                                                           {"Pitching_Splits", 36},
                                                           {"Batting_Splits", 36}};

struct Combination {
    std::string suffix;
    std::string teams;
    std::string mode;
    int switches; // bit 0 fielding, bit 1 pitching splits, bit 2 hitting splits
};

std::vector<Combination> everyCombination() {
    std::vector<Combination> all;
    for (const char* suffix : {"TXT", "CSV"})
        for (const char* teams : {"city", "nickname", "abbreviation", "city-nickname", "none"})
            for (const char* mode : {"include", "group", "ignore"})
                for (int switches = 0; switches < 8; ++switches)
                    all.push_back({suffix, teams, mode, switches});
    return all;
}

void checkFile(const TempFolder& output, const std::string& stem, const Combination& c,
               const std::string& stdoutText) {
    const std::string name = stem + "." + c.suffix;
    const std::string content = readFile(output.file(name));
    ASSERT_FALSE(content.empty()) << name;
    ASSERT_EQ(content.substr(content.size() - 2), "\r\n") << name;
    std::size_t lineFeeds = 0, lineEnds = 0;
    for (std::size_t i = 0; i < content.size(); ++i) {
        lineFeeds += content[i] == '\n';
        lineEnds += content[i] == '\n' && i > 0 && content[i - 1] == '\r';
    }
    EXPECT_EQ(lineFeeds, lineEnds) << name << ": a line without CR LF";
    const std::string golden = readFile(std::string(BOXLOOM_GOLDEN_DIR) + "/" + stem + ".CSV");
    EXPECT_EQ(content.substr(0, content.find("\r\n")), golden.substr(0, golden.find("\r\n")))
        << name << " header";
    const auto lines = testing::dataLines(content);
    EXPECT_NE(stdoutText.find(output.file(name) + ": " + std::to_string(lines.size()) + " row"),
              std::string::npos)
        << name << " has " << lines.size() << " rows, stdout says:\n"
        << stdoutText;
    bool groupedSeen = false;
    for (const auto& line : lines) {
        ASSERT_EQ(fieldCount(line), kFieldsPerFile.at(stem)) << name << ": " << line;
        const bool grouped = line.rfind("\"Pitchers\",", 0) == 0;
        EXPECT_TRUE(grouped || !groupedSeen) << name << ": a player row after the grouped rows";
        groupedSeen |= grouped;
        const bool teamEmpty = line.compare(line.find('"', 1) + 1, 4, ",\"\",") == 0;
        EXPECT_EQ(teamEmpty, c.teams == "none") << name << ": " << line;
    }
    EXPECT_EQ(groupedSeen, c.mode == "group" && (stem == "Batting_Stats" || stem == "Batting_Splits"))
        << name;
}

TEST_F(GeneratedSeason, EveryOptionCombinationGivesConsistentFiles) {
    for (const Combination& c : everyCombination()) {
        SCOPED_TRACE(c.suffix + " " + c.teams + " " + c.mode + " switches " + std::to_string(c.switches));
        TempFolder output;
        std::string options = "--suffix " + c.suffix + " --teams " + c.teams + " --pitcher-hitting " + c.mode;
        std::vector<std::string> expected = {"Batting_Stats", "Pitching_Stats"};
        if (c.switches & 1) options += " --fielding", expected.push_back("Fielding_Stats");
        if (c.switches & 2) options += " --pitching-splits", expected.push_back("Pitching_Splits");
        if (c.switches & 4) options += " --hitting-splits", expected.push_back("Batting_Splits");
        const ProcessResult result = exportTo(output, options);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "");
        std::vector<std::string> names;
        for (const auto& stem : expected)
            names.push_back(stem + "." + c.suffix);
        std::sort(names.begin(), names.end());
        ASSERT_EQ(output.fileNames(), names) << "exactly the chosen files, no temporary file left";
        for (const auto& stem : expected)
            checkFile(output, stem, c, result.out);
    }
}

TEST_F(GeneratedSeason, ExitCodesOfTheProgram) {
    TempFolder output;
    EXPECT_EQ(exportTo(output, "--help").exitCode, 0);
    EXPECT_EQ(exportTo(output, "--teams town").exitCode, 2);
    EXPECT_EQ(exportTo(output, "--unknown").exitCode, 2);
    EXPECT_EQ(runProcess(quote(BOXLOOM_EXPORT)).exitCode, 2);
    // A mistyped season folder: no output folder made for nothing.
    const ProcessResult missing =
        runProcess(quote(BOXLOOM_EXPORT) + " -o " + quote(output.file("new/stats")) + " " +
                   quote(output.file("no-such-season")));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("zelgs.dat: not found"), std::string::npos) << missing.err;
    EXPECT_TRUE(output.fileNames().empty());
}

TEST_F(GeneratedSeason, TheSameSeedGivesTheSameSeason) {
    TempFolder again;
    ASSERT_EQ(runProcess(quote(BOXLOOM_DEMO_SEASON) + " " + quote(again.str()) + " --seed 3 --records 600")
                  .exitCode,
              0);
    for (const char* name : {"zelteam.dat", "zelplyr.dat", "zelgs.dat"})
        EXPECT_TRUE(readFile(again.file(name)) == readFile(season_->file(name))) << name;
    EXPECT_GE(readFile(again.file("zelgs.dat")).size(), 600u * 302u);
}

// Names with double quotes and windows-1252 letters, written into a generated season.
class AwkwardNames : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        season_ = new TempFolder;
        ASSERT_EQ(
            runProcess(quote(BOXLOOM_DEMO_SEASON) + " " + quote(season_->str()) + " --seed 5 --records 900")
                .exitCode,
            0);
        rename(season_->file("zelplyr.dat"), PlayerRecordLayout::lastName, PlayerRecordLayout::firstName,
               kPlayerRecordSize,
               {{"O\"Bri\xE9n", "Bo \"Hoss\""},
                {"Pe\xF1"
                 "a",
                 "\x80uro"},
                {"M\xFCller", "Z\x9Eta"}});
        rename(season_->file("zelteam.dat"), TeamRecordLayout::cityName, TeamRecordLayout::teamNickname,
               kTeamRecordSize, {{"Nor\"east", "\xC5land"}, {"S\xE3o Paulo", "\"Q\""}});
    }
    static void TearDownTestSuite() {
        delete season_;
        season_ = nullptr;
    }

    // Every third record gets the next of the given pairs of texts.
    static void rename(const std::string& path, FieldLayout first, FieldLayout second, std::size_t recordSize,
                       const std::vector<std::pair<std::string, std::string>>& names) {
        std::string bytes = readFile(path);
        auto* data = reinterpret_cast<std::uint8_t*>(bytes.data());
        for (std::size_t record = 0, next = 0; (record + 1) * recordSize <= bytes.size();
             record += 3, ++next) {
            const auto& [a, b] = names[next % names.size()];
            writeText(data + record * recordSize, first, a);
            writeText(data + record * recordSize, second, b);
        }
        testing::writeFile(path, bytes);
    }

    // The display names the season's files give, in the chosen encoding.
    static std::set<std::string> expectedNames(const char* encoding) {
        const std::string teamBytes = readFile(season_->file("zelteam.dat"));
        const std::string playerBytes = readFile(season_->file("zelplyr.dat"));
        MemoryByteSource teamSource(
            {reinterpret_cast<const std::uint8_t*>(teamBytes.data()), teamBytes.size()});
        MemoryByteSource playerSource(
            {reinterpret_cast<const std::uint8_t*>(playerBytes.data()), playerBytes.size()});
        auto teams = std::make_unique<TeamTable>();
        auto players = std::make_unique<PlayerTable>();
        loadTeamFile(teamSource, TeamNotation::CityAndNickname, *teams);
        loadPlayerFile(playerSource, *players);
        std::set<std::string> names = {"", "Pitchers"};
        for (int number = 0; number <= TeamTable::kMax; ++number)
            names.insert(decoded((*teams)[number].displayName, encoding));
        for (int number = 0; number <= PlayerTable::kMax; ++number)
            names.insert(decoded((*players)[number].displayName, encoding));
        return names;
    }

    static std::string decoded(const std::string& stored, const std::string& encoding) {
        if (encoding == "windows-1252") return stored;
        std::string utf8;
        for (char c : stored) {
            const Utf8Bytes& bytes = kUtf8OfWindows1252[static_cast<std::uint8_t>(c)];
            utf8.append(bytes.bytes.data(), bytes.size);
        }
        return utf8;
    }

    static TempFolder* season_;
};

TempFolder* AwkwardNames::season_ = nullptr;

TEST_F(AwkwardNames, EveryFileReadsBackWithAnRfc4180ReaderInEachEncoding) {
    for (const char* encoding : {"windows-1252", "utf-8", "utf-8-sig"}) {
        SCOPED_TRACE(encoding);
        TempFolder output;
        const ProcessResult result =
            runProcess(quote(BOXLOOM_EXPORT) + " --all --ids --pitcher-hitting group --encoding " + encoding +
                       " -o " + quote(output.str()) + " " + quote(season_->str()));
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::set<std::string> names = expectedNames(encoding);
        std::size_t quotedNames = 0;
        for (const auto& [stem, fields] : kFieldsPerFile) {
            std::string content = readFile(output.file(stem + ".CSV"));
            const bool marked = content.rfind(kUtf8ByteOrderMark, 0) == 0;
            EXPECT_EQ(marked, std::string(encoding) == "utf-8-sig") << stem;
            if (marked) content.erase(0, kUtf8ByteOrderMark.size());
            const auto rows = testing::readCsv(content);
            ASSERT_GT(rows.size(), 1u) << stem;
            EXPECT_EQ(rows[0].size(), fields + 2) << stem << ": the header with PlayerID and TeamID";
            for (const auto& row : rows) {
                ASSERT_EQ(row.size(), rows[0].size()) << stem << ": " << row[0];
                if (&row == &rows[0]) continue;
                EXPECT_TRUE(names.contains(row[0])) << stem << " player " << row[0];
                EXPECT_TRUE(names.contains(row[1])) << stem << " team " << row[1];
                quotedNames += row[0].find('"') != std::string::npos;
            }
        }
        EXPECT_GT(quotedNames, 0u) << "the season has no name with a double quote in any row";
    }
}

std::map<std::string, std::string> folderContents(const TempFolder& folder) {
    std::map<std::string, std::string> files;
    for (const std::string& name : folder.fileNames())
        files[name] = readFile(folder.file(name));
    return files;
}

// The export killed from outside at its Nth rename, for every N: the next run,
// even one that fails, completes the replacement and says so.
TEST(KilledExport, AtAnyRenameIsCompletedByTheNextRun) {
    if (runProcess("command -v strace").exitCode != 0) GTEST_SKIP() << "strace is not installed";
    TempFolder seasonA, seasonB, earlier, later;
    for (auto [folder, seed] : {std::pair{&seasonA, "1"}, std::pair{&seasonB, "2"}})
        ASSERT_EQ(
            runProcess(quote(BOXLOOM_DEMO_SEASON) + " " + quote(folder->str()) + " --seed " + seed).exitCode,
            0);
    auto exportCommand = [](const TempFolder& out, const std::string& season) {
        return quote(BOXLOOM_EXPORT) + " --all -q -o " + quote(out.str()) + " " + quote(season);
    };
    ASSERT_EQ(runProcess(exportCommand(earlier, seasonA.str())).exitCode, 0);
    ASSERT_EQ(runProcess(exportCommand(later, seasonB.str())).exitCode, 0);
    int kills = 0;
    for (int rename = 1; rename <= 13; ++rename) {
        TempFolder out;
        ASSERT_EQ(runProcess(exportCommand(out, seasonA.str())).exitCode, 0);
        // The leak checker of a sanitized build cannot work under a tracer.
        const ProcessResult killed = runProcess(
            "ASAN_OPTIONS=detect_leaks=0 strace -f -qq -o /dev/null -e trace=rename,renameat,renameat2 -e "
            "inject=rename,renameat,renameat2:signal=SIGKILL:when=" +
            std::to_string(rename) + " " + exportCommand(out, seasonB.str()));
        constexpr int kKilledBySigkill = 128 + 9; // as the shell reports it
        if (killed.exitCode != kKilledBySigkill) {
            EXPECT_EQ(killed.exitCode, 0) << killed.err;
            break; // fewer renames than this
        }
        ++kills;
        bool recordLeft = false, pendingLeft = false;
        for (const std::string& name : out.fileNames()) {
            recordLeft = recordLeft || (name.starts_with("~boxloom-commit.") && name.ends_with(".txt"));
            pendingLeft = pendingLeft || (name.starts_with("~boxloom-commit.") && name.ends_with(".new"));
        }
        const ProcessResult failing = runProcess(exportCommand(out, out.file("no such season")));
        EXPECT_EQ(failing.exitCode, 1);
        EXPECT_EQ(failing.err.find("completed an export interrupted at") != std::string::npos, recordLeft)
            << "rename " << rename << ": " << failing.err;
        EXPECT_EQ(failing.err.find("stopped before it replaced any file") != std::string::npos, pendingLeft)
            << "rename " << rename << ": " << failing.err;
        const auto files = folderContents(out);
        EXPECT_TRUE(files == folderContents(earlier) || files == folderContents(later))
            << "rename " << rename << ": a mixed folder";
        ASSERT_EQ(runProcess(exportCommand(out, seasonB.str())).exitCode, 0);
        EXPECT_TRUE(folderContents(out) == folderContents(later));
    }
    EXPECT_EQ(kills, 11) << "the record and five files over five earlier ones take eleven renames";
}

} // namespace
} // namespace boxloom
