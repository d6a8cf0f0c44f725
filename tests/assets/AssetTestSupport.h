// Helpers of the asset tests: the program directory the build filled, file
// reading, and a colour classification of the three connection kinds.
#pragma once

#include "Art.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QResource>
#include <QString>

#include <cstdint>
#include <vector>

namespace zk::test {

inline QString GameFile(const char* name) {
    return QString::fromUtf8(ZK_GAME_DIR) + QLatin1Char('/') + QString::fromLatin1(name);
}

// A file of the set drawn at `scale`: "b1.bmp" at 2 is "b1@2x.bmp".
inline QString GameFile(const char* name, int scale) {
    return QString::fromUtf8(ZK_GAME_DIR) + QLatin1Char('/') +
           zk::art::ScaledName(QString::fromLatin1(name), scale);
}

inline QImage GameImage(const char* name, int scale) {
    return QImage(GameFile(name, scale)).convertToFormat(QImage::Format_RGB32);
}

// Makes the pictures drawn at `scale` (":/zk/<name>@2x.png") available from
// the program directory's resource file, as the program does; the 1x
// pictures are compiled in.
inline bool UseScaledPictures(int scale) {
    static bool registered[4] = {true, true, false, false};
    if (!registered[scale]) {
        registered[scale] = QResource::registerResource(GameFile("pictures.rcc", scale));
    }
    return registered[scale];
}

inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return f.readAll();
}

inline std::vector<std::uint8_t> Bytes(const QByteArray& a) {
    return std::vector<std::uint8_t>(a.begin(), a.end());
}

// What a pixel shows, by colour: the blue pipe, the red rails (rails and
// their maroon bed), the golden band, or none of them.
enum class Look { None, Pipe, Rail, Band };

inline Look Classify(QRgb rgb) {
    const QColor c = QColor::fromRgb(rgb).toHsv();
    const int h = c.hsvHue();
    const double s = c.hsvSaturationF();
    const double v = c.valueF();
    if (h < 0) {
        return Look::None; // grey
    }
    if (h >= 195 && h <= 240 && s >= 0.2 && v >= 0.25) {
        return Look::Pipe;
    }
    if ((h <= 15 || h >= 340) && s >= 0.5 && v >= 0.15) {
        return Look::Rail;
    }
    if (h >= 36 && h <= 60 && s >= 0.4 && v >= 0.55) {
        return Look::Band;
    }
    return Look::None;
}

} // namespace zk::test
