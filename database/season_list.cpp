#include "season_list.h"

#include "export_file_kinds.h"
#include "league_schema.h"

#include <algorithm>

namespace boxloom::database {

namespace {

std::string summariesSql() {
    std::string rows;
    for (ExportFileKind kind : kExportFileKinds)
        rows += std::string(rows.empty() ? "" : " + ") + "(SELECT count(*) FROM \"" +
                describeTable(kind).name + "\" r WHERE r.\"Season\" = s.\"Season\")";
    return "SELECT s.\"Season\", ifnull((SELECT max(\"Year\") FROM \"Teams\" t WHERE t.\"Season\" = "
           "s.\"Season\"), 0), (SELECT count(*) FROM \"Teams\" t WHERE t.\"Season\" = s.\"Season\"), "
           "(SELECT count(*) FROM \"Players\" p WHERE p.\"Season\" = s.\"Season\"), " +
           rows +
           ", ifnull(s.\"ImportedAt\", ''), ifnull((SELECT max(g) FROM (SELECT sum(p.\"GS\") g FROM "
           "\"Pitching_Stats\" p WHERE p.\"Season\" = s.\"Season\" AND p.\"StatType\" = 'Regular' "
           "GROUP BY p.\"TeamID\")), 0) FROM \"Seasons\" s ORDER BY s.\"Season\"";
}

} // namespace

SeasonListCells seasonListCells(const SeasonSummary& season) {
    std::string imported = season.importedAt;
    // "2026-12-09T22:23:35Z" reads as "2026-12-09 22:23 UTC".
    if (imported.size() == 20 && imported[10] == 'T' && imported.back() == 'Z')
        imported = imported.substr(0, 10) + " " + imported.substr(11, 5) + " UTC";
    return {season.label,
            season.year > 0 ? std::to_string(season.year) : std::string(),
            std::to_string(season.teams),
            std::to_string(season.players),
            std::to_string(season.rows),
            season.games > 0 ? std::to_string(season.games) : std::string(),
            imported};
}

std::string readSeasonSummaries(Connection& db, std::vector<SeasonSummary>& list,
                                const std::vector<std::string>& labels) {
    list.clear();
    Statement query(db, summariesSql());
    if (!query.ok()) return db.reason();
    for (;;) {
        if (!query.step()) return db.reason();
        if (!query.hasRow()) return {};
        SeasonSummary season{query.textColumn(0),    query.integerColumn(1), query.integerColumn(2),
                             query.integerColumn(3), query.integerColumn(4), query.textColumn(5),
                             query.integerColumn(6)};
        if (labels.empty() || std::find(labels.begin(), labels.end(), season.label) != labels.end())
            list.push_back(std::move(season));
    }
}

} // namespace boxloom::database
