// The drawings behind the compiled-in pictures, shared by the files that
// assemble them: every glyph in its own pixel units (a 16 x 16 glyph is drawn
// in a 16-unit box), the maker's mascot and the language flags.
#pragma once

#include "art/Art.h"
#include "art/Shapes.h"

namespace zk::art {

inline const QColor Ink = Rgb(0x1A1C22);

// A glossy ball's gradient, a little tighter than a carved dome's.
inline QRadialGradient Ball(QPointF c, double r, const QColor& light, const QColor& dark) {
    return Dome(c, r, light, dark, 1.3);
}

// Toolbar glyphs.
void DrawInsert(QPainter& p);               // a new page with a sparkle, 16
void DrawBomb(QPainter& p);                 // a lit bomb, 18
void DrawRestart(QPainter& p);              // an arrow turning back, 18
void DrawScissors(QPainter& p);             // 20
void DrawFloppy(QPainter& p, bool leaving); // a disk with an arrow out of or into it, 18
void DrawSpeaker(QPainter& p);              // 16
void DrawKnight(QPainter& p);               // helmet, shield and lance, 18
void DrawDoor(QPainter& p);                 // an open door, 18
void DrawTriangle(QPainter& p, bool right); // a scroll arrow, 15
void DrawRules(QPainter& p);                // a red disc with a section sign, 18
void DrawInfo(QPainter& p);                 // a blue disc with an i, 18

// Dialog glyphs.
void DrawCheck(QPainter& p);                                 // 18
void DrawCross(QPainter& p);                                 // 18
void DrawFolder(QPainter& p, bool open, double scale = 1.0); // 16
void DrawNewFolder(QPainter& p);                             // 16
void DrawDrive(QPainter& p);                                 // 16
void DrawBubble(QPainter& p);                                // a speech bubble, 18

// The maker's mascot: a cheerful face of radius r under a pointed hat.
void DrawMascot(QPainter& p, QPointF c, double r);

// The language choices: the flags for English (53 x 20 units) and German
// (80 x 20 units), drawn at `scale`.
QImage FlagsEnglish(double scale);
QImage FlagsGerman(double scale);

} // namespace zk::art
