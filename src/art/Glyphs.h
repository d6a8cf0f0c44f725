// The pictures compiled into the program (Qt resources under ":/zk/"): the
// level indicator's digit strip, the toolbar and dialog glyphs, the folder and
// drive marks, the language flags, the window icon in every size and the
// maker's logo; and the splash picture "b5.bmp". Sizes are in units; drawn at
// `scale` a picture has `scale` pixels per unit.
#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace zk::art {

struct NamedPicture {
    QString name; // file name, e.g. "numbs1.png"
    QImage image;
};

// Every compiled-in picture drawn at `scale`, with its resource file name
// ("InsertBtn.png"), in a fixed order: the one list of them, which the
// resource file is written from. The window icon's sizes are pictures of
// scale 1 only.
std::vector<NamedPicture> ResourcePictures(double scale);

// The names alone, without drawing.
std::vector<QString> ResourceNames(double scale);

inline constexpr int IconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The digit strip, 148 x 20 on black: digits 0..9 in cells 11 wide at 11 d,
// a blank cell at 110..120, a black column at 121, the smiling face at
// 122..134 and the frowning face at 135..147.
QImage DigitStrip(double scale);

// The window icon at size x size pixels.
QImage Icon(int size);

// The maker's logo, 100 x 75.
QImage Logo(double scale);

// The splash picture, 200 x 150 (RGB32).
QImage SplashPicture(double scale);

// Which segments (a..g as bits 0..6) a digit lights.
int DigitSegments(int digit);

} // namespace zk::art
