#include "Output.h"

#include "files/AtomicFile.h"

#include <QBuffer>
#include <QImageWriter>

#include <cstring>

namespace zk::art {
namespace {
void Put16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
} // namespace

Bytes EncodeBmp(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const auto w = static_cast<std::uint32_t>(image.width());
    const auto h = static_cast<std::uint32_t>(image.height());
    const std::uint32_t stride = (w * 3 + 3) & ~3u;
    const std::uint32_t dataSize = stride * h;
    Bytes out;
    out.reserve(54 + dataSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + dataSize); // file size
    Put32(out, 0);             // reserved
    Put32(out, 54);            // offset of the pixels
    Put32(out, 40);            // BITMAPINFOHEADER
    Put32(out, w);
    Put32(out, h);
    Put16(out, 1);  // planes
    Put16(out, 24); // bits per pixel
    Put32(out, 0);  // BI_RGB
    Put32(out, dataSize);
    Put32(out, 2835); // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (std::uint32_t row = 0; row < h; ++row) {
        const auto* line =
            reinterpret_cast<const QRgb*>(image.constScanLine(static_cast<int>(h - 1 - row)));
        std::uint32_t written = 0;
        for (std::uint32_t x = 0; x < w; ++x) {
            out.push_back(static_cast<std::uint8_t>(qBlue(line[x])));
            out.push_back(static_cast<std::uint8_t>(qGreen(line[x])));
            out.push_back(static_cast<std::uint8_t>(qRed(line[x])));
            written += 3;
        }
        for (; written < stride; ++written) {
            out.push_back(0);
        }
    }
    return out;
}

Bytes EncodePng(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    const bool alpha = image.hasAlphaChannel();
    writer.write(image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32));
    return Bytes(data.begin(), data.end());
}

WriteResult WriteIfChanged(const std::string& path, const Bytes& bytes, std::string* error) {
    const files::ReadOutcome existing = files::ReadFilePrefix(path, bytes.size() + 1);
    if (existing.opened && !existing.failed && existing.bytes == bytes) {
        return WriteResult::Unchanged;
    }
    const files::WriteOutcome w = files::WriteFileAtomically(path, bytes);
    if (!w.ok) {
        if (error != nullptr) {
            *error = std::strerror(w.error);
        }
        return WriteResult::Failed;
    }
    return WriteResult::Written;
}

} // namespace zk::art
