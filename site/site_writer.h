#pragma once

// Writes the site's files into a folder: a file is replaced only when its bytes
// change, and the pages of an earlier site that this one no longer has are
// removed. The site remembers its files in a list beside them; nothing else in
// the folder is touched.

#include "site_pages.h"

#include <string>
#include <vector>

namespace boxloom::site {

inline constexpr std::string_view kFileList = ".boxloom-site";

struct WriteSummary {
    std::size_t written = 0;
    std::size_t unchanged = 0;
    std::size_t removed = 0;
    std::vector<std::string> problems; // "PATH: reason"
};

WriteSummary writeSite(const std::string& folder, const std::vector<SiteFile>& files);

// Whether a path from the file list is one the site may have written: relative,
// without "..", drive letters or backslashes.
bool isSitePath(std::string_view path);

} // namespace boxloom::site
