// The team and player loaders over any bytes.

#include "byte_source.h"
#include "league_files.h"

#include <cstdlib>
#include <memory>

using namespace boxloom;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    MemoryByteSource source({data + 1, size - 1});
    const auto notation = static_cast<TeamNotation>(data[0] % 5);
    if (data[0] & 0x80) {
        auto teams = std::make_unique<TeamTable>();
        const LoadResult result = loadTeamFile(source, notation, *teams);
        if (!result.error.empty() || result.recordsRead != (size - 1 + kTeamRecordSize - 1) / kTeamRecordSize)
            std::abort();
        const TeamTable& read = *teams; // reading must not grow the table
        for (int number = 0; number < read.size(); ++number)
            if (read[number].abbreviation.size() > 3) std::abort();
    } else {
        auto players = std::make_unique<PlayerTable>();
        const LoadResult result = loadPlayerFile(source, *players);
        if (!result.error.empty() ||
            result.recordsRead != (size - 1 + kPlayerRecordSize - 1) / kPlayerRecordSize)
            std::abort();
        const PlayerTable& read = *players;
        for (int number = 0; number < read.size(); ++number)
            if (read[number].displayName.size() > 16 + 1 + 14) std::abort();
    }
    return 0;
}
