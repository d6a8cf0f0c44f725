// The random keys of the search state's hash: per placed cell, per open cell,
// side and code it faces, per class and tiles left of it, and per count of
// cells kept on their preferred class. Shared by the search's two units.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "today/SolverModel.h"

namespace zk::today::detail {

inline constexpr std::size_t PlacedKey = 0;
inline constexpr std::size_t FacingKey = CellCount;
inline constexpr std::size_t LeftKey = FacingKey + CellCount * 16;
inline constexpr std::size_t KeptKey = LeftKey + CellCount * (CellCount + 1);
inline constexpr std::size_t KeyCount = KeptKey + CellCount + 1;

inline const std::array<std::uint64_t, 2 * KeyCount>& Keys() {
    static const std::array<std::uint64_t, 2 * KeyCount> keys = [] {
        std::array<std::uint64_t, 2 * KeyCount> k{};
        std::uint64_t x = 0x5A4B3C2D1E0F9988ULL;
        for (auto& key : k) {
            std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            key = z ^ (z >> 31);
        }
        return k;
    }();
    return keys;
}

inline std::size_t LeftIndex(int cls, int left) {
    return LeftKey + U(cls) * (CellCount + 1) + U(left);
}

inline std::size_t FacingIndex(int cell, int side, int code) {
    return FacingKey + U(cell) * 16 + U(side) * 4 + U(code);
}

} // namespace zk::today::detail
