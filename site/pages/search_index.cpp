#include "page_builder.h"

#include "urls.h"

namespace boxloom::site::pages {

namespace {

// A text as a JavaScript string literal.
void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

void appendEntry(std::string& out, const SearchEntry& entry) {
    out += out.back() == '[' ? "\n[" : ",\n[";
    appendQuoted(out, entry.name);
    out += ',';
    appendQuoted(out, entry.detail);
    out += ',';
    appendQuoted(out, entry.path);
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
