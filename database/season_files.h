#pragma once

// A season's export files made again from what its import stored: every row as
// the export wrote it, in UTF-8 with player and team numbers, for readers of
// the league's site to download.

#include "export_file_kinds.h"

#include <string>

namespace boxloom::database {

class Connection;

// The file's bytes into `bytes`; the reason it failed, or "".
std::string seasonFileBytes(Connection& db, const std::string& label, ExportFileKind kind,
                            std::string& bytes);

} // namespace boxloom::database
