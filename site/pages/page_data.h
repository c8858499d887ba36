#pragma once

// The pages' plain data made into the data of their templates: the one place
// that knows the templates' names for things.

#include "page_models.h"
#include "site_templates.h"

#include <string>
#include <utility>
#include <vector>

namespace boxloom::site::pages {

PageData list();
PageData boxesData(const LeaderBoxes& boxes);
PageData groupsData(const LeaderGroups& groups);
PageData textList(const std::vector<std::string>& texts);
std::string coordinate(double value);

// Links as the templates list them: each with its name and link.
PageData linksData(const std::vector<NamedLink>& links);
// A chart of one rate by season, as the data of the player template.
PageData rateChart(const std::string& label, const std::vector<std::pair<std::string, Ratio>>& points,
                   Shown shown);

PageData pageData(const FrontPage& page);
PageData pageData(const SeasonLeadersPage& page);
PageData pageData(const TeamPage& page);
PageData pageData(const FranchisePage& page);
PageData pageData(const PlayerPage& page);
PageData pageData(const std::vector<IndexLetter>& letters);
PageData pageData(const CareerPage& page);
PageData pageData(const RecordsPage& page);
PageData pageData(const GlossaryPage& page);
// A season table's page, and the script of the rows it leaves out ("" for none).
std::pair<PageData, std::string> pageData(const SeasonTablePage& page);

} // namespace boxloom::site::pages
