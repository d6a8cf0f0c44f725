// The board view: the image sheets, the off-screen board surface, the level
// indicator, and every routine that draws them by block transfers. It reads
// the game state and changes nothing but what it draws.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "BoardMotion.h"
#include "Layout.h"
#include "WindowState.h"
#include "model/GameState.h"
#include "model/OpenEnds.h"

class QPainter;

namespace zk {

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
    // ratio of device pixels per layout pixel: at a ratio other than 1 drawn
    // at it (see platform::LoadSheet), and the board surface at that
    // resolution (at 1x "b3.bmp" is checked and read again when the palette
    // asks for it). False, keeping what was loaded, when a sheet is missing,
    // unreadable or smaller than its layout.
    bool LoadSheets(const std::string& programDirectory, qreal ratio = 1);
    void FreeSheets();
    bool SheetsLoaded() const { return sheetsLoaded_; }
    // The ratio the sheets and the surface are drawn at.
    qreal Ratio() const { return ratio_; }
    // The editor's palette draws from the 24-pixel sheet, at the same ratio;
    // it is read the first time it is asked for after the sheets loaded.
    const QImage& PaletteSheet();

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
    void StopPulse();
    void TickOverlays();
    // The marks follow every cell drawn while they are on.
    void SetConnectionMarks(bool on);
    const OpenEndMap& Marks() const { return marks_; }
    void PaintOverlays(QPainter& painter, const QRegion& region) const;
    // The level indicator's hint alone, its picture unchanged. A hint
    // showing on screen follows the new text, or goes when the mouse has
    // left the indicator.
    void UpdateLevelHint();
    // Shows the level indicator's hint at once, below the indicator.
    void ShowLevelHint();

    // A line of small text in the board's frame below the 63 cells, drawn
    // over the surface, never into it: the feedback mode's count, the
    // editor's check. Empty: the frame shows as designed. Only the line's
    // strip is put on screen again.
    void SetStatus(const std::string& text);
    void ClearStatus() { SetStatus({}); }
    const std::string& Status() const { return status_; }
    // Where the line stands on the board surface.
    static QRect StatusRect();
    // Draws a status line's text into its place, as the board shows it.
    static void DrawStatusLine(QPainter& painter, const QString& text);

    // Motion that changes only the time between two designed pictures (see
    // BoardMotion); off, every picture comes at once as designed.
    void SetMotion(bool on) { motionOn_ = on; }
    bool MotionOn() const { return motionOn_; }
    // After a move drew its two cells: the held tile, now at `to`, slides
    // there from `from`, the other tile the opposite way.
    void SlideMove(Cell from, Cell to);
    // The solved board shines from the held cell; done runs when the shine
    // ends (at once with motion off).
    void ShineSolve(std::function<void()> done);
    // Ends the motion at once; true when a shine's done ran.
    bool FinishMotion() { return motion_->Finish(); }
    // Ends it without running a shine's done.
    void DropMotion() { motion_->Drop(); }
    const BoardMotion& Motion() const { return *motion_; }
    // While motion runs, presses meant for `window` call onInput first.
    void WatchMotionInput(QWidget* window, std::function<bool()> onInput) {
        motion_->WatchInput(window, std::move(onInput));
    }

    // What the board surface and the level indicator show, at the ratio.
    const QImage& Surface() const { return surface_; }
    const QImage& LevelboxImage() const { return levelImage_; }
    const QImage& DigitStrip() const { return numbs1_; }
    void RenderLevelbox();

private:
    void ShowBoxRect(int x, int y, int w, int h);
    // The held tile with the marker of the animation frame in the play
    // state, composed into `target` at (0, 0).
    void ComposeHeld(QImage& target, TileNumber t) const;
    void CopyTileTo(QPainter& painter, QRect at, TileNumber t) const;
    // The slide's tiles and the shine, over the surface.
    void PaintFloorUnderSlide(QPainter& painter, const QRegion& region) const;
    void PaintMotion(QPainter& painter, const QRegion& region) const;
    void ShowCell(Cell cell);
    // The marks of the cell and its four neighbours after the cell changed.
    void RefreshMarksAround(int c, int r);
    void CopyTile(QImage& target, int x, int y, TileNumber t) const;

    const GameState& state_;
    const WindowState& window_;
    QWidget* box_ = nullptr;
    QWidget* levelbox_ = nullptr;
    bool sheetsLoaded_ = false;
    bool inPaintEvent_ = false;
    qreal ratio_ = 1;
    QImage b1_, b2_, b3_;
    QString sheetDirectory_; // where the sheets were last loaded from
    QImage scratch_;         // the held cell is composed here
    QImage surface_;
    QImage numbs1_; // the digit strip
    QImage levelImage_;

    std::optional<Cell> cursor_;
    std::optional<Cell> pulseCell_;
    int pulseTicks_ = 0; // left of the pulse
    bool marksOn_ = false;
    OpenEndMap marks_{};
    std::string status_;
    bool motionOn_ = true;
    std::unique_ptr<BoardMotion> motion_;
    mutable QImage motionScratch_; // the sliding held tile is composed here
};

} // namespace zk
