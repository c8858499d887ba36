#include "page_builder.h"

#include "urls.h"

namespace boxloom::site::pages {

std::string SiteBuilder::playersIndex() {
    // (last name in capitals, PlayerID): each worked out once, not at every comparison.
    std::vector<std::pair<std::pair<std::string, std::int64_t>, const Player*>> keyed;
    for (const auto& [key, player] : players_.byKey)
        keyed.push_back({{lastNameKey(key.name), key.id}, &player});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<const Player*> sorted;
    for (const auto& [sortKey, player] : keyed)
        sorted.push_back(player);
    PageData letters = list();
    std::string current;
    PageData entries = list();
    const auto flush = [&] {
        if (current.empty()) return;
        PageData letter;
        put(letter, "letter", current);
        put(letter, "anchor", current == "#" ? "other" : current);
        put(letter, "players", std::move(entries));
        append(letters, std::move(letter));
        entries = list();
    };
    for (const Player* player : sorted) {
        const char first = lastNameKey(player->key.name).empty() ? '#' : lastNameKey(player->key.name)[0];
        const std::string letter = first >= 'A' && first <= 'Z' ? std::string(1, first) : "#";
        if (letter != current) {
            flush();
            current = letter;
        }
        PageData item;
        put(item, "name", displayName(player->key.name));
        put(item, "link", player->page);
        put(item, "seasons", seasonSpan(seasons_, *player));
        append(entries, std::move(item));
    }
    flush();
    PageData page;
    put(page, "letters", std::move(letters));
    return write(urls::playersIndex(), "Players", "players", std::move(page));
}

} // namespace boxloom::site::pages
