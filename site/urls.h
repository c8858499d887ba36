#pragma once

// Every page's path in the site and every link between pages: paths are
// relative to the site's folder, with '/', and a link is the way from one
// page's folder to another page. Nothing else builds a path.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom::site::urls {

std::string index();
std::string career();
std::string records();
std::string glossary();
std::string styleSheet();
std::string icon();
std::string pageScript();
std::string searchIndex();
std::string playersIndex();
// `page` as the players' list names it: "17.html", "17-2.html".
std::string player(std::string_view page);
// The page name of the `nth` player (from 1) to come with this PlayerID: a
// PlayerID that comes with another name is another player.
std::string playerPageName(std::int64_t playerId, std::size_t nth);

// Inside a season's folder.
std::string seasonLeaders(std::string_view folder, std::string_view statType);
// `table` is "batting", "pitching" or "fielding": one page per stat type.
std::string seasonTable(std::string_view folder, std::string_view table, std::string_view statType);
// The rows of that page's table after its first block, as a script.
std::string seasonTableRows(std::string_view folder, std::string_view table, std::string_view statType);
std::string team(std::string_view folder, std::int64_t teamId);
// A team number's history across the seasons.
std::string franchise(std::int64_t teamId);
// A season's export file offered for download, by its file name.
std::string seasonDownload(std::string_view folder, std::string_view fileName);
// The copy of the league database offered for download.
std::string databaseCopy();

// The way from the page at `from` to the path `to`: "../2031/teams/4.html".
std::string relative(std::string_view from, std::string_view to);
// The way from the page at `from` back to the site's folder: "", "../", "../../".
std::string rootOf(std::string_view from);

// The names the site's own files and folders take in its folder, which no
// season's folder may take.
std::vector<std::string> reservedNames();

} // namespace boxloom::site::urls
