// The cache of pictures drawn for a scaled screen: one file per sheet (or for
// all compiled-in pictures) and ratio in $XDG_CACHE_HOME/zanfor-kelva/,
// holding the images' pixels as they are in memory, the key of what drew them
// and a checksum. An entry of another key (the art drawn by another version)
// is stale; a short, damaged or strange one is no entry. The cache only saves
// time: whatever goes wrong with it, the pictures are drawn.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace zk::platform {

struct CachedImage {
    QString name;
    QImage image; // Format_RGB32, Format_ARGB32 or Format_BGR888 (others stored as 32 bits)
};

// $XDG_CACHE_HOME/zanfor-kelva/ when XDG_CACHE_HOME holds an absolute path,
// else ~/.cache/zanfor-kelva/; empty without either.
std::string ArtCacheDirectory();

// The entry of `name` ("b1", "pictures") at a ratio in a directory ending in
// "/": e.g. "b1@1.5x.zkart".
std::string ArtCacheFile(const std::string& directory, const std::string& name, double ratio);

// The images of an entry written with `key`; empty when the file is missing,
// unreadable, of another key, or not a whole, sound entry.
std::vector<CachedImage> ReadArtCache(const std::string& path, const std::string& key);

// Writes an entry whole (atomically), creating its directory (mode 0700)
// when missing. False when it cannot be written; the previous entry, if
// any, is then as it was.
bool WriteArtCache(const std::string& path, const std::string& key,
                   const std::vector<CachedImage>& images);

// The bytes of an entry, and the images read back from bytes (what the two
// functions above write and read).
std::vector<std::uint8_t> EncodeArtCache(const std::string& key,
                                         const std::vector<CachedImage>& images);
std::vector<CachedImage> DecodeArtCache(const QByteArray& bytes, const std::string& key);
// The checksum an entry ends with, of the bytes before it (eight bytes,
// least significant first).
QByteArray ArtCacheChecksum(const QByteArray& bytes);

} // namespace zk::platform
