// The stone, brick, wood and floor textures that tiles are drawn on, made
// pixel by pixel from hashed noise. Every texture is 48 x 48 units at `scale`
// pixels per unit; its pattern is a function of the unit coordinates and its
// grain is per pixel, so a larger scale shows the same texture in finer
// detail. Patterns with a period of 48 join seamlessly with the same texture
// beside them.
#pragma once

#include "art/Art.h"

#include <cstdint>

namespace zk::art {

// The two ends of a stone's colour range.
struct StoneTone {
    QColor light;
    QColor dark;
};

enum class Tone { Granite, Slate, Sandstone, WhiteMarble, GreenMarble, Steel };

const StoneTone& ToneOf(Tone tone);

// The colour with a per-pixel jitter of up to `amount` on each channel.
QColor Grain(const QColor& c, int x, int y, std::uint32_t seed, int amount);

// Sand of the movable tiles, the dark floor of the empty cell.
QImage SandTexture(std::uint32_t seed, double scale);
QImage FloorTexture(std::uint32_t seed, double scale);

// Mottled stone with dark and light specks; `size` is the size of the
// mottling in units.
QImage StoneTexture(std::uint32_t seed, const QColor& light, const QColor& dark, double size,
                    double scale);
QImage StoneTexture(std::uint32_t seed, Tone tone, double scale, double size = 9.0);

// Courses of bricks `rowHeight` high and `brickLength` long, every other
// course shifted by half a brick, with mortar joints one unit wide.
QImage BrickTexture(std::uint32_t seed, const QColor& a, const QColor& b, const QColor& mortar,
                    int rowHeight, int brickLength, double scale);

// Rounded cobbles in Voronoi cells on a jittered grid of `grid` units.
QImage CobbleTexture(std::uint32_t seed, int grid, Tone tone, const QColor& mortar, double jitter,
                     double scale);

// Basalt columns seen from above: hexagons 12 units across.
QImage HexTexture(std::uint32_t seed, Tone tone, double scale);

// Marble with winding veins of `vein`.
QImage MarbleTexture(std::uint32_t seed, Tone tone, const QColor& vein, double scale);

// Moss grown over patches of a texture drawn at `scale`.
QImage MossTexture(std::uint32_t seed, const QImage& stone, double scale);

// Four wooden planks with their grain.
QImage PlankTexture(std::uint32_t seed, double scale);

// Square tesserae 6 units wide in three colours, laid in rings.
QImage MosaicTexture(std::uint32_t seed, double scale);

} // namespace zk::art
