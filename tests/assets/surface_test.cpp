// The board surface sheet: its regions, the marker sprite's frames and masks,
// the progress bars, and that it renders the same every time.
#include "AssetTestSupport.h"
#include "art/Surface.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using zk::art::SpriteFrameArea;
using zk::art::SpriteMaskArea;

QImage Sheet() {
    return QImage(zk::test::GameFile("b2.bmp")).convertToFormat(QImage::Format_RGB32);
}

bool IsBlack(QRgb p) {
    return (p & 0x00FFFFFFu) == 0;
}
bool IsWhite(QRgb p) {
    return (p & 0x00FFFFFFu) == 0x00FFFFFFu;
}

TEST(Surface, SheetHasItsSizeAndIsWhatTheToolRenders) {
    const QImage b2 = Sheet();
    ASSERT_FALSE(b2.isNull());
    EXPECT_EQ(b2.width(), 520);
    EXPECT_EQ(b2.height(), 376);
    const QImage again = zk::art::SurfaceSheet(1);
    EXPECT_EQ(again, zk::art::SurfaceSheet(1));
    EXPECT_EQ(again, b2);
}

TEST(Surface, MasksAgreeWithTheirFramesPixelForPixel) {
    // At every scale: AND with the mask, then OR with the frame must compose
    // the sprite exactly, so the mask is black exactly where the frame is not.
    for (const double s : zk::test::Scales) {
        const QImage b2 = zk::test::GameImage("b2.bmp", s);
        ASSERT_FALSE(b2.isNull()) << "scale " << s;
        for (int f = 0; f < 8; ++f) {
            const QRect fr = zk::art::Scaled(SpriteFrameArea(f), s);
            const QRect mr = zk::art::Scaled(SpriteMaskArea(f), s);
            EXPECT_EQ(SpriteFrameArea(f), QRect(30 + 20 * f, 30, 20, 20));
            EXPECT_EQ(SpriteMaskArea(f), QRect(30 + 20 * f, 50, 20, 20));
            const int n = fr.width();
            int shape = 0;
            for (int y = 0; y < n; ++y) {
                for (int x = 0; x < n; ++x) {
                    const QRgb frame = b2.pixel(fr.x() + x, fr.y() + y);
                    const QRgb mask = b2.pixel(mr.x() + x, mr.y() + y);
                    ASSERT_TRUE(IsBlack(mask) || IsWhite(mask))
                        << "scale " << s << " frame " << f << " at " << x << "," << y;
                    EXPECT_EQ(IsBlack(mask), !IsBlack(frame))
                        << "scale " << s << " frame " << f << " at " << x << "," << y;
                    shape += IsBlack(frame) ? 0 : 1;
                }
            }
            // a sprite that shows, drawn on black with black around it
            EXPECT_GT(shape, 80 * s * s) << "scale " << s << " frame " << f;
            EXPECT_LT(shape, 330 * s * s) << "scale " << s << " frame " << f;
            for (int i = 0; i < n; ++i) {
                EXPECT_TRUE(IsBlack(b2.pixel(fr.x() + i, fr.y())) &&
                            IsBlack(b2.pixel(fr.x(), fr.y() + i)))
                    << "scale " << s << " frame " << f << " touches its top or left border";
            }
        }
    }
}

// How far two frames are apart: the summed colour difference.
double FrameDistance(const QImage& b2, int a, int b) {
    double sum = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const QRgb p = b2.pixel(SpriteFrameArea(a).x() + x, 30 + y);
            const QRgb q = b2.pixel(SpriteFrameArea(b).x() + x, 30 + y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum;
}

TEST(Surface, SpriteFramesFormASmoothLoop) {
    // Each frame differs from the last, and the step from frame 7 back to
    // frame 0 is no bigger than the other steps: the loop has no jump.
    const QImage b2 = Sheet();
    ASSERT_FALSE(b2.isNull());
    std::vector<double> steps;
    for (int f = 0; f < 8; ++f) {
        steps.push_back(FrameDistance(b2, f, (f + 1) % 8));
    }
    const auto [lo, hi] = std::minmax_element(steps.begin(), steps.end());
    EXPECT_GT(*lo, 0.0);
    EXPECT_LT(*hi, 2.0 * *lo) << "uneven animation steps";
    // the animation moves away from frame 0 and comes back
    EXPECT_GT(FrameDistance(b2, 0, 4), FrameDistance(b2, 0, 1));
}

double MeanLuma(const QImage& img, const QRect& r) {
    double sum = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            sum += qGray(img.pixel(x, y));
        }
    }
    return sum / (r.width() * r.height());
}

TEST(Surface, ProgressBarsLieWhereTheDrawingCopiesThem) {
    const QImage b2 = Sheet();
    ASSERT_FALSE(b2.isNull());
    EXPECT_EQ(b2.copy(469, 32, 31, 315), zk::art::FullBar(1).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(b2.copy(415, 32, 31, 315),
              zk::art::EmptyBar(1).convertToFormat(QImage::Format_RGB32));
    // full is bright, empty is dark, at every height
    for (int y = 32; y < 347; y += 35) {
        EXPECT_GT(MeanLuma(b2, QRect(469, y, 31, 10)), MeanLuma(b2, QRect(415, y, 31, 10)) + 60);
    }
    // the frame around the bar stands out from the background beside it
    EXPECT_NE(MeanLuma(b2, QRect(464, 32, 4, 300)), MeanLuma(b2, QRect(508, 32, 4, 300)));
}

TEST(Surface, BackgroundFramesTheBoard) {
    const QImage b2 = Sheet();
    ASSERT_FALSE(b2.isNull());
    // the rim just outside the board is the gilt frame: brighter than the
    // background at the sheet's edge
    const double frameTop = MeanLuma(b2, QRect(30, 13, 400, 4));
    const double frameLeft = MeanLuma(b2, QRect(15, 30, 4, 300));
    const double ground = MeanLuma(b2, QRect(0, 370, 460, 6));
    EXPECT_GT(frameTop, ground + 40);
    EXPECT_GT(frameLeft, ground + 40);
}

} // namespace
