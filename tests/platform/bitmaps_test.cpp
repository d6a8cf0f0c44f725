// Block transfers with the three raster operations, and clipping.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/Bitmaps.h"

using namespace zk::platform;

namespace {
QImage Filled(int w, int h, QRgb colour) {
    QImage image = CreateBitmap(w, h);
    image.fill(colour);
    return image;
}
} // namespace

TEST(BitmapsTest, CopyAndOrCombineAsTheirNamesSay) {
    const QImage source = Filled(4, 4, qRgb(0x0F, 0xF0, 0x33));
    QImage target = Filled(8, 8, qRgb(0x3C, 0x3C, 0xC3));

    BitBlt(target, 0, 0, 2, 2, source, 0, 0, RasterOp::Copy);
    EXPECT_EQ(target.pixel(1, 1), qRgb(0x0F, 0xF0, 0x33));
    BitBlt(target, 2, 0, 2, 2, source, 0, 0, RasterOp::And);
    EXPECT_EQ(target.pixel(2, 0), qRgb(0x0C, 0x30, 0x03));
    BitBlt(target, 4, 0, 2, 2, source, 0, 0, RasterOp::Paint);
    EXPECT_EQ(target.pixel(5, 1), qRgb(0x3F, 0xFC, 0xF3));
    // Outside the blocks nothing changed.
    EXPECT_EQ(target.pixel(7, 7), qRgb(0x3C, 0x3C, 0xC3));
    EXPECT_EQ(target.format(), QImage::Format_RGB32);
}

TEST(BitmapsTest, MaskThenSpriteLeavesBackgroundAroundTheSprite) {
    // The sprite idiom: AND with a mask (white outside), OR the sprite (black outside).
    QImage mask = Filled(2, 1, qRgb(255, 255, 255));
    mask.setPixel(0, 0, qRgb(0, 0, 0));
    QImage sprite = Filled(2, 1, qRgb(0, 0, 0));
    sprite.setPixel(0, 0, qRgb(200, 10, 10));
    QImage target = Filled(2, 1, qRgb(20, 120, 40));
    BitBlt(target, 0, 0, 2, 1, mask, 0, 0, RasterOp::And);
    BitBlt(target, 0, 0, 2, 1, sprite, 0, 0, RasterOp::Paint);
    EXPECT_EQ(target.pixel(0, 0), qRgb(200, 10, 10));
    EXPECT_EQ(target.pixel(1, 0), qRgb(20, 120, 40));
}

TEST(BitmapsTest, BlocksReachingOutsideAreClipped) {
    QImage source = Filled(4, 4, qRgb(1, 2, 3));
    source.setPixel(3, 3, qRgb(9, 9, 9));
    QImage target = Filled(4, 4, qRgb(0, 0, 0));
    BitBlt(target, 2, 2, 4, 4, source, 2, 2, RasterOp::Copy);
    EXPECT_EQ(target.pixel(3, 3), qRgb(9, 9, 9));
    EXPECT_EQ(target.pixel(1, 1), qRgb(0, 0, 0));
    // A source block partly before the image's start lands shifted, not stretched.
    QImage other = Filled(4, 4, qRgb(0, 0, 0));
    BitBlt(other, 0, 0, 2, 2, source, -1, -1, RasterOp::Copy);
    EXPECT_EQ(other.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(other.pixel(1, 1), qRgb(1, 2, 3));
    BitBlt(other, 0, 0, 2, 2, QImage(), 0, 0, RasterOp::Copy); // nothing to copy
}

TEST(BitmapsTest, LoadBitmapConvertsAndRefusesMissingFiles) {
    QImage image;
    EXPECT_FALSE(LoadBitmap(QStringLiteral("/nonexistent/b1.bmp"), image));
    EXPECT_TRUE(image.isNull());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("b1.bmp"));
    QImage saved(3, 2, QImage::Format_RGB888);
    saved.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(saved.save(path, "BMP"));
    ASSERT_TRUE(LoadBitmap(path, image));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixel(2, 1), qRgb(10, 20, 30));
}
