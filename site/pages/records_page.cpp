#include "page_builder.h"

#include "urls.h"

namespace boxloom::site::pages {

namespace {

// One team's season, as the team records rank it.
struct TeamSeason {
    const SeasonPages* season;
    Standing standing;
};

struct TeamRecord {
    const char* key;
    const char* title;
    Direction direction;
    Ratio (*value)(const Standing&);
    Shown shown;
};

constexpr TeamRecord kTeamRecords[] = {
    {"team-wins", "Most wins", Direction::HigherFirst,
     [](const Standing& s) {
         return Ratio{s.wins, 1};
     },
     Shown::Count},
    {"team-pct", "Best winning percentage", Direction::HigherFirst,
     [](const Standing& s) { return s.percentage; }, Shown::Average},
    {"team-runs", "Most runs scored", Direction::HigherFirst,
     [](const Standing& s) {
         return Ratio{s.runsScored, 1};
     },
     Shown::Count},
    {"team-allowed", "Fewest runs allowed", Direction::LowerFirst,
     [](const Standing& s) {
         return Ratio{s.runsAllowed, 1};
     },
     Shown::Count},
};

} // namespace

std::string SiteBuilder::recordsPage() {
    const std::string path = urls::records();
    PageData groups = list();
    // Every player's regular season, each qualifying by its own season's minimum;
    // the box shows the season where a season table shows the team.
    for (StatKind kind : {StatKind::Batting, StatKind::Pitching}) {
        std::vector<PlayerTotal> totals;
        std::vector<std::size_t> seasonOf;
        for (std::size_t s = 0; s < seasonPages_.size(); ++s) {
            for (PlayerTotal& total : seasonTotals(linesOfKind(*seasonPages_[s].data, kind), kRegular)) {
                total.team = seasonPages_[s].data->label;
                total.severalTeams = false;
                totals.push_back(std::move(total));
                seasonOf.push_back(s);
            }
        }
        PageData boxes = list();
        for (const Category& category : leaderCategories()) {
            if (category.kind != kind) continue;
            std::vector<Candidate> found;
            for (std::size_t i = 0; i < totals.size(); ++i) {
                const Counter minimum = minimumFor(category.qualifier, seasonPages_[seasonOf[i]].games);
                if (qualifies(category, totals[i].counters, minimum))
                    found.push_back({totals[i].player, category.value(totals[i].counters), i});
            }
            const std::string minimum =
                category.qualifier == Qualifier::None ? "" : "Each season's own qualifying minimum";
            append(boxes, box({std::string(category.key), std::string(category.title), minimum},
                              rankCandidates(found, category.direction, kLeaderCount), totals, category.shown,
                              path));
        }
        appendGroup(groups, kind == StatKind::Batting ? "Batting, single season" : "Pitching, single season",
                    std::move(boxes));
    }
    std::vector<TeamSeason> teamSeasons;
    for (const SeasonPages& season : seasonPages_)
        for (const Standing& standing : standings(*season.data))
            teamSeasons.push_back({&season, standing});
    // The candidates view their names: kept here for as long as the ranking runs.
    std::vector<std::string> names;
    for (const TeamSeason& team : teamSeasons)
        names.push_back(team.standing.team->name());
    PageData boxes = list();
    for (const TeamRecord& record : kTeamRecords) {
        std::vector<Candidate> found;
        for (std::size_t i = 0; i < teamSeasons.size(); ++i)
            found.push_back({names[i], record.value(teamSeasons[i].standing), i});
        PageData entries = list();
        for (const Ranked& entry : rankCandidates(found, record.direction, kLeaderCount)) {
            const TeamSeason& team = teamSeasons[entry.candidate.source];
            PageData item;
            put(item, "rank", entry.rank);
            put(item, "name", team.standing.team->name());
            put(item, "link", urls::relative(path, urls::team(team.season->folder, team.standing.team->id)));
            put(item, "team", team.season->data->label);
            put(item, "value", formatValue(entry.candidate.value, record.shown));
            append(entries, std::move(item));
        }
        PageData data;
        put(data, "key", record.key);
        put(data, "title", record.title);
        put(data, "entries", std::move(entries));
        append(boxes, std::move(data));
    }
    appendGroup(groups, "Teams, single season", std::move(boxes));
    PageData page;
    put(page, "groups", std::move(groups));
    put(page, "count", std::to_string(seasons_.size()));
    return write(path, "Records", "records", std::move(page));
}

} // namespace boxloom::site::pages
