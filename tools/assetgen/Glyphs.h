// The pictures compiled into the program (Qt resources under ":/zk/"): the
// level indicator's digit strip, the toolbar and dialog glyphs, the folder and
// drive marks, the language flags, the window icon in every size and the
// maker's logo; and the splash picture "b5.bmp".
#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace zk::art {

struct NamedPicture {
    QString name; // file name, e.g. "numbs1.png"
    QImage image;
};

// Every compiled-in picture with its resource file name, in a fixed order.
std::vector<NamedPicture> ResourcePictures();

// The names alone (what the resource file lists).
std::vector<QString> ResourceNames();

// The digit strip, 148 x 20 on black: digits 0..9 in cells 11 wide at 11 d,
// a blank cell at 110..120, a black column at 121, the smiling face at
// 122..134 and the frowning face at 135..147.
QImage DigitStrip();

// The window icon at size x size.
QImage Icon(int size);

// The maker's logo, 100 x 75.
QImage Logo();

// The splash picture, 200 x 150 (RGB32).
QImage SplashPicture();

// Which segments (a..g as bits 0..6) a digit lights.
int DigitSegments(int digit);

} // namespace zk::art
