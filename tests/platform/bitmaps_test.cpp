// Block transfers with the three raster operations, and clipping.
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

namespace {
QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void Put32(QByteArray& bytes, int at, quint32 value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
    }
}

// A 4 x 2 RLE8 bitmap: a run of colour 1 over the bottom row, of colour 2
// over the top row, each row ended, then the end of the bitmap.
QByteArray RunLengthBmp() {
    QByteArray header(54, '\0');
    header[0] = 'B';
    header[1] = 'M';
    Put32(header, 10, 54 + 256 * 4);
    Put32(header, 14, 40);
    Put32(header, 18, 4);
    Put32(header, 22, 2);
    header[26] = 1; // planes
    header[28] = 8; // bits
    header[30] = 1; // RLE8
    QByteArray palette(256 * 4, '\0');
    palette[4 + 2] = char(200); // colour 1: red
    palette[8 + 1] = char(150); // colour 2: green
    const QByteArray data("\x04\x01\x00\x00\x04\x02\x00\x00\x00\x01", 10);
    QByteArray bytes = header + palette + data;
    Put32(bytes, 2, quint32(bytes.size()));
    return bytes;
}
} // namespace

TEST(BitmapsTest, LoadBitmapConvertsAndRefusesMissingFiles) {
    QImage image;
    EXPECT_FALSE(LoadBitmap(QStringLiteral("/nonexistent/b1.bmp"), image));
    EXPECT_TRUE(image.isNull());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("b1.bmp"));
    // Rows of an odd width (padded in the file), each pixel its own colour.
    QImage saved(5, 3, QImage::Format_RGB888);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            saved.setPixel(x, y, qRgb(10 * x, 20 * y, 30 + x + y));
        }
    }
    ASSERT_TRUE(saved.save(path, "BMP"));
    ASSERT_TRUE(LoadBitmap(path, image));
    EXPECT_EQ(image.format(), SheetFormat);
    EXPECT_EQ(image, QImage(path, "BMP").convertToFormat(SheetFormat));
    // The same rows stored top-down (a negative height) read the same.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    QByteArray topDown = bytes.left(54);
    Put32(topDown, 22, quint32(-3));
    const int stride = 16;
    for (int row = 2; row >= 0; --row) {
        topDown += bytes.mid(54 + row * stride, stride);
    }
    QImage fromTop;
    ASSERT_TRUE(DecodeBitmap(topDown, fromTop));
    EXPECT_EQ(fromTop, image);
}

TEST(BitmapsTest, ATruncatedOrDamagedBitmapFailsLikeAMissingOne) {
    QImage sheet(96, 48, QImage::Format_RGB888);
    sheet.fill(qRgb(10, 20, 30));
    const QByteArray whole = Encoded(sheet, "BMP");
    QImage image;
    ASSERT_TRUE(DecodeBitmap(whole, image));
    EXPECT_EQ(image.pixel(95, 47), qRgb(10, 20, 30));
    EXPECT_EQ(image.format(), SheetFormat);

    const QImage untouched = image;
    for (const qsizetype length :
         {qsizetype(0), qsizetype(20), qsizetype(54), whole.size() / 2, whole.size() - 1}) {
        EXPECT_FALSE(DecodeBitmap(whole.left(length), image)) << length;
        EXPECT_EQ(image, untouched);
    }
    // Headers that lie: no planes, an unknown depth, a width beyond the data,
    // an unknown compression.
    for (const auto& [at, value] : {std::pair{26, 0u}, {28, 7u}, {18, 0x7FFFFFFFu}, {30, 9u}}) {
        QByteArray damaged = whole;
        if (at == 26 || at == 28) {
            damaged[at] = char(value);
        } else {
            Put32(damaged, at, value);
        }
        EXPECT_FALSE(DecodeBitmap(damaged, image)) << "field at " << at;
    }

    // Indexed colours need their whole table.
    const QImage indexed = sheet.convertToFormat(QImage::Format_Indexed8);
    const QByteArray eightBit = Encoded(indexed, "BMP");
    ASSERT_TRUE(DecodeBitmap(eightBit, image));
    EXPECT_FALSE(DecodeBitmap(eightBit.left(60), image));

    // Run-length data must end properly within the file.
    const QByteArray rle = RunLengthBmp();
    ASSERT_TRUE(DecodeBitmap(rle, image));
    EXPECT_EQ(image.pixel(0, 1), qRgb(200, 0, 0));
    EXPECT_EQ(image.pixel(3, 0), qRgb(0, 150, 0));
    // Without its end mark every row is still ended; one byte less is not.
    EXPECT_TRUE(DecodeBitmap(rle.left(rle.size() - 2), image));
    for (int cut = 3; cut <= 8; ++cut) {
        EXPECT_FALSE(DecodeBitmap(rle.left(rle.size() - cut), image)) << cut;
    }

    // Other formats are read whole as well.
    const QByteArray png = Encoded(sheet, "PNG");
    ASSERT_TRUE(DecodeBitmap(png, image));
    EXPECT_FALSE(DecodeBitmap(png.left(png.size() / 2), image));
}

TEST(BitmapsTest, OnlyRegularFilesAreRead) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("b1.bmp"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QImage image;
    EXPECT_FALSE(LoadBitmap(fifo, image)); // returns at once
    EXPECT_FALSE(LoadBitmap(dir.path(), image));
}
