// Overview pictures for reviewers: the main window as the game composes it
// from the sheets (background, tiles, the held cell with its marker, the
// progress bar, the toolbar glyphs and the level indicator), and a sheet of
// every compiled-in picture, the splash and the marker frames, enlarged.
#pragma once

#include <QImage>

#include <array>
#include <cstdint>

namespace zk::art {

// A solved 9 x 7 arrangement (column by column) built from the catalogue,
// used by the previews.
std::array<std::uint8_t, 63> SampleBoard();

QImage BoardPreview();
QImage PicturesPreview();

} // namespace zk::art
