#include "urls.h"

#include "site_pages.h"
#include "site_writer.h"

#include <algorithm>

namespace boxloom::site::urls {

namespace {

constexpr std::string_view kPlayersFolder = "players";
constexpr std::string_view kTeamsFolder = "teams";
constexpr std::string_view kFranchisesFolder = "franchises";

std::string join(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += '/';
    path += name;
    return path;
}

} // namespace

std::string index() { return "index.html"; }
std::string career() { return "career.html"; }
std::string records() { return "records.html"; }
std::string glossary() { return "glossary.html"; }
std::string styleSheet() { return "site.css"; }
std::string icon() { return "icon.svg"; }
std::string pageScript() { return "site.js"; }
std::string searchIndex() { return "search.js"; }
std::string playersIndex() { return join(kPlayersFolder, "index.html"); }
std::string player(std::string_view page) { return join(kPlayersFolder, page); }

std::string playerPageName(std::int64_t playerId, std::size_t nth) {
    std::string name = std::to_string(playerId);
    if (nth > 1) name += "-" + std::to_string(nth);
    return name + ".html";
}

std::string seasonLeaders(std::string_view folder, std::string_view statType) {
    const std::string name =
        statType == kRegular ? "leaders.html" : "leaders-" + folderNameFor(std::string(statType)) + ".html";
    return join(folder, name);
}

namespace {
std::string seasonTableName(std::string_view table, std::string_view statType) {
    std::string name(table);
    if (statType != kRegular) name += "-" + folderNameFor(std::string(statType));
    return name;
}
} // namespace

std::string seasonTable(std::string_view folder, std::string_view table, std::string_view statType) {
    return join(folder, seasonTableName(table, statType) + ".html");
}

std::string seasonTableRows(std::string_view folder, std::string_view table, std::string_view statType) {
    return join(folder, seasonTableName(table, statType) + ".rows.js");
}

std::string team(std::string_view folder, std::int64_t teamId) {
    return join(join(folder, kTeamsFolder), std::to_string(teamId) + ".html");
}

std::string franchise(std::int64_t teamId) {
    return join(kFranchisesFolder, std::to_string(teamId) + ".html");
}

std::string seasonDownload(std::string_view folder, std::string_view fileName) {
    return join(join(folder, "files"), fileName);
}

std::string databaseCopy() { return "league.db"; }

std::string rootOf(std::string_view from) {
    std::string root;
    for (std::size_t slashes = static_cast<std::size_t>(std::count(from.begin(), from.end(), '/'));
         slashes > 0; --slashes)
        root += "../";
    return root;
}

std::string relative(std::string_view from, std::string_view to) {
    // Folders both paths share are left out of the way.
    std::size_t shared = 0;
    for (std::size_t i = 0; i < from.size() && i < to.size() && from[i] == to[i]; ++i)
        if (from[i] == '/') shared = i + 1;
    return rootOf(from.substr(shared)) + std::string(to.substr(shared));
}

std::vector<std::string> reservedNames() {
    return {index(),
            career(),
            records(),
            glossary(),
            styleSheet(),
            icon(),
            pageScript(),
            searchIndex(),
            databaseCopy(),
            std::string(kPlayersFolder),
            std::string(kFranchisesFolder),
            std::string(kFileList)};
}

} // namespace boxloom::site::urls
