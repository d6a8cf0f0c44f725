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
    return UniformBelow(engine_, n);
}

} // namespace zk
