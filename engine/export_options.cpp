#include "export_options.h"

namespace boxloom {

const char* teamNotationCode(TeamNotation notation) {
    switch (notation) {
    case TeamNotation::City: return "C";
    case TeamNotation::Nickname: return "N";
    case TeamNotation::Abbreviation: return "A";
    case TeamNotation::CityAndNickname: return "B";
    case TeamNotation::None: break;
    }
    return "";
}

} // namespace boxloom
