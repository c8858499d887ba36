// The site's pages of a season in which one player has very many rows (a
// hostile or odd database): the work must grow with the rows, not their square.

#include "league_adjusted.h"
#include "site_pages.h"
#include "site_templates.h"

#include <benchmark/benchmark.h>

namespace {

using namespace boxloom;

// Pages are made and dropped: what is measured is the making.
class NoSink final : public site::PageSink {
public:
    void begin(std::size_t) override {}
    void put(std::size_t, const std::string&, const std::string& bytes) override {
        benchmark::DoNotOptimize(bytes.data());
    }
};

SeasonData seasonOfOnePlayersRows(std::size_t rows) {
    SeasonData season;
    season.label = "2031";
    season.teams = {{1, "Ashford", "Foxes", "ASH"}};
    season.statTypes = {std::string(kRegular)};
    for (std::size_t i = 0; i < rows; ++i) {
        StatLine line;
        line.playerId = 1;
        line.player = "Many,Rows";
        line.teamId = 1;
        line.team = "Ashford Foxes";
        line.statType = std::string(kRegular);
        line.counters = Counters(bat::Count);
        line.counters[bat::AB] = 4;
        line.counters[bat::H] = static_cast<Counter>(i % 3);
        season.batting.push_back(std::move(line));
    }
    site::addLeagueAdjusted(season);
    return season;
}

void BM_SiteOfOnePlayersRows(benchmark::State& state) {
    const std::vector<SeasonData> seasons = {
        seasonOfOnePlayersRows(static_cast<std::size_t>(state.range(0)))};
    const site::SiteTemplates templates;
    for (auto _ : state) {
        NoSink sink;
        benchmark::DoNotOptimize(site::buildSite(seasons, {}, templates, sink));
    }
    state.counters["rows"] = static_cast<double>(state.range(0));
}

BENCHMARK(BM_SiteOfOnePlayersRows)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
