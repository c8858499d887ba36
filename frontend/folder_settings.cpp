#include "folder_settings.h"

#include "control_table.h"

namespace boxloom::frontend {

const std::array<FolderSetting, 2> kFolderSettings = {{
    {"zelfolder.txt", ids::kZelFolderBox, ids::kChangeZelFolder, "CHANGE ZEL FOLDER"},
    {"zelseason.txt", ids::kSeasonFolderBox, ids::kChangeSeasonFolder, "CHANGE SEASON FOLDER"},
}};

std::string readSettingValue(std::string_view bytes) {
    std::size_t next = bytes.find_first_not_of(' ');
    if (next == std::string_view::npos) return {};
    if (bytes[next] == '"') {
        const std::size_t close = bytes.find('"', next + 1);
        return std::string(
            bytes.substr(next + 1, close == std::string_view::npos ? close : close - next - 1));
    }
    std::string value;
    for (; next < bytes.size(); ++next) {
        const char c = bytes[next];
        if (c == '\r' || c == '\n' || c == '\x1A') break;
        if (c != '\t') value += c;
    }
    return value;
}

std::string settingFileBytes(std::string_view path) {
    std::string bytes(path);
    bytes += "\r\n";
    return bytes;
}

} // namespace boxloom::frontend
