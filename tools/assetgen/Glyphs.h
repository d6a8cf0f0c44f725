// The pictures compiled into the program (Qt resources under ":/zk/"): the
// level indicator's digit strip, the toolbar and dialog glyphs, the folder and
// drive marks, the language flags, the window icon in every size and the
// maker's logo; and the splash picture "b5.bmp". Sizes are in units; drawn at
// `scale` (1, 2 or 3) a picture has `scale` pixels per unit.
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
// ("InsertBtn.png", at scale 2 "InsertBtn@2x.png"), in a fixed order. The
// window icon's sizes are pictures of scale 1 only.
std::vector<NamedPicture> ResourcePictures(int scale);

// The names alone (what the resource file lists).
std::vector<QString> ResourceNames(int scale);

inline constexpr int IconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The digit strip, 148 x 20 on black: digits 0..9 in cells 11 wide at 11 d,
// a blank cell at 110..120, a black column at 121, the smiling face at
// 122..134 and the frowning face at 135..147.
QImage DigitStrip(int scale);

// The window icon at size x size pixels.
QImage Icon(int size);

// The maker's logo, 100 x 75.
QImage Logo(int scale);

// The splash picture, 200 x 150 (RGB32).
QImage SplashPicture(int scale);

// Which segments (a..g as bits 0..6) a digit lights.
int DigitSegments(int digit);

} // namespace zk::art
