#include "platform/art/ArtCache.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

#include "files/AtomicFile.h"

namespace zk::platform {

namespace {

// "ZKART", a zero, the format's version and a line end.
constexpr char Magic[8] = {'Z', 'K', 'A', 'R', 'T', '\0', '\1', '\n'};
constexpr std::uint32_t MaxKey = 4096;
constexpr std::uint32_t MaxImages = 256;
constexpr std::uint32_t MaxName = 256;
constexpr std::uint32_t MaxSide = 16384;
// The pixel formats of an entry, each with its bytes per pixel.
struct Kind {
    std::uint32_t code;
    QImage::Format format;
    int bytes;
};
constexpr Kind Kinds[] = {
    {1, QImage::Format_RGB32, 4}, {2, QImage::Format_ARGB32, 4}, {3, QImage::Format_BGR888, 3}};

// The kind an image is stored as: its own format where that is one, else
// 32 bits with or without alpha.
const Kind& KindOf(const QImage& image) {
    for (const Kind& kind : Kinds) {
        if (kind.format == image.format()) {
            return kind;
        }
    }
    return image.hasAlphaChannel() ? Kinds[1] : Kinds[0];
}

// A 64-bit checksum of a byte stream, a word at a time: enough to tell a
// damaged entry from a sound one.
class Checksum {
public:
    void Add(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        while (size > 0 && filled_ > 0) {
            Byte(*bytes++);
            --size;
        }
        for (; size >= 8; size -= 8, bytes += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes, 8);
            Word(word);
        }
        while (size-- > 0) {
            Byte(*bytes++);
        }
    }
    std::uint64_t Value() const {
        std::uint64_t h = hash_ ^ (pending_ * 0x9E3779B97F4A7C15ull) ^ filled_;
        h ^= h >> 31;
        h *= 0xBF58476D1CE4E5B9ull;
        return h ^ (h >> 29);
    }

private:
    void Word(std::uint64_t word) {
        hash_ = (hash_ ^ word) * 0x100000001B3ull;
        hash_ ^= hash_ >> 32;
    }
    void Byte(unsigned char b) {
        pending_ |= static_cast<std::uint64_t>(b) << (8 * filled_);
        if (++filled_ == 8) {
            Word(pending_);
            pending_ = 0;
            filled_ = 0;
        }
    }
    std::uint64_t hash_ = 0xCBF29CE484222325ull;
    std::uint64_t pending_ = 0;
    unsigned filled_ = 0;
};

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

// Reads from a device, summing what it reads; every read must be whole.
class Reader {
public:
    explicit Reader(QIODevice& device) : device_(device) {}
    bool Read(void* to, qint64 size) {
        if (size < 0 || size > Left() || device_.read(static_cast<char*>(to), size) != size) {
            return false;
        }
        sum_.Add(to, static_cast<std::size_t>(size));
        return true;
    }
    bool U32(std::uint32_t& v) {
        unsigned char b[4];
        if (!Read(b, 4)) {
            return false;
        }
        v = b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
        return true;
    }
    bool Text(std::uint32_t most, QByteArray& text) {
        std::uint32_t size = 0;
        if (!U32(size) || size > most) {
            return false;
        }
        text.resize(size);
        return Read(text.data(), size);
    }
    qint64 Left() const { return device_.size() - device_.pos(); }
    std::uint64_t Sum() const { return sum_.Value(); }

private:
    QIODevice& device_;
    Checksum sum_;
};

std::vector<CachedImage> ReadEntry(QIODevice& device, const std::string& key) {
    Reader in(device);
    char magic[sizeof Magic];
    QByteArray storedKey;
    std::uint32_t count = 0;
    if (!in.Read(magic, sizeof magic) || std::memcmp(magic, Magic, sizeof Magic) != 0 ||
        !in.Text(MaxKey, storedKey) || storedKey.toStdString() != key || !in.U32(count) ||
        count > MaxImages) {
        return {};
    }
    std::vector<CachedImage> images;
    for (std::uint32_t i = 0; i < count; ++i) {
        QByteArray name;
        std::uint32_t width = 0, height = 0, format = 0;
        if (!in.Text(MaxName, name) || QString::fromUtf8(name).toUtf8() != name || !in.U32(width) ||
            !in.U32(height) || !in.U32(format) || width == 0 || height == 0 || width > MaxSide ||
            height > MaxSide) {
            return {};
        }
        const Kind* kind = nullptr;
        for (const Kind& k : Kinds) {
            kind = k.code == format ? &k : kind;
        }
        const qint64 line = qint64{width} * (kind != nullptr ? kind->bytes : 0);
        if (kind == nullptr || line * height > in.Left()) {
            return {}; // before anything that large is allocated
        }
        QImage image(static_cast<int>(width), static_cast<int>(height), kind->format);
        if (image.isNull()) {
            return {};
        }
        for (int y = 0; y < image.height(); ++y) {
            if (!in.Read(image.scanLine(y), line)) {
                return {};
            }
        }
        images.push_back({QString::fromUtf8(name), std::move(image)});
    }
    const std::uint64_t expected = in.Sum();
    unsigned char stored[8];
    if (!in.Read(stored, 8) || in.Left() != 0) {
        return {};
    }
    std::uint64_t sum = 0;
    for (int i = 7; i >= 0; --i) {
        sum = sum << 8 | stored[i];
    }
    return sum == expected ? images : std::vector<CachedImage>{};
}

// Creates the directory and any missing parents, the new ones 0700.
bool MakeDirectories(const std::filesystem::path& dir) {
    if (dir.empty() || std::filesystem::is_directory(dir)) {
        return !dir.empty();
    }
    if (dir.has_parent_path() && dir.parent_path() != dir && !MakeDirectories(dir.parent_path())) {
        return false;
    }
    return ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

} // namespace

std::string ArtCacheDirectory() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/') {
        return (std::filesystem::path(cache) / "zanfor-kelva").string() + "/";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return (std::filesystem::path(home) / ".cache" / "zanfor-kelva").string() + "/";
    }
    return {};
}

std::string ArtCacheFile(const std::string& directory, const std::string& name, double ratio) {
    return directory + name + "@" + QString::number(ratio, 'g', 6).toStdString() + "x.zkart";
}

std::vector<std::uint8_t> EncodeArtCache(const std::string& key,
                                         const std::vector<CachedImage>& images) {
    std::vector<std::uint8_t> out(Magic, Magic + sizeof Magic);
    Put32(out, static_cast<std::uint32_t>(key.size()));
    out.insert(out.end(), key.begin(), key.end());
    Put32(out, static_cast<std::uint32_t>(images.size()));
    for (const CachedImage& entry : images) {
        const Kind& kind = KindOf(entry.image);
        const QImage image = entry.image.convertToFormat(kind.format);
        const QByteArray name = entry.name.toUtf8();
        Put32(out, static_cast<std::uint32_t>(name.size()));
        out.insert(out.end(), name.begin(), name.end());
        Put32(out, static_cast<std::uint32_t>(image.width()));
        Put32(out, static_cast<std::uint32_t>(image.height()));
        Put32(out, kind.code);
        const auto line = static_cast<std::size_t>(image.width()) * kind.bytes;
        for (int y = 0; y < image.height(); ++y) {
            out.insert(out.end(), image.constScanLine(y), image.constScanLine(y) + line);
        }
    }
    Checksum sum;
    sum.Add(out.data(), out.size());
    const std::uint64_t value = sum.Value();
    for (int i = 0; i < 8; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    return out;
}

std::vector<CachedImage> DecodeArtCache(const QByteArray& bytes, const std::string& key) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadEntry(buffer, key);
}

QByteArray ArtCacheChecksum(const QByteArray& bytes) {
    Checksum sum;
    sum.Add(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const std::uint64_t value = sum.Value();
    QByteArray out;
    for (int i = 0; i < 8; ++i) {
        out.append(static_cast<char>(value >> (8 * i)));
    }
    return out;
}

std::vector<CachedImage> ReadArtCache(const std::string& path, const std::string& key) {
    const QString name = QFile::decodeName(path.c_str());
    if (!QFileInfo(name).isFile()) {
        return {}; // missing, or something no read should wait on
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return ReadEntry(file, key);
}

bool WriteArtCache(const std::string& path, const std::string& key,
                   const std::vector<CachedImage>& images) {
    if (!MakeDirectories(std::filesystem::path(path).parent_path())) {
        return false;
    }
    return files::WriteFileAtomically(path, EncodeArtCache(key, images)).ok;
}

} // namespace zk::platform
