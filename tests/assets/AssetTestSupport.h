// Helpers of the asset tests: the program directory the build filled, file
// reading, and a colour classification of the three connection kinds.
#pragma once

#include "art/Art.h"
#include "art/Glyphs.h"
#include "art/Surface.h"
#include "art/Tiles.h"
#include "resources/Resources.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace zk::test {

inline QString GameFile(const char* name) {
    return QString::fromUtf8(ZK_GAME_DIR) + QLatin1Char('/') + QString::fromLatin1(name);
}

// The scales the pictures are checked at: the files' 1x, and ratios the game
// draws at on a scaled screen, a fractional one among them.
inline constexpr double Scales[] = {1, 1.5, 2, 3};

// An image sheet ("b1.bmp") as the game has it at a scale: at 1 the file the
// build wrote, at any other scale drawn as the game draws it. Drawn once per
// scale for the whole test run.
inline QImage GameImage(const char* name, double scale) {
    const QString file = QString::fromLatin1(name);
    if (scale == 1) {
        return QImage(GameFile(name)).convertToFormat(QImage::Format_RGB32);
    }
    static std::map<std::pair<QString, double>, QImage> drawn;
    const auto key = std::make_pair(file, scale);
    if (const auto found = drawn.find(key); found != drawn.end()) {
        return found->second;
    }
    QImage image;
    if (file == QLatin1String("b1.bmp")) {
        image = zk::art::TileSheet(scale);
    } else if (file == QLatin1String("b2.bmp")) {
        image = zk::art::SurfaceSheet(scale);
    } else if (file == QLatin1String("b3.bmp")) {
        image = zk::art::PaletteSheetFrom(GameImage("b1.bmp", scale), scale);
    } else if (file == QLatin1String("b5.bmp")) {
        image = zk::art::SplashPicture(scale);
    }
    return drawn[key] = image.convertToFormat(QImage::Format_RGB32);
}

// A compiled-in picture ("numbs1.png") as the game has it at a scale: at 1
// the resource, at any other scale drawn as the game draws it.
inline QImage Picture(const QString& name, double scale) {
    if (scale == 1) {
        zk::InitResources();
        return QImage(QStringLiteral(":/zk/") + name);
    }
    static std::map<double, std::vector<zk::art::NamedPicture>> drawn;
    auto found = drawn.find(scale);
    if (found == drawn.end()) {
        found = drawn.emplace(scale, zk::art::ResourcePictures(scale)).first;
    }
    for (const zk::art::NamedPicture& picture : found->second) {
        if (picture.name == name) {
            return picture.image;
        }
    }
    return {};
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
