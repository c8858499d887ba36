#include "run_identity.h"

#include "platform_files.h"

#include <charconv>

namespace boxloom {

namespace {

constexpr std::size_t kStartDigits = 16;

} // namespace

bool parseDecimal(std::string_view digits, std::uint32_t& value) {
    if (digits.empty()) return false;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc() && end == digits.data() + digits.size();
}

std::string formatRunId(const RunId& run) {
    std::string text = std::to_string(run.processId);
    if (run.started == 0) return text;
    char digits[kStartDigits];
    for (std::size_t i = 0; i < kStartDigits; ++i)
        digits[i] = "0123456789abcdef"[(run.started >> (4 * (kStartDigits - 1 - i))) & 0xF];
    return text + "_" + std::string(digits, kStartDigits);
}

std::optional<RunId> parseRunId(std::string_view text) {
    RunId run;
    const std::size_t mark = text.find('_');
    if (!parseDecimal(text.substr(0, mark), run.processId)) return std::nullopt;
    if (mark == std::string_view::npos) return run;
    const std::string_view start = text.substr(mark + 1);
    if (start.size() != kStartDigits || start.find_first_not_of("0123456789abcdef") != std::string_view::npos)
        return std::nullopt;
    std::from_chars(start.data(), start.data() + start.size(), run.started, 16);
    if (run.started == 0) return std::nullopt;
    return run;
}

RunId currentRun() {
    // Asked afresh in a forked child, which has a number and a start of its own.
    static thread_local RunId known;
    const std::uint32_t processId = platform::currentProcessId();
    if (known.processId != processId) known = {processId, platform::processStartStamp(processId).value_or(0)};
    return known;
}

bool runMayBeGoing(const RunId& run) {
    if (!platform::processMayBeRunning(run.processId)) return false;
    if (run.started == 0) return true;
    const auto started = platform::processStartStamp(run.processId);
    return !started || *started == run.started;
}

} // namespace boxloom
