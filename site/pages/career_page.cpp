#include "page_builder.h"

#include "urls.h"

namespace boxloom::site::pages {

std::string SiteBuilder::careerPage() {
    // Every regular-season line of a player, summed over the seasons.
    std::vector<PlayerTotal> batting, pitching;
    for (const auto& [key, player] : players_.byKey) {
        for (auto [lines, totals] :
             {std::pair{&player.batting, &batting}, std::pair{&player.pitching, &pitching}}) {
            PlayerTotal total{key.id, key.name, {}, false, {}};
            for (const PlayerLine& line : *lines)
                if (line.line->statType == kRegular) addCounters(total.counters, line.line->counters);
            if (!total.counters.empty()) totals->push_back(std::move(total));
        }
    }
    PageData groups = list();
    for (StatKind kind : {StatKind::Batting, StatKind::Pitching}) {
        PageData boxes = list();
        for (const Category& category : leaderCategories()) {
            if (category.kind != kind) continue;
            // The single-season minimums summed over the seasons.
            Counter minimum = 0;
            for (const SeasonPages& season : seasonPages_)
                minimum += minimumFor(category.qualifier, season.games);
            const std::vector<PlayerTotal>& totals = kind == StatKind::Batting ? batting : pitching;
            append(boxes, box(headingOf(category, minimum),
                              rankCandidates(categoryCandidates(category, totals, minimum),
                                             category.direction, kLeaderCount),
                              totals, category.shown, urls::career()));
        }
        PageData group;
        put(group, "heading", kind == StatKind::Batting ? "Batting" : "Pitching");
        put(group, "boxes", std::move(boxes));
        append(groups, std::move(group));
    }
    PageData page;
    put(page, "groups", std::move(groups));
    put(page, "first", seasons_.empty() ? "" : seasons_.front().label);
    put(page, "last", seasons_.empty() ? "" : seasons_.back().label);
    put(page, "count", std::to_string(seasons_.size()));
    return write(urls::career(), "Career leaders", "career", std::move(page));
}

} // namespace boxloom::site::pages
