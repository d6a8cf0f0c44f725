// The random source behind the scramble and the held-cell choice.
#pragma once

#include <cstdint>
#include <random>

namespace zk {

// A uniform integer 0..n-1 from an engine whose draws are uniform over
// 0..Engine::max(); n of 1 or less answers 0 without drawing. Draws at or
// above the largest multiple of n that fits are rejected and drawn again,
// so no value is favoured by the remainder.
template <class Engine>
int UniformBelow(Engine& engine, int n) {
    static_assert(Engine::min() == 0);
    if (n <= 1) {
        return 0;
    }
    const auto range = static_cast<std::uint64_t>(n);
    const std::uint64_t max = Engine::max();
    const std::uint64_t limit = max - max % range;
    std::uint64_t draw = engine();
    while (draw >= limit) {
        draw = engine();
    }
    return static_cast<int>(draw % range);
}

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
