#include "platform/Bitmaps.h"

#include <QImageReader>
#include <QPainter>
#include <cstring>

namespace zk::platform {

QImage CreateBitmap(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

bool LoadBitmap(const QString& path, QImage& target) {
    // A bitmap is read by the BMP decoder alone; only a file that is not one
    // makes the reader probe every image format it knows.
    QImageReader bitmap(path, "BMP");
    bitmap.setAutoDetectImageFormat(false);
    QImage loaded = bitmap.read();
    if (loaded.isNull() && !loaded.load(path)) {
        return false;
    }
    if (loaded.isNull()) {
        return false;
    }
    target = loaded.convertToFormat(QImage::Format_RGB32);
    return true;
}

void BitBlt(QImage& target, int x, int y, int w, int h, const QImage& source, int sx, int sy,
            RasterOp op) {
    if (target.isNull() || source.isNull()) {
        return;
    }
    // Clip the block to the source, then to the target.
    QRect from = QRect(sx, sy, w, h).intersected(source.rect());
    if (from.isEmpty()) {
        return;
    }
    QRect to(x + from.left() - sx, y + from.top() - sy, from.width(), from.height());
    const QRect clipped = to.intersected(target.rect());
    if (clipped.isEmpty()) {
        return;
    }
    from.translate(clipped.left() - to.left(), clipped.top() - to.top());
    from.setSize(clipped.size());
    to = clipped;
    if (target.format() != QImage::Format_RGB32 || source.format() != QImage::Format_RGB32) {
        // Other formats go through the painter with the same raster operations.
        QPainter painter(&target);
        painter.setCompositionMode(op == RasterOp::Copy  ? QPainter::CompositionMode_Source
                                   : op == RasterOp::And ? QPainter::RasterOp_SourceAndDestination
                                                         : QPainter::RasterOp_SourceOrDestination);
        painter.drawImage(to.topLeft(), source, from);
        return;
    }
    // The sheets and the surface are 32-bit images: the operations work on
    // whole pixels, scanline by scanline, as the blitter of old did.
    const bool sameImage = target.constBits() == source.constBits();
    const bool bottomUp = sameImage && to.top() > from.top();
    for (int i = 0; i < to.height(); ++i) {
        const int row = bottomUp ? to.height() - 1 - i : i;
        const auto* src =
            reinterpret_cast<const quint32*>(source.constScanLine(from.top() + row)) + from.left();
        auto* dst = reinterpret_cast<quint32*>(target.scanLine(to.top() + row)) + to.left();
        const auto n = static_cast<std::size_t>(to.width());
        switch (op) {
        case RasterOp::Copy:
            std::memmove(dst, src, n * sizeof(quint32));
            break;
        case RasterOp::And:
            for (std::size_t k = 0; k < n; ++k) {
                dst[k] = (dst[k] & src[k]) | 0xff000000u;
            }
            break;
        case RasterOp::Paint:
            for (std::size_t k = 0; k < n; ++k) {
                dst[k] = dst[k] | src[k] | 0xff000000u;
            }
            break;
        }
    }
}

void DrawLine(QImage& target, int x1, int y1, int x2, int y2, const QColor& colour, int width) {
    if (target.isNull()) {
        return;
    }
    QPainter painter(&target);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(colour);
    pen.setWidth(width < 1 ? 1 : width);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(x1, y1, x2, y2);
}

} // namespace zk::platform
