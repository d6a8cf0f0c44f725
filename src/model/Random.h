// The random source behind the scramble and the held-cell choice.
#pragma once

#include <cstdint>
#include <random>

namespace zk {

class RandomSource {
public:
    // Seeded from the time of day, so every run draws differently.
    RandomSource();
    explicit RandomSource(std::uint64_t seed) { Seed(seed); }

    void Seed(std::uint64_t seed) { engine_.seed(seed); }
    void SeedFromTimeOfDay();

    // A uniform integer 0..n-1; n of 1 or less answers 0 without drawing.
    // The draw is our own rejection sampling over the engine's output, so a
    // given seed gives the same sequence with every standard library.
    int RandomBelow(int n);

private:
    std::mt19937_64 engine_;
};

} // namespace zk
