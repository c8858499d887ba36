#include "page_builder.h"

#include "script_text.h"
#include "urls.h"

namespace boxloom::site::pages {

namespace {

void appendEntry(std::string& out, const SearchEntry& entry) {
    out += out.back() == '[' ? "\n[" : ",\n[";
    appendScriptString(out, entry.name);
    out += ',';
    appendScriptString(out, entry.detail);
    out += ',';
    appendScriptString(out, entry.path);
    out += ']';
}

} // namespace

std::vector<SearchEntry> SiteBuilder::searchEntries() const {
    std::vector<SearchEntry> entries;
    for (const auto& [key, player] : players_.byKey)
        entries.push_back({displayName(key.name), seasonSpan(seasons_, player), urls::player(player.page)});
    for (const SeasonPages& season : seasonPages_)
        for (const Team& team : season.data->teams)
            entries.push_back({team.name(), season.data->label, urls::team(season.folder, team.id)});
    return entries;
}

// Loaded by the search box when it is first used, as a script so that it
// works from the disk too: [name, seasons or season, path from the site's folder].
std::string SiteBuilder::searchIndex() {
    std::string script = "window.boxloomSearch = [";
    for (const SearchEntry& entry : searchEntries())
        appendEntry(script, entry);
    script += "\n];\n";
    sink_.put(task_, urls::searchIndex(), script);
    return {};
}

} // namespace boxloom::site::pages
