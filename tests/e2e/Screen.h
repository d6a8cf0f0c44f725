// Reading the game back from a screenshot: every picture is compared pixel
// for pixel with the image sheets of the program directory.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

#include "Harness.h"

namespace zk::e2e {

// Where things stand in the main window's client area.
inline constexpr int ToolPanelHeight = 33;
inline constexpr QPoint BoardInClient{22, ToolPanelHeight + 20};
inline constexpr QPoint LevelboxInClient{228, 7};
inline constexpr QRect ProgressBarInClient{469, ToolPanelHeight + 32, 31, 315};
inline constexpr int Cell = 48;

// The centre of a toolbar button at (x, 4), 25 x 25, in the client area.
inline QPoint ToolButton(int x) {
    return {x + 12, 4 + 12};
}
inline constexpr int RestartBtnX = 28;
inline constexpr int LoadBtnX = 52;
inline constexpr int SaveBtnX = 76;
inline constexpr int SoundBtnX = 100;
inline constexpr int ExitBtnX = 148;

inline QPoint CellCentre(int c, int r) {
    return BoardInClient + QPoint(Cell * c + Cell / 2, Cell * r + Cell / 2);
}

// The image sheets and the digit strip of one scale: at 1 the sheets b1.bmp
// ... and the compiled-in strip, at 2 or 3 the sheets and the strip as the
// game draws them at that scale. Everything read back from the screen with
// them is at that scale: positions and sizes in layout pixels times the scale.
struct Sheets {
    QImage b1, b2, b3, b5;
    QImage digits;
    int scale = 1;
    QString problem;
    bool Load(const QString& programDir, int atScale = 1);
};

// A compiled-in picture ("ExitBtn.png") at a scale: at 1 the resource, else
// drawn as the game draws it.
QImage PictureAt(const QString& name, int scale);

// The block of `source`'s size at `at` in the screenshot equals that part of
// the sheet, leaving out `ignore` (relative to the block).
bool SameBlock(const QImage& screen, QPoint at, const QImage& sheet, QRect source,
               QRect ignore = {});

struct BoardRead {
    bool ok = false;
    Record tiles{};
    std::optional<int> held; // cell index c*7+r of the cell carrying the marker
    QString problem;
};

// Identifies the 63 cells of the board whose cell (0, 0) stands at `origin`
// on the screen. A cell that equals no tile picture must be the held one: it
// equals its tile outside the marker's 20 x 20 at the tile's anchor.
BoardRead ReadBoard(const QImage& screen, QPoint origin, const Sheets& sheets);

// Pictures of tile numbers that share their picture with a lower number.
bool PictureIsUnique(const Sheets& sheets, int tile);

// The three digits of the level indicator show `level`, leading zeros blank.
bool ShowsLevel(const QImage& screen, QPoint levelbox, const Sheets& sheets, int level);

enum class Face { Solved, Unsolved, Unknown };
Face ReadFace(const QImage& screen, QPoint levelbox, const Sheets& sheets);

// The progress bar as it must look with `solved` of `count` levels solved.
QImage ExpectedProgressBar(const Sheets& sheets, int solved, int count);
bool ProgressBarShows(const QImage& screen, QPoint client, const Sheets& sheets, int solved,
                      int count);

QString Describe(const Record& tiles);

// The board at `origin` shows `tiles` with the marker on `held` (when given)
// and, with `marks`, a white cross at the middle of every side whose
// connection does not meet its twin, and nowhere else. Empty when it does,
// else what differs.
QString BoardWithMarksDiffers(const QImage& screen, QPoint origin, const Sheets& sheets,
                              const Record& tiles, std::optional<int> held, bool marks);

// The held cell `index` of the board at `origin` shows tile `tile` with the
// marker sprite composed onto it exactly as the sheets make it (the mask
// ANDed, the sprite ORed at the tile's anchor), in one of its eight frames.
bool ShowsComposedMarker(const QImage& screen, QPoint origin, const Sheets& sheets, int index,
                         int tile);

// A glyph drawn at its own resolution: somewhere inside `button` every
// opaque pixel of `glyph` is on the screen as it is, and there the screen is
// not `lowGlyph` (the same glyph at a smaller scale) enlarged pixel by pixel.
// Empty when so, else why not.
QString GlyphDiffers(const QImage& screen, QRect button, const QImage& glyph,
                     const QImage& lowGlyph);

// Pixels of two images of one size that differ clearly.
int Differing(const QImage& a, const QImage& b);

// A line of `text` in `font`, `ink` on `paper`, as a painter draws it: where
// it stands on the screen is found by DifferingAtBest.
QImage TextLine(const QString& text, const QFont& font, QColor paper, QColor ink);

// The fewest pixels in which `picture` differs clearly from the screen, of
// all the places in `area` it fits in.
int DifferingAtBest(const QImage& screen, QRect area, const QImage& picture);

// The keyboard's frame on cell `index`: black, then yellow, from its border in.
bool ShowsCursorFrame(const QImage& screen, QPoint origin, int index);

} // namespace zk::e2e
