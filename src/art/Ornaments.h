// The ornaments on the fixed tiles without connections, in 48 x 48 tile
// units. Every ornament has the same signature so that the table of pieces
// can name it; each reads from its Detail what it needs and ignores the rest.
#pragma once

#include "art/Art.h"
#include "art/Textures.h"

#include <array>
#include <cstdint>

namespace zk::art {

// What a piece's table row gives its ornament.
struct Detail {
    std::array<std::uint32_t, 3> colour{}; // 0xRRGGBB
    int n = 0;                             // a count, a direction or a variant
    Tone tone = Tone::Granite;
};

// seed: the piece's own seed for hashed details (crack, runes, bush).
using Ornament = void (*)(QPainter& p, const Detail& d, std::uint32_t seed);

// Emblems carved, inlaid or set in the slab.
void Rosette(QPainter& p, const Detail& d, std::uint32_t seed);  // colour[0]: the stone's face
void GoldStar(QPainter& p, const Detail& d, std::uint32_t seed); // n: points
void Gem(QPainter& p, const Detail& d, std::uint32_t seed); // light, mid, dark; n: 0 oct, 1 hex
void Compass(QPainter& p, const Detail& d, std::uint32_t seed);
void KnotRings(QPainter& p, const Detail& d, std::uint32_t seed); // colour[0]: the band
void SunDisc(QPainter& p, const Detail& d, std::uint32_t seed);   // colour[0]: the face
void Moon(QPainter& p, const Detail& d, std::uint32_t seed);
void Runes(QPainter& p, const Detail& d, std::uint32_t seed);
void Shield(QPainter& p, const Detail& d, std::uint32_t seed); // field, charge
void Spiral(QPainter& p, const Detail& d, std::uint32_t seed); // colour[0]: the groove
void Sword(QPainter& p, const Detail& d, std::uint32_t seed);
void Crown(QPainter& p, const Detail& d, std::uint32_t seed);
void Bell(QPainter& p, const Detail& d, std::uint32_t seed);
void Key(QPainter& p, const Detail& d, std::uint32_t seed);
void Crack(QPainter& p, const Detail& d, std::uint32_t seed);

// Things standing on or let into the slab.
void Pillar(QPainter& p, const Detail& d, std::uint32_t seed); // tone: the column's stone
void Well(QPainter& p, const Detail& d, std::uint32_t seed);
void Bush(QPainter& p, const Detail& d, std::uint32_t seed);    // n: 1 with flowers
void Pyramid(QPainter& p, const Detail& d, std::uint32_t seed); // tone: the pyramid's stone
void Brazier(QPainter& p, const Detail& d, std::uint32_t seed);
void Keyhole(QPainter& p, const Detail& d, std::uint32_t seed);
void Hourglass(QPainter& p, const Detail& d, std::uint32_t seed);
void Lantern(QPainter& p, const Detail& d, std::uint32_t seed);
void Crate(QPainter& p, const Detail& d, std::uint32_t seed);
void Barrel(QPainter& p, const Detail& d, std::uint32_t seed);
void Stairs(QPainter& p, const Detail& d,
            std::uint32_t seed); // n: going down to 0 E, 1 N, 2 W, 3 S
// One quarter of a round mosaic spread over 2 x 2 tiles; n: 0 NW, 1 NE, 2 SW, 3 SE.
void MosaicQuarter(QPainter& p, const Detail& d, std::uint32_t seed);
void Grate(QPainter& p, const Detail& d, std::uint32_t seed);
void CheckerPlates(QPainter& p, const Detail& d, std::uint32_t seed);

} // namespace zk::art
