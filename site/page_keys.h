#pragma once

// What each group of pages was made from, as a key the site's file list keeps
// beside the group's files: a later run that finds the same key, and the files,
// keeps them without making them again.

#include "league_data.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom::site {

// FNV-1a over what it is given, each text with its length so that no two
// sequences run together.
class Fingerprint {
public:
    Fingerprint& add(std::string_view text);
    Fingerprint& add(std::int64_t number);
    std::uint64_t value() const { return hash_; }
    // Sixteen hex digits.
    std::string hex() const;

private:
    void addBytes(const void* bytes, std::size_t size);
    std::uint64_t hash_ = 14695981039346656037ull;
};

// Every row, label and counter of a season.
std::uint64_t seasonFingerprint(const SeasonData& season);

// The keys of a site's pages: what every page shares (the program, its
// templates, the options, the seasons' labels and folders, the players' page
// names) with the seasons each group reads.
struct PageKeys {
    std::uint64_t shared = 0;
    std::vector<std::uint64_t> seasons; // in the seasons' order
    // A group's key: its name and the fingerprint of what it reads.
    std::string of(std::string_view group, const std::vector<std::size_t>& seasonsRead) const;
    std::string ofAll(std::string_view group) const; // a group that reads every season
};

} // namespace boxloom::site
