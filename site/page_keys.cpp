#include "page_keys.h"

namespace boxloom::site {

namespace {

void addCounters(Fingerprint& print, const Counters& counters) {
    print.add(static_cast<std::int64_t>(counters.size()));
    for (Counter value : counters)
        print.add(value);
}

void addLines(Fingerprint& print, const std::vector<StatLine>& lines) {
    print.add(static_cast<std::int64_t>(lines.size()));
    for (const StatLine& line : lines) {
        print.add(line.hasPlayer ? 1 : 0).add(line.playerId).add(line.player).add(line.teamId).add(line.team);
        print.add(line.statType).add(line.position);
        addCounters(print, line.counters);
        for (const Counters& side : line.splits)
            addCounters(print, side);
    }
}

} // namespace

Fingerprint& Fingerprint::add(std::string_view text) {
    add(static_cast<std::int64_t>(text.size()));
    addBytes(text.data(), text.size());
    return *this;
}

Fingerprint& Fingerprint::add(std::int64_t number) {
    unsigned char bytes[8];
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<unsigned char>(static_cast<std::uint64_t>(number) >> (8 * i));
    addBytes(bytes, sizeof bytes);
    return *this;
}

void Fingerprint::addBytes(const void* bytes, std::size_t size) {
    const auto* byte = static_cast<const unsigned char*>(bytes);
    for (std::size_t i = 0; i < size; ++i) {
        hash_ ^= byte[i];
        hash_ *= 1099511628211ull;
    }
}

std::string Fingerprint::hex() const {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 0; i < 16; ++i)
        text[static_cast<std::size_t>(15 - i)] = kDigits[(hash_ >> (4 * i)) & 15];
    return text;
}

std::uint64_t seasonFingerprint(const SeasonData& season) {
    Fingerprint print;
    print.add(season.label);
    print.add(static_cast<std::int64_t>(season.teams.size()));
    for (const Team& team : season.teams)
        print.add(team.id).add(team.city).add(team.nickname).add(team.abbreviation);
    for (const auto* lines : {&season.batting, &season.pitching, &season.fielding})
        addLines(print, *lines);
    print.add(static_cast<std::int64_t>(season.pitchers.size()));
    for (std::int64_t id : season.pitchers)
        print.add(id);
    for (const std::string& type : season.statTypes)
        print.add(type);
    return print.value();
}

std::string PageKeys::of(std::string_view group, const std::vector<std::size_t>& seasonsRead) const {
    Fingerprint print;
    print.add(static_cast<std::int64_t>(shared));
    for (std::size_t season : seasonsRead)
        print.add(static_cast<std::int64_t>(seasons.at(season)));
    return std::string(group) + " " + print.hex();
}

std::string PageKeys::ofAll(std::string_view group) const {
    std::vector<std::size_t> all(seasons.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = i;
    return of(group, all);
}

} // namespace boxloom::site
