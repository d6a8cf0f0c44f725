// Bitmaps and block transfers: the image sheets in Format_BGR888 (the 24 bits
// of their files, byte for byte), off-screen bitmaps in Format_RGB32, copied
// with the three raster operations the drawing needs.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

namespace zk::platform {

enum class RasterOp {
    Copy, // SRCCOPY: the source replaces the destination
    And,  // SRCAND: source AND destination
    Paint // SRCPAINT: source OR destination
};

// An off-screen bitmap, black (Format_RGB32).
QImage CreateBitmap(int width, int height);

// The format the image sheets are held in: three bytes a pixel, in the order
// of a 24-bit bitmap file.
inline constexpr QImage::Format SheetFormat = QImage::Format_BGR888;

// Larger picture files are not read.
inline constexpr qint64 MaxBitmapFileSize = 64 * 1024 * 1024;

// Loads a picture file (BMP or anything Qt reads) in the sheets' format. A
// 24-bit bitmap's rows are taken as they are. False, leaving the target
// untouched, when the file is missing, is no regular file, or does not decode
// completely.
bool LoadBitmap(const QString& path, QImage& target);

// Decodes the bytes of a picture file as LoadBitmap does. A BMP counts only
// when its headers are sound and its pixel data are all there: a truncated
// or damaged sheet fails like a missing one.
bool DecodeBitmap(const QByteArray& bytes, QImage& target);

// Whether BMP bytes hold sound headers and the whole of their pixel data
// (for run-length data: a stream that ends properly within the file).
bool IsCompleteBmp(const QByteArray& bytes);

// Decodes the bytes of a compiled-in picture: PNG, by its decoder alone,
// without probing the image-format plugins. Null when they are no whole PNG.
QImage DecodePicture(const QByteArray& png);

// Transfers the w x h block at (sx, sy) of source to (x, y) of target.
// Parts outside either image are clipped. From a sheet or a 32-bit image into
// a 32-bit one it works on whole pixels itself; other formats go through the
// painter.
void BitBlt(QImage& target, int x, int y, int w, int h, const QImage& source, int sx, int sy,
            RasterOp op);

// Device pixels of a layout coordinate or edge at a ratio of device pixels
// per layout pixel, rounded; blocks that meet in layout pixels meet in
// device pixels too. At ratio 1 the coordinate itself.
int DevicePixels(int layout, qreal ratio);

// BitBlt of a block given in layout pixels, between images whose pixels are
// at the target's device pixel ratio: the block's edges in device pixels.
// At ratio 1 exactly BitBlt.
void ScaledBitBlt(QImage& target, int x, int y, int w, int h, const QImage& source, int sx, int sy,
                  RasterOp op);

// An image drawn at `drawnAt` device pixels per layout pixel, brought to
// `ratio`: kept as it is where they are equal, else scaled once, smoothly
// (from a smaller set by a whole multiple: pixel for pixel). Its device
// pixel ratio is then `ratio`.
QImage AtRatio(QImage image, qreal drawnAt, qreal ratio);

// A line with a pen of the given colour and width, square ends, no
// anti-aliasing, both end points drawn.
void DrawLine(QImage& target, int x1, int y1, int x2, int y2, const QColor& colour, int width);

} // namespace zk::platform
