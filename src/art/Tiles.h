// The 200 tile pictures: a raised sand tile for every movable type, a floor
// for the empty cell, a bolted stone slab or a wall, stone or ornament piece
// for the fixed types, and on top the connections the catalogue gives.
//
// The three connection kinds differ in colour and in shape, so that they are
// told apart without colour vision. Each crosses the tile edge at its midpoint
// with a fixed cross-section, so that two matching edges join seamlessly:
//   kind 1, pipe: a blue round pipe, 8 px wide;
//   kind 2, rail: two red rails on a dark maroon bed, 13 px wide, with a dark
//                 groove between the rails;
//   kind 3, band: a golden ribbed band with a brown rim, 18 px wide.
// Every arm runs from the edge midpoint to the tile centre, where the arms
// join in an elbow, a straight, or a hub.
#pragma once

#include <QImage>

#include <vector>

namespace zk::art {

inline constexpr int TileSize = 48;
inline constexpr int PaletteTileSize = 24;

inline constexpr double PipeWidth = 8.0;
inline constexpr double RailWidth = 13.0;
inline constexpr double BandWidth = 18.0;

// Every picture is drawn at `scale` pixels per unit: a tile is 48 units, so
// the sheets at scale 2 have 96-pixel cells at twice the 1x positions, at
// 1.5 72-pixel cells.

// One tile at 48 x 48 units, opaque (RGB32). t must be 0..199.
QImage RenderTile(int t, double scale);

// The tile sheet "b1.bmp": 960 x 480 units, tile t at ((t mod 20) x 48,
// (t div 20) x 48).
QImage TileSheet(double scale);
// The same from the tiles drawn at the scale, tile t being tiles[t] (for
// drawing them on several threads).
QImage TileSheetOf(const std::vector<QImage>& tiles, double scale);

// The palette sheet "b3.bmp": 480 x 240 units, the same tiles at 24 x 24.
QImage PaletteSheet(double scale);

// Palette tiles from a tile sheet rendered at the same scale (2 x 2 box
// filter with a light sharpening so that the small pictures stay crisp).
QImage PaletteSheetFrom(const QImage& tileSheet, double scale);

// All 200 tiles labelled with their numbers, for reviewers.
QImage ContactSheet();

} // namespace zk::art
