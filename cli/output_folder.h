#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace boxloom::cli {

struct OutputFolder {
    bool ready = false;
    // The folders that were missing and were made, the deepest first.
    std::vector<std::string> made;
    // After a failed run: a mistyped name leaves no empty folders behind.
    void removeIfUnused() const;
};

// Creates a missing output folder and its parents, saying so on `out`; anything
// else in its place fails, said on `err` after "PROGRAM: ".
OutputFolder prepareOutputFolder(const std::string& program, const std::string& folder, std::ostream& out,
                                 std::ostream& err);

} // namespace boxloom::cli
