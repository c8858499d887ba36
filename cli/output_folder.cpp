#include "output_folder.h"

#include "platform_files.h"

namespace boxloom::cli {

bool prepareOutputFolder(const std::string& program, const std::string& folder, std::ostream& out,
                         std::ostream& err) {
    if (folder.empty()) return true;
    bool created = false;
    if (std::string reason = platform::makeFolders(folder, created); !reason.empty()) {
        err << program << ": " << folder << ": "
            << (reason == "is not a folder" ? reason : "cannot create the folder: " + reason) << '\n';
        return false;
    }
    if (created) out << "created folder " << folder << '\n';
    return true;
}

} // namespace boxloom::cli
