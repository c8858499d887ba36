#pragma once

// The classes of table rows that the pages give and that the page script
// (site.js) and the styles (site.css) act on: named here, and a test holds
// the two files to these names.

#include <string_view>

namespace boxloom::site::row_classes {

// A team's, a season's or a career's total: bold.
inline constexpr std::string_view kTotal = "total";
// A traded player's season total (TOT), before his team rows.
inline constexpr std::string_view kTradedTotal = "tot";
// One team's row of a traded player, kept under his total when sorted.
inline constexpr std::string_view kTradedPart = "part";
// Hidden by "Qualified only".
inline constexpr std::string_view kUnqualified = "unqualified";

} // namespace boxloom::site::row_classes
