// The image sheets as start-up reads them: any bytes after "BM". A bitmap is
// decoded only when its headers are sound and its pixel data complete; what
// decodes is a 32-bit image of the size its header gives, and block
// transfers from it onto the board's surface stay inside both images.
#include <QByteArray>
#include <QImage>

#include "FuzzSupport.h"
#include "platform/Bitmaps.h"

using namespace zk;

namespace {
std::int64_t Field(const QByteArray& b, int at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = v << 8 | static_cast<std::uint8_t>(b[at + i]);
    }
    return bytes == 4 ? static_cast<std::int32_t>(v) : static_cast<std::int64_t>(v);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Other formats go to Qt's own readers; the bitmap path is ours.
    QByteArray bytes("BM");
    bytes.append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const bool complete = platform::IsCompleteBmp(bytes);
    QImage image;
    const bool decoded = platform::DecodeBitmap(bytes, image);
    ZK_REQUIRE(!decoded || complete);
    ZK_REQUIRE(decoded != image.isNull());
    if (!decoded) {
        return 0;
    }
    ZK_REQUIRE(image.format() == platform::SheetFormat);
    const bool core = Field(bytes, 14, 4) == 12;
    const std::int64_t width = core ? Field(bytes, 18, 2) : Field(bytes, 18, 4);
    std::int64_t height = core ? Field(bytes, 20, 2) : Field(bytes, 22, 4);
    height = height < 0 ? -height : height;
    ZK_REQUIRE(image.width() == width && image.height() == height);

    QImage surface = platform::CreateBitmap(520, 336);
    platform::BitBlt(surface, -7, 300, 96, 96, image, image.width() - 40, -20,
                     platform::RasterOp::Paint);
    platform::BitBlt(surface, 0, 0, 48, 48, image, 0, 0, platform::RasterOp::And);
    return 0;
}
