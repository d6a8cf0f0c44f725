#include "model/Random.h"

#include <chrono>

namespace zk {

RandomSource::RandomSource() {
    SeedFromTimeOfDay();
}

void RandomSource::SeedFromTimeOfDay() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    Seed(static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

int RandomSource::RandomBelow(int n) {
    if (n <= 1) {
        return 0;
    }
    const auto range = static_cast<std::uint64_t>(n);
    // Largest multiple of range that fits; draws at or above it are rejected.
    const std::uint64_t limit = std::mt19937_64::max() - std::mt19937_64::max() % range;
    std::uint64_t draw = engine_();
    while (draw >= limit) {
        draw = engine_();
    }
    return static_cast<int>(draw % range);
}

} // namespace zk
