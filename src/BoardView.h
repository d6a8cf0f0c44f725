// The board view: the image sheets, the off-screen board surface, the level
// indicator, and every routine that draws them by block transfers. It reads
// the game state and changes nothing but what it draws.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "WindowState.h"
#include "model/GameState.h"
#include "model/OpenEnds.h"

class QPainter;

namespace zk {

// The main window's layout in client pixels, and the board's geometry on the
// board surface.
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

class BoardView {
public:
    BoardView(const GameState& state, const WindowState& window);

    // The board surface and the level indicator. The board surface asks
    // fullRepaint to redraw everything when the window system repaints it
    // whole, and reports mouse presses to mouseDown in its own coordinates.
    QWidget* CreateBox(QWidget* parent, std::function<void()> fullRepaint,
                       std::function<void(Qt::MouseButton, int, int)> mouseDown);
    QWidget* CreateLevelbox(QWidget* parent);
    QWidget* Box() const { return box_; }
    QWidget* Levelbox() const { return levelbox_; }

    // Loads "b1.bmp", "b2.bmp" and "b3.bmp" and the digit strip for a
    // ratio of device pixels per layout pixel: at a ratio above 1 from the
    // larger sets (see platform::LoadSheet), and the board surface at that
    // resolution. False, keeping what was loaded, when a sheet is missing,
    // unreadable or smaller than its layout.
    bool LoadSheets(const std::string& programDirectory, qreal ratio = 1);
    void FreeSheets();
    bool SheetsLoaded() const { return sheetsLoaded_; }
    // The ratio the sheets and the surface are drawn at.
    qreal Ratio() const { return ratio_; }
    // The editor's palette draws from the 24-pixel sheet, at the same ratio.
    const QImage& PaletteSheet() const { return b3_; }

    // The cell under a point of the board surface; none outside the 63 cells.
    static std::optional<Cell> CellAt(int x, int y);

    void DrawBackground();
    void DrawCell(int c, int r);
    void DrawAllCells();
    // The held cell, with the marker in the play state.
    void DrawHeldCell();
    void DrawProgressBar();
    // The level indicator's three digits, face and hint, put on screen.
    void levelboxPaint();

    // Runs a full repaint inside the board surface's paint event, which puts
    // the whole surface on screen anyway.
    void RepaintInPaintEvent(const std::function<void()>& repaint);

    // Drawn over the surface, never into it: the keyboard cursor, the pulse
    // of a hinted cell and the marks on open connection ends. Each change
    // puts only the cells it concerns on screen again.
    void SetCursor(std::optional<Cell> cell);
    std::optional<Cell> Cursor() const { return cursor_; }
    // The cell pulses for about a second, one step per timer tick.
    void Pulse(Cell cell);
    void TickOverlays();
    // The marks follow every cell drawn while they are on.
    void SetConnectionMarks(bool on);
    const OpenEndMap& Marks() const { return marks_; }
    void PaintOverlays(QPainter& painter, const QRegion& region) const;
    // The level indicator's hint alone, its picture unchanged.
    void UpdateLevelHint();
    // The status line in the frame below the cells; empty, the frame shows
    // as drawn. It stays through every repaint until it changes.
    void ShowStatus(const std::string& text);
    const std::string& StatusText() const { return statusText_; }

    // What the board surface and the level indicator show, at the ratio.
    const QImage& Surface() const { return surface_; }
    const QImage& LevelboxImage() const { return levelImage_; }
    const QImage& DigitStrip() const { return numbs1_; }
    void RenderLevelbox();

private:
    void ShowBoxRect(int x, int y, int w, int h);
    void ShowCell(Cell cell);
    // The marks of the cell and its four neighbours after the cell changed.
    void RefreshMarksAround(int c, int r);
    void CopyTile(QImage& target, int x, int y, TileNumber t);

    const GameState& state_;
    const WindowState& window_;
    QWidget* box_ = nullptr;
    QWidget* levelbox_ = nullptr;
    bool sheetsLoaded_ = false;
    bool inPaintEvent_ = false;
    qreal ratio_ = 1;
    QImage b1_, b2_, b3_;
    QImage scratch_; // the held cell is composed here
    QImage surface_;
    QImage numbs1_; // the digit strip
    QImage levelImage_;

    std::optional<Cell> cursor_;
    std::optional<Cell> pulseCell_;
    int pulseTicks_ = 0; // left of the pulse
    bool marksOn_ = false;
    OpenEndMap marks_{};
    std::string statusText_;
};

} // namespace zk
