#include "test_support.h"

#include "platform_files.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

#ifndef _WIN32
#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace boxloom::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    // Test processes run side by side: the process number keeps their folders apart.
    static std::atomic<unsigned> sequence{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = fs::temp_directory_path() / ("boxloom-test-" + std::to_string(platform::currentProcessId()) +
                                         "-" + std::to_string(stamp) + "-" + std::to_string(sequence++));
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::fileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::map<std::string, std::string> filesUnder(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), root).generic_string()] =
                readFile(entry.path().string());
    return files;
}

std::vector<std::string> scriptStrings(const std::string& script) {
    std::vector<std::string> strings;
    for (std::size_t at = script.find('"'); at != std::string::npos; at = script.find('"', at + 1)) {
        std::string text;
        for (++at; at < script.size() && script[at] != '"'; ++at) {
            if (script[at] != '\\') {
                text += script[at];
                continue;
            }
            const char escaped = script[++at];
            if (escaped == 'n') {
                text += '\n';
            } else if (escaped == 'u') {
                text += static_cast<char>(std::stoi(script.substr(at + 1, 4), nullptr, 16));
                at += 4;
            } else {
                text += escaped;
            }
        }
        strings.push_back(text);
    }
    return strings;
}

std::string withLaterRows(const std::string& html, const std::string& pageFolder) {
    const std::string attribute = "data-rows=\"";
    const std::size_t at = html.find(attribute);
    if (at == std::string::npos) return html;
    const std::size_t start = at + attribute.size();
    const std::string script = readFile(pageFolder + "/" + html.substr(start, html.find('"', start) - start));
    std::vector<std::string> strings = scriptStrings(script);
    std::string rows;
    for (std::size_t i = 1; i < strings.size(); ++i) // the first is the table's id
        rows += "</tbody>\n<tbody>\n" + strings[i];
    std::string whole = html;
    whole.insert(whole.find("</tbody>\n</table>", at), rows);
    return whole;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void SeasonFixture::writeLeagueFiles() const {
    writeBinaryFile(seasonFolder.file("zelteam.dat"), teams.bytes());
    writeBinaryFile(seasonFolder.file("zelplyr.dat"), players.bytes());
    writeBinaryFile(seasonFolder.file("zelgs.dat"), stats.bytes());
}

ExportOptions SeasonFixture::options() const {
    ExportOptions options;
    options.seasonFolder = seasonFolder.str();
    options.outputFolder = outputFolder.str();
    return options;
}

ExportOutcome SeasonFixture::run(ExportOptions options, std::vector<std::string>* statuses) {
    writeLeagueFiles();
    options.seasonFolder = seasonFolder.str();
    options.outputFolder = outputFolder.str();
    return runExport(options, [statuses](std::string_view status) {
        if (statuses != nullptr) statuses->emplace_back(status);
    });
}

void addRivertonOwls(SeasonFixture& season, int teamNumber) {
    season.addTeam({teamNumber, 1986, "Riverton", "Owls", "RIV"});
    season.addPlayer({1, "John", "Smith", kPositionPlayer});
}

} // namespace boxloom::testing

namespace boxloom::testing {

std::vector<std::string> dataLines(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = content.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(content.substr(start, end - start));
    if (start != content.size()) lines.push_back("<unterminated>" + content.substr(start));
    if (!lines.empty()) lines.erase(lines.begin());
    return lines;
}

SeasonStatRecord statRecord(int player, int team, int statType, std::initializer_list<Counter> counters) {
    SeasonStatRecord record = boxloom::statRecord(player, team, statType);
    for (const Counter& counter : counters)
        record.set(counter.field, counter.value);
    return record;
}

} // namespace boxloom::testing

namespace boxloom::testing {

std::vector<std::vector<std::string>> readCsv(const std::string& content) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    std::size_t i = 0;
    const auto fail = [&](const char* what) {
        throw std::runtime_error(std::string(what) + " at byte " + std::to_string(i));
    };
    while (i < content.size()) {
        if (content[i] == '"') {
            for (++i;; ++i) {
                if (i >= content.size()) fail("unterminated quoted field");
                if (content[i] != '"') {
                    field += content[i];
                } else if (i + 1 < content.size() && content[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        } else {
            while (i < content.size() && content[i] != ',' && content[i] != '\r') {
                if (content[i] == '"' || content[i] == '\n') fail("quote or line feed inside a plain field");
                field += content[i++];
            }
        }
        row.push_back(std::move(field));
        field.clear();
        if (i < content.size() && content[i] == ',') {
            ++i;
        } else if (content.compare(i, 2, "\r\n") == 0) {
            i += 2;
            rows.push_back(std::move(row));
            row.clear();
        } else {
            fail("a field not followed by a comma or CR LF");
        }
    }
    if (!row.empty()) fail("last line without CR LF");
    return rows;
}

} // namespace boxloom::testing

#ifndef _WIN32
namespace boxloom::testing {

MountedFolder::MountedFolder(const std::string& options) {
    if (::geteuid() != 0) {
        why_ = "needs root to mount a file system";
        return;
    }
    if (::mount("boxloom-test", folder_.str().c_str(), "tmpfs", 0, options.c_str()) != 0) {
        why_ = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
        return;
    }
    mounted_ = true;
}

MountedFolder::~MountedFolder() {
    if (mounted_) ::umount2(folder_.str().c_str(), MNT_DETACH);
}

void MountedFolder::remountReadOnly() {
    ::mount(nullptr, folder_.str().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
}

} // namespace boxloom::testing
#endif
