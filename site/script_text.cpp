#include "script_text.h"

namespace boxloom::site {

namespace {

bool needsEscape(char c) { return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20; }

} // namespace

void appendScriptString(std::string& out, std::string_view text) {
    out += '"';
    // Rows of tables run to megabytes: plain runs are copied whole.
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!needsEscape(c)) continue;
        out.append(text, plain, i - plain);
        plain = i + 1;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else {
            static constexpr char kHex[] = "0123456789abcdef";
            const auto byte = static_cast<unsigned char>(c);
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        }
    }
    out.append(text, plain);
    out += '"';
}

} // namespace boxloom::site
