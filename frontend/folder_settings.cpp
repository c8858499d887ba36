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

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int length = lead < 0x80           ? 1
                           : (lead >> 5) == 0x6  ? 2
                           : (lead >> 4) == 0xE  ? 3
                           : (lead >> 3) == 0x1E ? 4
                                                 : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > bytes.size()) return false;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) return false;
            point = (point << 6) | (next & 0x3F);
        }
        constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (point < kSmallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
            return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

std::string settingValueAsUtf8(std::string_view value, std::string (*fromLegacy)(std::string_view)) {
    return isValidUtf8(value) ? std::string(value) : fromLegacy(value);
}

std::string settingFileBytes(std::string_view path) {
    std::string bytes(path);
    bytes += "\r\n";
    return bytes;
}

} // namespace boxloom::frontend
