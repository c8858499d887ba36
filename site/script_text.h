#pragma once

// Texts the site's scripts carry: the search index and the rows of long tables.

#include <string>
#include <string_view>

namespace boxloom::site {

// `text` as a JavaScript string literal, quotes included.
void appendScriptString(std::string& out, std::string_view text);

} // namespace boxloom::site
