// The sets drawn at 2 and 3 pixels per unit: every sheet and compiled-in
// picture at s times its size, its parts at s times their positions, the
// same picture as the 1x set (a box filter by s brings it back close to it),
// and drawn at its own resolution rather than pixel-doubled.
#include "AssetTestSupport.h"
#include "Glyphs.h"
#include "Surface.h"
#include "Tiles.h"
#include "model/Catalogue.h"
#include "resources/Resources.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <string>

namespace {

using zk::test::GameImage;

constexpr int Larger[] = {2, 3};

QImage Premultiplied(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

struct Likeness {
    double meanDifference = 0; // per channel, after a box filter by the scale
    double changedShare = 0;   // of the drawn pixels, those unlike the upscaled 1x pixel
};

// How a picture drawn at scale s compares with the same picture at 1x.
Likeness Compare(const QImage& one, const QImage& big, int s) {
    const QImage a = Premultiplied(one);
    const QImage b = Premultiplied(big);
    const QImage back = zk::art::Downsample(b, s);
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
            const QRgb q = a.pixel(x / s, y / s);
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
void ExpectDrawnAtScale(const QImage& one, const QImage& big, int s, const std::string& what,
                        double tolerance) {
    ASSERT_FALSE(big.isNull()) << what;
    ASSERT_EQ(big.size(), one.size() * s) << what;
    const Likeness l = Compare(one, big, s);
    EXPECT_LT(l.meanDifference, tolerance) << what << " at " << s << "x is another picture";
    EXPECT_GT(l.changedShare, 0.25) << what << " at " << s << "x is the 1x picture upscaled";
}

TEST(Scales, SheetsAreTheSamePicturesDrawnAtTheirResolution) {
    for (const char* name : {"b1.bmp", "b2.bmp", "b3.bmp", "b5.bmp"}) {
        const QImage one = GameImage(name, 1);
        ASSERT_FALSE(one.isNull()) << name;
        for (const int s : Larger) {
            ExpectDrawnAtScale(one, GameImage(name, s), s, name, 12.0);
        }
    }
}

TEST(Scales, PicturesAreTheSamePicturesDrawnAtTheirResolution) {
    zk::InitResources();
    for (const int s : Larger) {
        ASSERT_TRUE(zk::test::UseScaledPictures(s)) << "no pictures@" << s << "x.rcc";
    }
    for (const QString& name : zk::art::ResourceNames(1)) {
        if (name.startsWith(QLatin1String("icon"))) {
            continue; // the window icon comes in pixel sizes instead
        }
        const QImage one(QStringLiteral(":/zk/") + name);
        for (const int s : Larger) {
            const QImage big(QStringLiteral(":/zk/") + zk::art::ScaledName(name, s));
            ExpectDrawnAtScale(one, big, s, name.toStdString(), 12.0);
        }
    }
    for (const int s : Larger) {
        EXPECT_EQ(zk::art::ResourceNames(s).size(),
                  zk::art::ResourceNames(1).size() - std::size(zk::art::IconSizes));
    }
}

TEST(Scales, LargerSheetsAreWhatTheToolRendersAtScaledPlaces) {
    // A 48-unit cell is 48 s pixels at s times its 1x position; the bars and
    // the sprite frames lie at s times their areas.
    for (const int s : Larger) {
        const QImage b1 = GameImage("b1.bmp", s);
        ASSERT_EQ(b1.size(), QSize(960, 480) * s);
        for (int t : {0, 5, 33, 91, 105, 133, 176, 196}) {
            const zk::Point cell = zk::SheetCell(static_cast<zk::TileNumber>(t));
            const int size = zk::art::TileSize * s;
            EXPECT_EQ(b1.copy(cell.x * size, cell.y * size, size, size), zk::art::RenderTile(t, s))
                << "tile " << t << " at " << s << "x";
        }
        EXPECT_EQ(GameImage("b3.bmp", s), zk::art::PaletteSheetFrom(b1, s)) << s << "x";
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
        EXPECT_EQ(GameImage("b5.bmp", s), zk::art::SplashPicture(s)) << s << "x";
    }
}

} // namespace
