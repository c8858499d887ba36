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

void appendEntry(std::string& out, std::string_view name, std::string_view detail, std::string_view path) {
    out += out.back() == '[' ? "\n[" : ",\n[";
    appendQuoted(out, name);
    out += ',';
    appendQuoted(out, detail);
    out += ',';
    appendQuoted(out, path);
    out += ']';
}

} // namespace

// Loaded by the search box when it is first used, as a script so that it
// works from the disk too: [name, seasons or season, path from the site's folder].
std::string SiteBuilder::searchIndex() {
    std::string script = "window.boxloomSearch = [";
    for (const auto& [key, player] : players_.byKey)
        appendEntry(script, displayName(key.name), seasonSpan(seasons_, player), urls::player(player.page));
    for (const SeasonPages& season : seasonPages_)
        for (const Team& team : season.data->teams)
            appendEntry(script, team.name(), season.data->label, urls::team(season.folder, team.id));
    script += "\n];\n";
    sink_.put(task_, urls::searchIndex(), script);
    return {};
}

} // namespace boxloom::site::pages
