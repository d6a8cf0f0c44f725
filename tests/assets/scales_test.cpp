// The pictures drawn at other scales, as the game draws them on a scaled
// screen: every sheet and compiled-in picture at s times its size, its parts
// at s times their positions (rounded), the same picture as the 1x set (brought
// back to 1x it is close to it), and drawn at its own resolution rather than
// enlarged.
#include "AssetTestSupport.h"
#include "art/Glyphs.h"
#include "art/Surface.h"
#include "art/Tiles.h"
#include "model/Catalogue.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

namespace {

using zk::test::GameImage;

constexpr double Larger[] = {1.5, 2, 3};

QImage Premultiplied(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

struct Likeness {
    double meanDifference = 0; // per channel, after a box filter by the scale
    double changedShare = 0;   // of the drawn pixels, those unlike the upscaled 1x pixel
};

// How a picture drawn at scale s compares with the same picture at 1x.
Likeness Compare(const QImage& one, const QImage& big, double s) {
    const QImage a = Premultiplied(one);
    const QImage b = Premultiplied(big);
    const int whole = static_cast<int>(s);
    const QImage back = whole == s
                            ? zk::art::Downsample(b, whole)
                            : b.scaled(a.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = back.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    }
    int drawn = 0, changed = 0;
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) {
            const QRgb p = b.pixel(x, y);
            const QRgb q = a.pixel(std::min(static_cast<int>(x / s), a.width() - 1),
                                   std::min(static_cast<int>(y / s), a.height() - 1));
            if (p == q && (qAlpha(p) == 0 || p == qRgb(0, 0, 0))) {
                continue; // background: transparent or black in both
            }
            ++drawn;
            changed += p != q ? 1 : 0;
        }
    }
    return {sum / (4.0 * a.width() * a.height()),
            drawn == 0 ? 0.0 : static_cast<double>(changed) / drawn};
}

// The same picture, not a nearest-neighbour upscale of the 1x one.
void ExpectDrawnAtScale(const QImage& one, const QImage& big, double s, const std::string& what,
                        double tolerance) {
    ASSERT_FALSE(big.isNull()) << what;
    const Likeness l = Compare(one, big, s);
    // Brought back to 1x by smooth scaling rather than an exact box filter,
    // a picture of a fractional scale differs a little more.
    const double allowed = s == std::floor(s) ? tolerance : tolerance * 4 / 3;
    EXPECT_LT(l.meanDifference, allowed) << what << " at " << s << "x is another picture";
    EXPECT_GT(l.changedShare, 0.25) << what << " at " << s << "x is the 1x picture upscaled";
}

TEST(Scales, SheetsAreTheSamePicturesDrawnAtTheirResolution) {
    for (const char* name : {"b1.bmp", "b2.bmp", "b3.bmp", "b5.bmp"}) {
        const QImage one = GameImage(name, 1);
        ASSERT_FALSE(one.isNull()) << name;
        for (const double s : Larger) {
            const QImage big = GameImage(name, s);
            EXPECT_EQ(big.size(), QSize(zk::art::Px(one.width(), s), zk::art::Px(one.height(), s)))
                << name;
            ExpectDrawnAtScale(one, big, s, name, 12.0);
        }
    }
}

TEST(Scales, PicturesAreTheSamePicturesDrawnAtTheirResolution) {
    for (const QString& name : zk::art::ResourceNames(2)) {
        const QImage one = zk::test::Picture(name, 1);
        for (const double s : Larger) {
            ExpectDrawnAtScale(one, zk::test::Picture(name, s), s, name.toStdString(), 12.0);
        }
    }
}

TEST(Scales, SheetPartsLieWhereTheGameCopiesThem) {
    // A 48-unit cell of tile t is the tile drawn at the scale, at its rounded
    // place; the bars and the sprite frames lie at their scaled areas.
    for (const double s : Larger) {
        const QImage b1 = GameImage("b1.bmp", s);
        for (int t : {0, 5, 33, 91, 105, 133, 176, 196}) {
            const zk::Point cell = zk::SheetCell(static_cast<zk::TileNumber>(t));
            const QRect at = zk::art::Scaled(
                QRect(cell.x * zk::art::TileSize, cell.y * zk::art::TileSize, 48, 48), s);
            EXPECT_EQ(b1.copy(at), zk::art::RenderTile(t, s)) << "tile " << t << " at " << s << "x";
        }
        const QImage b2 = GameImage("b2.bmp", s);
        EXPECT_EQ(b2.copy(zk::art::Scaled(zk::art::FullBarArea, s)),
                  zk::art::FullBar(s).convertToFormat(QImage::Format_RGB32));
        EXPECT_EQ(b2.copy(zk::art::Scaled(zk::art::EmptyBarArea, s)),
                  zk::art::EmptyBar(s).convertToFormat(QImage::Format_RGB32));
        for (int f = 0; f < zk::art::SpriteFrames; ++f) {
            const QImage frame = zk::art::SpriteFrame(f, s);
            EXPECT_EQ(b2.copy(zk::art::Scaled(zk::art::SpriteFrameArea(f), s)), frame);
            EXPECT_EQ(b2.copy(zk::art::Scaled(zk::art::SpriteMaskArea(f), s)),
                      zk::art::SpriteMask(frame));
        }
    }
    // At 1.5 a cell is 72 pixels, drawn so, not 96 scaled down.
    EXPECT_EQ(zk::art::RenderTile(33, 1.5).size(), QSize(72, 72));
}

} // namespace
