#include "page_builder.h"

#include "urls.h"

namespace boxloom::site::pages {

CareerTotals careerTotals(const Players& players) {
    CareerTotals careers;
    for (const auto& [key, player] : players.byKey) {
        for (auto [lines, totals] :
             {std::pair{&player.batting, &careers.batting}, std::pair{&player.pitching, &careers.pitching}}) {
            PlayerTotal total{key.id, key.name, {}, false, {}};
            for (const PlayerLine& line : *lines)
                if (line.line->statType == kRegular) addCounters(total.counters, line.line->counters);
            if (!total.counters.empty()) totals->push_back(std::move(total));
        }
    }
    return careers;
}

LeaderBoxes SiteBuilder::careerBoxes(StatKind kind, const std::vector<PlayerTotal>& totals,
                                     const std::string& from, const std::string& keyPrefix) const {
    LeaderBoxes boxes;
    for (const Category& category : leaderCategories()) {
        if (category.kind != kind) continue;
        // The single-season minimums summed over the seasons.
        Counter minimum = 0;
        for (const SeasonPages& season : seasonPages_)
            minimum += minimumFor(category.qualifier, season.games);
        BoxHeading heading = headingOf(category, minimum);
        heading.key = keyPrefix + heading.key;
        boxes.push_back(box(
            heading,
            rankCandidates(categoryCandidates(category, totals, minimum), category.direction, kLeaderCount),
            totals, category.shown, from));
    }
    return boxes;
}

std::string SiteBuilder::careerPage() {
    const CareerTotals careers = careerTotals(players_);
    PageData groups = list();
    for (StatKind kind : {StatKind::Batting, StatKind::Pitching})
        appendGroup(groups, kind == StatKind::Batting ? "Batting" : "Pitching",
                    careerBoxes(kind, careers.of(kind), urls::career(), ""));
    PageData page;
    put(page, "groups", std::move(groups));
    put(page, "first", seasons_.empty() ? "" : seasons_.front().label);
    put(page, "last", seasons_.empty() ? "" : seasons_.back().label);
    put(page, "count", std::to_string(seasons_.size()));
    return write(urls::career(), "Career leaders", "career", std::move(page));
}

} // namespace boxloom::site::pages
