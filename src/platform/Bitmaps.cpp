#include "platform/Bitmaps.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "files/AtomicFile.h"

namespace zk::platform {

namespace {

// Little-endian fields of the file; zero beyond the end, which the size
// checks below never let matter.
class Bytes {
public:
    explicit Bytes(const QByteArray& bytes) : data_(bytes) {}
    std::int64_t Size() const { return data_.size(); }
    std::uint32_t U8(std::int64_t at) const {
        return at >= 0 && at < Size() ? static_cast<std::uint8_t>(data_[static_cast<qsizetype>(at)])
                                      : 0;
    }
    std::uint32_t U16(std::int64_t at) const { return U8(at) | U8(at + 1) << 8; }
    std::uint32_t U32(std::int64_t at) const { return U16(at) | U16(at + 2) << 16; }

private:
    const QByteArray& data_;
};

enum Compression : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

// Walks run-length data from `at`: true when it ends with its end-of-bitmap
// mark, or has ended every row, before the file ends.
bool RunLengthDataComplete(const Bytes& b, std::int64_t at, std::int64_t rows, bool fourBits) {
    std::int64_t row = 0;
    while (at + 1 < b.Size()) {
        const std::uint32_t count = b.U8(at);
        const std::uint32_t value = b.U8(at + 1);
        at += 2;
        if (count > 0) {
            continue; // a run of count pixels
        }
        switch (value) {
        case 0: // end of row
            if (++row >= rows) {
                return true;
            }
            break;
        case 1: // end of bitmap
            return true;
        case 2: // move right and down
            if (at + 1 >= b.Size()) {
                return false;
            }
            row += b.U8(at + 1);
            at += 2;
            break;
        default: { // `value` pixels stored as they are, padded to a word
            const std::int64_t bytes = fourBits ? (value + 1) / 2 : value;
            at += bytes + (bytes & 1);
            if (at > b.Size()) {
                return false;
            }
        }
        }
    }
    return false;
}

} // namespace

bool IsCompleteBmp(const QByteArray& bytes) {
    const Bytes b(bytes);
    constexpr std::int64_t FileHeader = 14;
    if (b.Size() < FileHeader + 12 || b.U8(0) != 'B' || b.U8(1) != 'M') {
        return false;
    }
    const std::int64_t dataAt = b.U32(10);
    const std::int64_t infoSize = b.U32(FileHeader);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t planes = 0;
    std::uint32_t bits = 0;
    std::uint32_t compression = Rgb;
    std::int64_t colours = 0;
    std::int64_t paletteEntry = 4;
    if (infoSize == 12) {
        width = b.U16(FileHeader + 4);
        height = b.U16(FileHeader + 6);
        planes = b.U16(FileHeader + 8);
        bits = b.U16(FileHeader + 10);
        paletteEntry = 3;
    } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 64 ||
               infoSize == 108 || infoSize == 124) {
        width = static_cast<std::int32_t>(b.U32(FileHeader + 4));
        height = static_cast<std::int32_t>(b.U32(FileHeader + 8));
        planes = b.U16(FileHeader + 12);
        bits = b.U16(FileHeader + 14);
        compression = b.U32(FileHeader + 16);
        colours = b.U32(FileHeader + 32);
    } else {
        return false;
    }
    height = height < 0 ? -height : height;
    if (width <= 0 || height <= 0 || planes != 1 || FileHeader + infoSize > b.Size() ||
        dataAt > b.Size()) {
        return false;
    }
    const bool supported =
        ((bits == 1 || bits == 4 || bits == 8 || bits == 24) && compression == Rgb) ||
        ((bits == 16 || bits == 32) && (compression == Rgb || compression == BitFields)) ||
        (bits == 8 && compression == Rle8) || (bits == 4 && compression == Rle4);
    if (!supported) {
        return false;
    }
    // The colour table, and the masks that a short header keeps after it.
    std::int64_t tableEnd = FileHeader + infoSize;
    if (compression == BitFields && infoSize == 40) {
        tableEnd += 12;
    }
    if (bits <= 8) {
        const std::int64_t most = std::int64_t{1} << bits;
        if (colours > most) {
            return false;
        }
        tableEnd += (colours == 0 ? most : colours) * paletteEntry;
    }
    if (tableEnd > b.Size()) {
        return false;
    }
    if (compression == Rle8 || compression == Rle4) {
        return RunLengthDataComplete(b, dataAt, height, compression == Rle4);
    }
    // Rows of whole 32-bit words, every one of them in the file.
    const std::int64_t stride = (width * bits + 31) / 32 * 4;
    return stride <= b.Size() && height <= (b.Size() - dataAt) / stride;
}

namespace {

// A 24-bit bitmap without compression, known whole: its rows copied as they
// are, the bottom row first unless the height is negative.
QImage Decode24(const QByteArray& bytes) {
    const Bytes b(bytes);
    constexpr std::int64_t FileHeader = 14;
    const bool core = b.U32(FileHeader) == 12;
    // Both sizes signed as the header gives them (a core header's unsigned).
    const std::int64_t width = core
                                   ? std::int64_t{b.U16(FileHeader + 4)}
                                   : std::int64_t{static_cast<std::int32_t>(b.U32(FileHeader + 4))};
    const std::int64_t signedHeight =
        core ? std::int64_t{b.U16(FileHeader + 6)}
             : std::int64_t{static_cast<std::int32_t>(b.U32(FileHeader + 8))};
    const std::int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    const std::int64_t dataAt = b.U32(10);
    const std::int64_t stride = (width * 24 + 31) / 32 * 4;
    QImage image(static_cast<int>(width), static_cast<int>(height), SheetFormat);
    if (image.isNull()) {
        return image;
    }
    for (std::int64_t row = 0; row < height; ++row) {
        const std::int64_t line = signedHeight < 0 ? row : height - 1 - row;
        std::memcpy(image.scanLine(static_cast<int>(line)),
                    bytes.constData() + dataAt + row * stride, static_cast<std::size_t>(width * 3));
    }
    return image;
}

bool Is24BitUncompressed(const QByteArray& bytes) {
    const Bytes b(bytes);
    constexpr std::int64_t FileHeader = 14;
    const std::uint32_t info = b.U32(FileHeader);
    if (info == 12) {
        return b.U16(FileHeader + 10) == 24;
    }
    return b.U16(FileHeader + 14) == 24 && b.U32(FileHeader + 16) == Rgb;
}

} // namespace

bool DecodeBitmap(const QByteArray& bytes, QImage& target) {
    QImage loaded;
    if (bytes.startsWith("BM")) {
        // A bitmap is read only once it is known whole.
        if (!IsCompleteBmp(bytes)) {
            return false;
        }
        if (Is24BitUncompressed(bytes)) {
            loaded = Decode24(bytes);
        } else {
            // Other depths by the BMP decoder alone.
            QBuffer buffer;
            buffer.setData(bytes);
            buffer.open(QIODevice::ReadOnly);
            QImageReader bitmap(&buffer, "BMP");
            bitmap.setAutoDetectImageFormat(false);
            loaded = bitmap.read();
        }
    } else {
        // Only a file that is not one makes the reader probe every format it knows.
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader other(&buffer);
        loaded = other.read();
    }
    if (loaded.isNull()) {
        return false;
    }
    target = loaded.format() == SheetFormat ? loaded : loaded.convertToFormat(SheetFormat);
    return true;
}

QImage CreateBitmap(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

bool LoadBitmap(const QString& path, QImage& target) {
    // Read whole first: no pipe or device can hold the reader up.
    const auto read = files::ReadFilePrefix(QFile::encodeName(path).toStdString(),
                                            static_cast<std::size_t>(MaxBitmapFileSize) + 1);
    if (!read.opened || read.failed ||
        read.bytes.size() > static_cast<std::size_t>(MaxBitmapFileSize)) {
        return false;
    }
    // Decoded where it was read: the file's bytes are not held twice.
    return DecodeBitmap(QByteArray::fromRawData(reinterpret_cast<const char*>(read.bytes.data()),
                                                static_cast<qsizetype>(read.bytes.size())),
                        target);
}

QImage DecodePicture(const QByteArray& png) {
    QBuffer buffer;
    buffer.setData(png);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "PNG");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
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
    const bool sheet = source.format() == SheetFormat;
    if (target.format() != QImage::Format_RGB32 ||
        (source.format() != QImage::Format_RGB32 && !sheet)) {
        // Other formats go through the painter with the same raster operations.
        QPainter painter(&target);
        painter.setCompositionMode(op == RasterOp::Copy  ? QPainter::CompositionMode_Source
                                   : op == RasterOp::And ? QPainter::RasterOp_SourceAndDestination
                                                         : QPainter::RasterOp_SourceOrDestination);
        painter.drawImage(to.topLeft(), source, from);
        return;
    }
    // The operations work on whole pixels, scanline by scanline, as the
    // blitter of old did; a sheet's row is widened to 32 bits first.
    const bool sameImage = target.constBits() == source.constBits();
    const bool bottomUp = sameImage && to.top() > from.top();
    const auto n = static_cast<std::size_t>(to.width());
    thread_local std::vector<quint32> widened;
    widened.resize(sheet ? n : 0);
    for (int i = 0; i < to.height(); ++i) {
        const int row = bottomUp ? to.height() - 1 - i : i;
        const quint32* src = nullptr;
        if (sheet) {
            const uchar* bgr = source.constScanLine(from.top() + row) + 3 * from.left();
            for (std::size_t k = 0; k < n; ++k, bgr += 3) {
                widened[k] = 0xff000000u | quint32{bgr[2]} << 16 | quint32{bgr[1]} << 8 | bgr[0];
            }
            src = widened.data();
        } else {
            src = reinterpret_cast<const quint32*>(source.constScanLine(from.top() + row)) +
                  from.left();
        }
        auto* dst = reinterpret_cast<quint32*>(target.scanLine(to.top() + row)) + to.left();
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

int DevicePixels(int layout, qreal ratio) {
    return ratio == 1.0 ? layout : static_cast<int>(std::lround(layout * ratio));
}

void ScaledBitBlt(QImage& target, int x, int y, int w, int h, const QImage& source, int sx, int sy,
                  RasterOp op) {
    const qreal ratio = target.devicePixelRatio();
    if (ratio == 1.0) {
        BitBlt(target, x, y, w, h, source, sx, sy, op);
        return;
    }
    // Both edges rounded: the width follows from them, the same for the
    // source, so a block is as wide in both images.
    const int dx = DevicePixels(x, ratio);
    const int dy = DevicePixels(y, ratio);
    BitBlt(target, dx, dy, DevicePixels(x + w, ratio) - dx, DevicePixels(y + h, ratio) - dy, source,
           DevicePixels(sx, ratio), DevicePixels(sy, ratio), op);
}

QImage AtRatio(QImage image, qreal drawnAt, qreal ratio) {
    if (image.isNull()) {
        return image;
    }
    if (drawnAt != ratio) {
        const qreal factor = ratio / drawnAt;
        const QSize size(static_cast<int>(std::lround(image.width() * factor)),
                         static_cast<int>(std::lround(image.height() * factor)));
        const bool wholeMultiple = factor > 1 && factor == std::floor(factor);
        if (image.hasAlphaChannel() && image.format() != QImage::Format_ARGB32_Premultiplied) {
            // Colours of transparent pixels must not bleed into the edges.
            image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
        const QImage::Format format = image.format();
        image = image
                    .scaled(size, Qt::IgnoreAspectRatio,
                            wholeMultiple ? Qt::FastTransformation : Qt::SmoothTransformation)
                    .convertToFormat(format);
    }
    image.setDevicePixelRatio(ratio);
    return image;
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
