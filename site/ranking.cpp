#include "ranking.h"

#include <algorithm>

namespace boxloom::site {

std::vector<Ranked> rankCandidates(std::vector<Candidate> candidates, Direction direction,
                                   std::size_t limit) {
    std::erase_if(candidates, [](const Candidate& c) { return !c.value.defined(); });
    const auto better = [direction](const Candidate& a, const Candidate& b) {
        const int order = compareRatios(a.value, b.value);
        return direction == Direction::HigherFirst ? order > 0 : order < 0;
    };
    std::stable_sort(candidates.begin(), candidates.end(), [&](const Candidate& a, const Candidate& b) {
        if (better(a, b)) return true;
        if (better(b, a)) return false;
        return a.sortName < b.sortName;
    });
    std::vector<Ranked> ranked;
    for (std::size_t first = 0; first < candidates.size() && first < limit;) {
        std::size_t end = first + 1;
        while (end < candidates.size() && compareRatios(candidates[end].value, candidates[first].value) == 0)
            ++end;
        const std::string rank = (end - first > 1 ? "T-" : "") + std::to_string(first + 1);
        for (std::size_t i = first; i < end; ++i)
            ranked.push_back({rank, std::move(candidates[i])});
        first = end;
    }
    return ranked;
}

std::vector<RecordStep> recordProgression(const std::vector<std::vector<Candidate>>& seasons,
                                          Direction direction) {
    std::vector<RecordStep> steps;
    RecordStep current;
    for (const std::vector<Candidate>& candidates : seasons) {
        const std::vector<Ranked> best = rankCandidates(candidates, direction, 1);
        if (!best.empty()) {
            const Ratio value = best.front().candidate.value;
            const int order = current.record ? compareRatios(value, *current.record) : 0;
            const bool better =
                !current.record || (direction == Direction::HigherFirst ? order > 0 : order < 0);
            if (better) {
                current.record = value;
                current.holders.clear();
            }
            if (better || order == 0)
                for (const Ranked& entry : best)
                    current.holders.push_back(entry.candidate);
        }
        steps.push_back(current);
    }
    return steps;
}

} // namespace boxloom::site
