#include "season_stats.h"

namespace boxloom {

namespace {
constexpr std::array<std::string_view, kMaxStatTypeCode + 1> kStatTypeNames = {
    "PreSeason", "Regular", "", "DCS", "LCS", "WS", "", "", ""};
}

std::string_view statTypeName(int statTypeCode) {
    if (statTypeCode < 0 || statTypeCode > kMaxStatTypeCode) return {};
    return kStatTypeNames[static_cast<std::size_t>(statTypeCode)];
}

} // namespace boxloom
