// The main window's layout in client pixels, and the board's geometry on the
// board surface.
#pragma once

#include <QRect>

#include "model/Board.h"

namespace zk {

namespace layout {
inline constexpr int ClientWidth = 520;
inline constexpr int ToolPanelHeight = 33;
inline constexpr int BoxHeight = 376;
inline constexpr int CellSize = 48;
inline constexpr int BoardLeft = 22;
inline constexpr int BoardTop = 20;
inline constexpr int BarLeft = 469;
inline constexpr int BarTop = 32;
inline constexpr int BarWidth = 31;
inline constexpr int BarHeight = 315;
inline constexpr int EmptyBarLeft = 415;
inline constexpr int SpriteSize = 20;
inline constexpr int SpriteLeft = 30;
inline constexpr int SpriteTop = 30;
inline constexpr int MaskTop = 50;
} // namespace layout

// The 48 x 48 square of a cell on the board surface.
inline QRect CellRect(Cell cell) {
    return {layout::BoardLeft + layout::CellSize * cell.column,
            layout::BoardTop + layout::CellSize * cell.row, layout::CellSize, layout::CellSize};
}

} // namespace zk
