// The level generator: levels a person would design, graded by the
// deducer's rules. A level is an area of movable tiles (a figure or a
// picture), filled with a network of connections and stored solved; movable
// tiles are fixed in place (pinned, keeping their edges) until the deducer's
// rules, up to the hardest one the level is meant to need, solve it alone,
// which proves its solution single.
//
// What a seed makes depends only on the random source, the deducer's rules
// and the catalogue: never on a search's order, timing or threads. The same
// seed gives the same bytes on every machine and build of one generator
// version; a change that alters any level a seed makes must raise the
// version.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Board.h"
#include "model/Deducer.h"

namespace zk {

inline constexpr int GeneratorVersion = 1;

// The seed and count of the level set shipped as data/zklv.dat.
inline constexpr std::uint64_t ShippedSeed = 2025;
inline constexpr int ShippedCount = 200;

struct GeneratedLevel {
    LevelRecord record{};
    std::string shape; // the kind of area the movable tiles cover
    RuleRating rating;
    int movableCells = 0;
};

// The paced set, levels 1..count in playing order (count 1..500). The first
// twelve teach one idea each; from the thirteenth every level is solved by
// the deducer's rules alone, each rule introduced by levels that need it and
// nothing harder, then mixed in, with easier levels after hard stretches.
std::vector<GeneratedLevel> GenerateLevels(std::uint64_t seed, int count);

// How hard a single level is by its rating.
enum class Band : int { Easy = 0, Medium = 1, Hard = 2, Expert = 3 };
inline constexpr int BandCount = 4;

// The band a rating falls in; none for a level the rules do not solve, or
// one that needs "what if" more than three times.
std::optional<Band> BandOf(const RuleRating& rating);

// One level of the band from a seed, solved by the deducer's rules alone;
// the same bytes for the same band and seed. Quick: a few hundred
// milliseconds at the most.
GeneratedLevel GenerateLevel(Band band, std::uint64_t seed);

} // namespace zk
