// The dice of the level generator and the level tools: a seeded random
// source with the draws they make from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/Random.h"

namespace zk {

class Dice {
public:
    explicit Dice(std::uint64_t seed) : random_(seed) {}
    int Below(int n) { return random_.RandomBelow(n); }
    int Range(int low, int high) { return low + Below(high - low + 1); } // inclusive
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T>
    const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }
    // An index drawn with the given integer weights; -1 when all are 0.
    int Weighted(const std::vector<int>& weights) {
        int total = 0;
        for (int w : weights) {
            total += w;
        }
        if (total <= 0) {
            return -1;
        }
        int draw = Below(total);
        for (std::size_t i = 0; i < weights.size(); ++i) {
            if (draw < weights[i]) {
                return static_cast<int>(i);
            }
            draw -= weights[i];
        }
        return -1;
    }

private:
    RandomSource random_;
};

} // namespace zk
