// The compiled-in pictures' decoding: any bytes. Only a whole PNG decodes,
// by the PNG decoder alone, and what decodes can be cut into glyphs.
#include <QByteArray>
#include <QImage>

#include "FuzzSupport.h"
#include "platform/Bitmaps.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QImage image = platform::DecodePicture(bytes);
    if (image.isNull()) {
        return 0;
    }
    ZK_REQUIRE(bytes.startsWith("\x89PNG"));
    ZK_REQUIRE(image.width() > 0 && image.height() > 0);
    // A glyph's two halves, as the buttons cut them.
    const int half = image.width() / 2;
    const QImage normal = image.copy(0, 0, half, image.height());
    const QImage disabled = image.copy(half, 0, half, image.height());
    ZK_REQUIRE(normal.width() == half && disabled.width() == half);
    ZK_REQUIRE(platform::DecodePicture(bytes) == image);
    return 0;
}
