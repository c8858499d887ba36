#include "page_builder.h"

#include "urls.h"

namespace boxloom::site::pages {

std::vector<IndexLetter> SiteBuilder::playersIndexLetters() const {
    // (last name in capitals, PlayerID): each worked out once, not at every comparison.
    std::vector<std::pair<std::pair<std::string, std::int64_t>, const Player*>> keyed;
    for (const auto& [key, player] : players_.byKey)
        keyed.push_back({{lastNameKey(key.name), key.id}, &player});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<IndexLetter> letters;
    for (const auto& [sortKey, player] : keyed) {
        const char first = sortKey.first.empty() ? '#' : sortKey.first[0];
        const std::string letter = first >= 'A' && first <= 'Z' ? std::string(1, first) : "#";
        if (letters.empty() || letters.back().letter != letter)
            letters.push_back({letter, letter == "#" ? "other" : letter, {}});
        letters.back().players.push_back(
            {displayName(player->key.name), player->page, seasonSpan(seasons_, *player)});
    }
    return letters;
}

std::string SiteBuilder::playersIndex() {
    return write(urls::playersIndex(), "Players", "players", playersIndexLetters());
}

} // namespace boxloom::site::pages
