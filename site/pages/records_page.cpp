#include "page_builder.h"

#include "urls.h"

#include <algorithm>
#include <iterator>

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

// Every player's regular seasons of a kind, each with the season it belongs to.
struct SingleSeasons {
    std::vector<PlayerTotal> totals; // the team is the season's label, where a table shows the team
    std::vector<std::size_t> seasonOf;
};

SingleSeasons singleSeasons(const std::vector<SeasonPages>& seasons, StatKind kind) {
    SingleSeasons all;
    for (std::size_t s = 0; s < seasons.size(); ++s) {
        for (PlayerTotal& total : seasonTotals(linesOfKind(*seasons[s].data, kind), kRegular)) {
            total.team = seasons[s].data->label;
            total.severalTeams = false;
            all.totals.push_back(std::move(total));
            all.seasonOf.push_back(s);
        }
    }
    return all;
}

// The seasons that qualify for a category, each by its own season's minimum.
std::vector<Candidate> qualifiedSeasons(const Category& category, const SingleSeasons& all,
                                        const std::vector<SeasonPages>& seasons,
                                        std::optional<std::size_t> onlySeason = std::nullopt) {
    std::vector<Candidate> found;
    for (std::size_t i = 0; i < all.totals.size(); ++i) {
        if (onlySeason && all.seasonOf[i] != *onlySeason) continue;
        const Counter minimum = minimumFor(category.qualifier, seasons[all.seasonOf[i]].games);
        if (qualifies(category, all.totals[i].counters, minimum))
            found.push_back({all.totals[i].player, category.value(all.totals[i].counters), i});
    }
    return found;
}

// The categories whose record is followed season by season.
constexpr std::string_view kProgressiveRecords[] = {"hr", "avg"};

} // namespace

RecordProgression SiteBuilder::progression(const Category& category, const std::string& from) const {
    const SingleSeasons all = singleSeasons(seasonPages_, category.kind);
    std::vector<std::vector<Candidate>> bySeason;
    for (std::size_t s = 0; s < seasonPages_.size(); ++s)
        bySeason.push_back(qualifiedSeasons(category, all, seasonPages_, s));
    const std::vector<RecordStep> steps = recordProgression(bySeason, category.direction);
    RecordProgression made{"progress-" + std::string(category.key), std::string(category.title), {}};
    for (std::size_t s = 0; s < steps.size(); ++s) {
        if (!steps[s].record) continue;
        RecordAfterSeason& after = made.seasons.emplace_back();
        after.season = seasonPages_[s].data->label;
        for (const Candidate& holder : steps[s].holders) {
            const PlayerTotal& total = all.totals[holder.source];
            after.holders.push_back({displayName(total.player),
                                     playerLink(from, total.playerId, total.player),
                                     std::string(total.team)});
        }
        after.value = formatValue(*steps[s].record, category.shown);
    }
    return made;
}

RecordsPage SiteBuilder::records() const {
    const std::string path = urls::records();
    RecordsPage page;
    // Every player's regular season, each qualifying by its own season's minimum;
    // the box shows the season where a season table shows the team.
    for (StatKind kind : {StatKind::Batting, StatKind::Pitching}) {
        const SingleSeasons all = singleSeasons(seasonPages_, kind);
        LeaderGroup& group = page.groups.emplace_back();
        group.heading = kind == StatKind::Batting ? "Batting, single season" : "Pitching, single season";
        for (const Category& category : leaderCategories()) {
            if (category.kind != kind) continue;
            const std::string minimum =
                category.qualifier == Qualifier::None ? "" : "Each season's own qualifying minimum";
            group.boxes.push_back(box({std::string(category.key), std::string(category.title), minimum},
                                      rankCandidates(qualifiedSeasons(category, all, seasonPages_),
                                                     category.direction, kLeaderCount),
                                      all.totals, category.shown, path));
        }
    }
    const CareerTotals careers = careerTotals(players_);
    for (StatKind kind : {StatKind::Batting, StatKind::Pitching})
        page.groups.push_back({kind == StatKind::Batting ? "Batting, career" : "Pitching, career",
                               careerBoxes(kind, careers.of(kind), path, "career-")});
    page.groups.push_back({"Teams, single season", teamRecordBoxes(path)});
    for (const Category& category : leaderCategories())
        if (std::find(std::begin(kProgressiveRecords), std::end(kProgressiveRecords), category.key) !=
            std::end(kProgressiveRecords))
            page.progressions.push_back(progression(category, path));
    page.seasons = seasons_.size();
    return page;
}

LeaderBoxes SiteBuilder::teamRecordBoxes(const std::string& from) const {
    std::vector<TeamSeason> teamSeasons;
    for (const SeasonPages& season : seasonPages_)
        for (const Standing& standing : standings(*season.data))
            teamSeasons.push_back({&season, standing});
    // The candidates view their names: kept here for as long as the ranking runs.
    std::vector<std::string> names;
    for (const TeamSeason& team : teamSeasons)
        names.push_back(team.standing.team->name());
    LeaderBoxes boxes;
    for (const TeamRecord& record : kTeamRecords) {
        std::vector<Candidate> found;
        for (std::size_t i = 0; i < teamSeasons.size(); ++i)
            found.push_back({names[i], record.value(teamSeasons[i].standing), i});
        LeaderBox& made = boxes.emplace_back(LeaderBox{record.key, record.title, "", {}});
        for (const Ranked& entry : rankCandidates(found, record.direction, kLeaderCount)) {
            const TeamSeason& team = teamSeasons[entry.candidate.source];
            made.entries.push_back(
                {entry.rank, team.standing.team->name(),
                 urls::relative(from, urls::team(team.season->folder, team.standing.team->id)),
                 team.season->data->label, formatValue(entry.candidate.value, record.shown)});
        }
    }
    return boxes;
}

std::string SiteBuilder::recordsPage() { return write(urls::records(), "Records", "records", records()); }

} // namespace boxloom::site::pages
