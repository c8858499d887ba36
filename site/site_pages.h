#pragma once

// Every page of the site, made in memory from the league's seasons.

#include "league_data.h"

#include <optional>
#include <string>
#include <vector>

namespace boxloom::site {

class SiteTemplates; // site_templates.h: only the units that render pages take the template engine

struct SiteSettings {
    std::string title = "League statistics";
    std::optional<Counter> games; // games per team, when the league says
    std::string version;
};

// Where the pages go as soon as each is made. Pages are made in tasks, numbered
// in the site's fixed order and run on several threads at once: `put` is called
// from any thread, but never at once for one task.
class PageSink {
public:
    virtual ~PageSink() = default;
    // Before the first page.
    virtual void begin(std::size_t tasks) = 0;
    // A path relative to the site, with '/'.
    virtual void put(std::size_t task, const std::string& path, const std::string& bytes) = 0;
    // After a task's last page.
    virtual void taskDone(std::size_t task) { (void)task; }
    // True once no more pages are wanted: the tasks not begun are left out.
    virtual bool stopped() const { return false; }
    // Whether the files an earlier run made under this key are there to keep,
    // so that the group need not be made again; when not, the task's pages
    // from now on are the group of this key.
    virtual bool reuse(std::size_t task, const std::string& key) {
        (void)task;
        (void)key;
        return false;
    }
};

// Files the site offers for download beside its pages.
struct SiteDownloads {
    struct File {
        std::string name;
        std::string bytes;
    };
    // Per season, in the seasons' order: its export files.
    std::vector<std::vector<File>> seasonFiles;
    std::string database; // the database's bytes; "" when it is not offered
    bool empty() const { return seasonFiles.empty() && database.empty(); }
};

// The reason it failed (a template error), or "".
std::string buildSite(const std::vector<SeasonData>& seasons, const SiteSettings& settings,
                      const SiteTemplates& templates, PageSink& sink, const SiteDownloads& downloads = {});

// A season label as a folder name: letters, digits, '-', '_' and '.' kept,
// anything else '-'; never empty, never starting with a dot.
std::string folderNameFor(const std::string& label);

} // namespace boxloom::site
