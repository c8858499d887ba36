#include "season_removal.h"

#include "league_schema.h"
#include "platform_files.h"
#include "season_import.h"

namespace boxloom::database {

std::string deleteSeasonRows(Connection& db, const std::string& label) {
    for (const std::string& table : requiredTables()) {
        Statement forget(db, "DELETE FROM \"" + table + "\" WHERE \"Season\" = ?");
        forget.bindText(1, label);
        if (!forget.ok() || !forget.step()) return db.reason();
    }
    return {};
}

namespace {

bool holdsSeason(Connection& db, const std::string& label, std::string& reason) {
    Statement query(db, "SELECT 1 FROM \"Seasons\" WHERE \"Season\" = ?");
    query.bindText(1, label);
    if (!query.ok() || !query.step()) reason = db.reason();
    return query.hasRow();
}

std::string removeSeasonsIn(Connection& db, const std::vector<std::string>& labels) {
    for (const std::string& label : labels) {
        std::string reason;
        if (!holdsSeason(db, label, reason)) return reason.empty() ? "no season \"" + label + "\"" : reason;
        if (reason = deleteSeasonRows(db, label); !reason.empty()) return reason;
    }
    return {};
}

} // namespace

RemovalOutcome removeSeasons(const std::string& databasePath, const std::vector<std::string>& labels) {
    RemovalOutcome outcome;
    if (!platform::pathExists(databasePath)) {
        outcome.problems.push_back({databasePath, "not found"});
        return outcome;
    }
    Connection db;
    std::string reason = db.open(databasePath);
    if (reason.empty()) reason = schemaProblem(db);
    if (reason.empty()) reason = db.execute("BEGIN IMMEDIATE");
    if (reason.empty()) reason = readSeasonSummaries(db, outcome.removed, labels);
    if (reason.empty()) reason = removeSeasonsIn(db, labels);
    if (reason.empty()) reason = db.execute("COMMIT");
    if (reason.empty()) return outcome;
    if (db.inTransaction()) db.execute("ROLLBACK");
    outcome.removed.clear();
    outcome.problems.push_back({databasePath, reason});
    return outcome;
}

} // namespace boxloom::database
