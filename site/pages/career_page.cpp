#include "page_builder.h"

#include "line_kinds.h"

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
        std::vector<Counter> games;
        for (const SeasonPages& season : seasonPages_)
            games.push_back(season.games);
        const Counter minimum = minimumOverSeasons(category.qualifier, games);
        BoxHeading heading = headingOf(category, minimum);
        heading.key = keyPrefix + heading.key;
        boxes.push_back(box(
            heading,
            rankCandidates(categoryCandidates(category, totals, minimum), category.direction, kLeaderCount),
            totals, category.shown, from));
    }
    return boxes;
}

CareerPage SiteBuilder::careerLeaders() const {
    const CareerTotals careers = careerTotals(players_);
    CareerPage page;
    for (StatKind kind : {StatKind::Batting, StatKind::Pitching})
        page.groups.push_back(
            {std::string(lineKind(kind).heading), careerBoxes(kind, careers.of(kind), urls::career(), "")});
    if (!seasons_.empty()) {
        page.first = seasons_.front().label;
        page.last = seasons_.back().label;
    }
    page.seasons = seasons_.size();
    return page;
}

std::string SiteBuilder::careerPage() {
    return write(urls::career(), "Career leaders", "career", careerLeaders());
}

} // namespace boxloom::site::pages
