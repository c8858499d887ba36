#include "output_folder.h"

#include "paths.h"
#include "platform_files.h"

namespace boxloom {

namespace {

// The folder and those of its parents that do not exist yet, the deepest first.
std::vector<std::string> missingFolders(std::string path) {
    std::vector<std::string> missing;
    while (!path.empty() && !platform::pathExists(path)) {
        missing.push_back(path);
        std::string parent(folderOf(path));
        while (parent.size() > 1 && (parent.back() == '/' || parent.back() == '\\'))
            parent.pop_back();
        if (parent == path) break;
        path = parent;
    }
    return missing;
}

} // namespace

void OutputFolder::removeIfUnused() const {
    for (const std::string& folder : made)
        if (!platform::removeEmptyFolder(folder).empty()) return;
}

OutputFolder prepareOutputFolder(const std::string& folder) {
    OutputFolder prepared;
    if (folder.empty()) {
        prepared.ready = true;
        return prepared;
    }
    std::vector<std::string> missing = missingFolders(folder);
    bool created = false;
    if (std::string reason = platform::makeFolders(folder, created); !reason.empty()) {
        prepared.lines.push_back(
            {true,
             folder + ": " + (reason == "is not a folder" ? reason : "cannot create the folder: " + reason)});
        return prepared;
    }
    if (created) {
        prepared.lines.push_back({false, "created folder " + folder});
        prepared.made = std::move(missing);
    }
    prepared.ready = true;
    return prepared;
}

} // namespace boxloom
