#include "platform/Bitmaps.h"

#include <QPainter>

namespace zk::platform {

QImage CreateBitmap(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

bool LoadBitmap(const QString& path, QImage& target) {
    QImage loaded;
    if (!loaded.load(path) || loaded.isNull()) {
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
    // Clip the block to the source; the painter clips it to the target.
    QRect from = QRect(sx, sy, w, h).intersected(source.rect());
    if (from.isEmpty()) {
        return;
    }
    x += from.left() - sx;
    y += from.top() - sy;
    QPainter painter(&target);
    switch (op) {
    case RasterOp::Copy:
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        break;
    case RasterOp::And:
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        break;
    case RasterOp::Paint:
        painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        break;
    }
    painter.drawImage(QPoint(x, y), source, from);
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
