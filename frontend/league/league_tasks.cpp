#include "league_tasks.h"

#include "import_report.h"
#include "output_folder.h"
#include "site_report.h"

namespace boxloom::frontend::league {

namespace {

Ending endingOf(bool succeeded, bool cancelled) {
    return cancelled ? Ending::Cancelled : succeeded ? Ending::Succeeded : Ending::Failed;
}

} // namespace

TaskResult importTask(const ImportRequest& request, const std::atomic<bool>& cancel,
                      const ProgressReport& progress, const Importer& importer) {
    std::vector<database::SeasonSource> seasons;
    for (const auto& [label, folder] : request.seasons)
        seasons.push_back({label, folder});
    const database::ImportControl control{progress, &cancel, request.replace, {}};
    const database::ImportOutcome outcome =
        importer ? importer(request.database, seasons, control)
                 : database::importSeasons(request.database, seasons, ExportOptions{}, control);
    return {endingOf(outcome.succeeded(), outcome.cancelled),
            database::importReport(request.database, seasons, outcome, database::ReplaceBy::Question),
            database::replaceQuestion(request.database, outcome)};
}

TaskResult removeTask(const std::string& database, const std::string& label) {
    const database::RemovalOutcome outcome = database::removeSeasons(database, {label});
    return {endingOf(outcome.succeeded(), false), database::removalReport(database, outcome), {}};
}

TaskResult siteTask(site::SiteOptions options, const std::atomic<bool>& cancel,
                    const ProgressReport& progress, const SiteMaker& maker) {
    TaskResult result;
    const OutputFolder folder = prepareOutputFolder(options.outputFolder);
    result.lines = folder.lines;
    if (!folder.ready) {
        result.ending = Ending::Failed;
        return result;
    }
    options.watch = {progress, &cancel};
    const site::SiteOutcome outcome = maker ? maker(options) : site::makeSite(options);
    for (ReportLine& line : site::siteReport(outcome))
        result.lines.push_back(std::move(line));
    result.ending = endingOf(outcome.succeeded(), outcome.cancelled());
    if (result.ending != Ending::Succeeded) folder.removeIfUnused();
    return result;
}

} // namespace boxloom::frontend::league
