// The stone, brick, wood and floor textures that tiles are drawn on, made
// texel by texel from hashed noise. Every texture is 48 x 48 texels, and the
// patterns with a period of 48 join seamlessly with the same texture beside.
#pragma once

#include "Art.h"

#include <cstdint>

namespace zk::art {

// The two ends of a stone's colour range.
struct StoneTone {
    QColor light;
    QColor dark;
};

enum class Tone { Granite, Slate, Sandstone, WhiteMarble, GreenMarble, Steel };

const StoneTone& ToneOf(Tone tone);

// The colour with a per-texel jitter of up to `amount` on each channel.
QColor Grain(const QColor& c, int x, int y, std::uint32_t seed, int amount);

// Sand of the movable tiles, the dark floor of the empty cell.
QImage SandTexture(std::uint32_t seed);
QImage FloorTexture(std::uint32_t seed);

// Mottled stone with dark and light specks; `scale` is the size of the mottling.
QImage StoneTexture(std::uint32_t seed, const QColor& light, const QColor& dark, double scale);
QImage StoneTexture(std::uint32_t seed, Tone tone, double scale = 9.0);

// Courses of bricks `rowHeight` high and `brickLength` long, every other
// course shifted by half a brick, with mortar joints one texel wide.
QImage BrickTexture(std::uint32_t seed, const QColor& a, const QColor& b, const QColor& mortar,
                    int rowHeight, int brickLength);

// Rounded cobbles in Voronoi cells on a jittered grid of `grid` texels.
QImage CobbleTexture(std::uint32_t seed, int grid, Tone tone, const QColor& mortar, double jitter);

// Basalt columns seen from above: hexagons 12 texels across.
QImage HexTexture(std::uint32_t seed, Tone tone);

// Marble with winding veins of `vein`.
QImage MarbleTexture(std::uint32_t seed, Tone tone, const QColor& vein);

// Moss grown over patches of a given texture.
QImage MossTexture(std::uint32_t seed, const QImage& stone);

// Four wooden planks with their grain.
QImage PlankTexture(std::uint32_t seed);

// Square tesserae 6 texels wide in three colours, laid in rings.
QImage MosaicTexture(std::uint32_t seed);

} // namespace zk::art
