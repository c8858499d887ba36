#include "page_builder.h"
#include "site_templates.h"

#include "season_stats.h"
#include "urls.h"

namespace boxloom::site::pages {

namespace {

// How the site counts and qualifies, as its readers are told.
const std::vector<std::string>& glossaryRules() {
    static const std::vector<std::string> rules = {
        "N, the games per team of a season, is the number given to the site, otherwise the highest team "
        "total of "
        "pitchers' games started in the season's Regular rows (one starter per team game). Playoff "
        "leaders use the "
        "most games started by a team in that playoff round.",
        "Batting rate titles (AVG, OBP, SLG, OBP+SLG, OPS+, wOBA, wRC+) need PA = AB + BB + HBP + SH + "
        "SF + CI of at least "
        "3.1 × N, "
        "rounded to the nearest whole number (502 for N = 162).",
        "Pitching rate titles (ERA, ERA+, FIP, OAVG, WHIP, K/9) need at least 3 × N outs (N innings).",
        "Fielding average at a position needs games there of at least 2/3 of N; for catchers 1/2 of N; "
        "for pitchers N innings pitched.",
        "Winning percentage needs at least N / 12 decisions (W + L), rounded up.",
        "Counting categories have no minimum.",
        "Players are ranked on exact values computed from the counters, not on the printed figures. For "
        "ERA, FIP, "
        "OAVG and WHIP lower is better. Players with the same value share a rank, shown as T-2, and are "
        "listed "
        "alphabetically; when players share the last place of a list, all of them are listed.",
        "A team's wins and losses are the sums of its pitchers' W and L in the Regular rows. Standings "
        "are ordered by "
        "winning percentage, then wins, then team name.",
        "Careers sum each player's counters over the seasons and recompute the rates from the sums; "
        "innings are "
        "summed as outs. Career minimums are the single-season minimums summed over the seasons of the "
        "site; a franchise's over its seasons.",
        "A player is the same player in two seasons when both PlayerID and name match. A PlayerID that "
        "comes with another name is kept apart, as another player.",
        "RS and RA are a team's runs scored (the R of its batting rows) and allowed (the R of its "
        "pitching rows); Pyth is the record those runs predict over its games: W = G \u00d7 RS^1.83 / "
        "(RS^1.83 + RA^1.83), rounded.",
        "A player with rows for several teams in a season has his season total, TOT, before them, and "
        "they sort with it; \"Qualified only\" keeps them when the total qualifies, and leaders and "
        "records rank on it.",
        "Records are the best single regular seasons of the site's seasons; a rate qualifies by the "
        "minimum of its own season.",
        "A franchise is a team number across the seasons, under whatever name each season gives it. Its "
        "playoff round is the last round it has rows in; it won the season when that is the last round "
        "and its pitchers' W there exceed their L.",
        "PreSeason rows never count toward leaders or careers.",
        "League-adjusted figures (OPS+, wOBA, wRAA, wRC, wRC+, ERA+, FIP) measure each season against "
        "its own league's Regular totals, with no park factor. The league figures are ratios of summed "
        "counters; the batting ones leave out pitchers' own batting.",
        "wOBA's weights come from the league's runs per out (its pitchers' R over their outs) by Tango's "
        "method: runBB = R/out + 0.14, runHBP = runBB + 0.025, run1B = runBB + 0.155, run2B = run1B + "
        "0.3, run3B = run2B + 0.27, runHR = 1.4; each weight is (run + runMinus) × scale, scaled so "
        "that the league's wOBA is its OBP without intentional walks.",
        "FIP's constant cFIP is lgERA − (13 × lgHR + 3 × (lgBB + lgHBP) − 2 × "
        "lgSO) / lgIP, so the league's FIP is its ERA; HR and HBP allowed come from the pitchers' "
        "splits.",
        "A season's total of several teams (TOT) shares that season's league figures: its OPS+, wOBA, "
        "wRAA, wRC and wRC+ are the formulas on its own summed line. A career weighs each season's league "
        "figures by the player's plate appearances (OPS+, wRAA, wRC, wRC+) or outs (ERA+, FIP) in it.",
        "A rate whose divisor is zero is shown as —.",
    };
    return rules;
}

// The rounds by the names the league's files give them.
std::string_view roundMeaning(StatType round) {
    switch (round) {
    case StatType::PreSeason: return "Exhibition games before the season; they count toward nothing";
    case StatType::Regular: return "The regular season: standings, leaders, records and careers";
    case StatType::Dcs: return "Division championship series, the first playoff round";
    case StatType::Lcs: return "League championship series, the second playoff round";
    case StatType::Ws: return "The final playoff series, whose winner is the season's champion";
    case StatType::Unnamed: break;
    }
    return {};
}

} // namespace

GlossaryPage glossary() {
    GlossaryPage page;
    std::set<std::string> seen;
    for (auto columns : {battingColumns(), pitchingColumns(), fieldingColumns()})
        for (const StatColumn& column : columns)
            if (seen.insert(std::string(column.label) + "|" + std::string(column.meaning)).second)
                page.terms.push_back({std::string(column.label), std::string(column.meaning)});
    for (int code = 0; code <= kMaxStatTypeCode; ++code)
        if (const std::string_view name = statTypeName(code); !name.empty())
            page.terms.push_back({std::string(name), std::string(roundMeaning(static_cast<StatType>(code)))});
    page.rules = glossaryRules();
    return page;
}

std::string SiteBuilder::glossaryPage() {
    return write(urls::glossary(), "Glossary", "glossary", glossary());
}

std::string SiteBuilder::styleSheet() {
    sink_.put(task_, urls::styleSheet(), templates_.text("site.css"));
    sink_.put(task_, urls::icon(), templates_.text("icon.svg"));
    sink_.put(task_, urls::pageScript(), templates_.text("site.js"));
    return {};
}

} // namespace boxloom::site::pages
