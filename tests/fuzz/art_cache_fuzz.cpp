// The cache of drawn pictures: any bytes, as they are and with the checksum
// they would need appended, so that the search reaches past it. An entry is
// used only whole, of its key, with images of sound sizes and formats, and
// what is read writes back to the same bytes.
#include <QByteArray>
#include <QImage>

#include "FuzzSupport.h"
#include "platform/art/ArtCache.h"

using namespace zk;

namespace {
void Check(const QByteArray& bytes) {
    const std::vector<platform::CachedImage> images = platform::DecodeArtCache(bytes, "fuzz");
    if (images.empty()) {
        return;
    }
    for (const platform::CachedImage& entry : images) {
        ZK_REQUIRE(!entry.image.isNull());
        // 32 bits with or without alpha, or a sheet's 24 bits as its file holds them.
        const QImage::Format format = entry.image.format();
        ZK_REQUIRE(format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                   format == QImage::Format_BGR888);
        const qsizetype depth = format == QImage::Format_BGR888 ? 3 : 4;
        ZK_REQUIRE(depth * entry.image.width() * entry.image.height() <= bytes.size());
    }
    const std::vector<std::uint8_t> again = platform::EncodeArtCache("fuzz", images);
    ZK_REQUIRE(QByteArray(reinterpret_cast<const char*>(again.data()),
                          static_cast<qsizetype>(again.size())) == bytes);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Check(bytes);
    Check(bytes + platform::ArtCacheChecksum(bytes));
    return 0;
}
