#pragma once

// The pages' plain models rendered by their templates: the one place that
// knows the templates' names for things.

#include "page_models.h"

#include <string>
#include <string_view>

namespace boxloom::site {
class SiteTemplates;
}

namespace boxloom::site::pages {

// What the layout shows around every page.
struct PageFrame {
    std::string path; // the page's own: its links are made from it
    std::string title;
    std::string league;
    std::string version;
};

// A page of one of the models' kinds by its template `name`, inside the
// layout, into `html`: "" or the reason it failed.
template <class Page>
std::string renderPage(const SiteTemplates& templates, std::string_view name, const PageFrame& frame,
                       const Page& page, std::string& html);
// A season table's page, and the script of the rows it leaves out ("" for none).
std::string renderPage(const SiteTemplates& templates, std::string_view name, const PageFrame& frame,
                       const SeasonTablePage& page, std::string& html, std::string& laterRows);

} // namespace boxloom::site::pages
