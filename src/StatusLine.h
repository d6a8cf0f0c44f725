// The status line in the board's frame: a strip below the 63 cells, over the
// frame's dark ground, where a short text is written in small light letters.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

namespace zk {

// The strip in layout pixels of the board surface, below the frame's golden
// edge; the progress bar's foot lies right of it.
inline constexpr QRect StatusStrip(16, 363, 444, 13);

// Writes the text into the strip of the surface at the surface's device pixel
// ratio, over whatever the strip shows (the frame's own picture, put there
// first); a text wider than the strip ends in "…".
void DrawStatusText(QImage& surface, const QString& text);

} // namespace zk
