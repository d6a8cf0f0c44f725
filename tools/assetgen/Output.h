// Encoding pictures and sounds into file bytes, and writing them into place.
// A file is rewritten only when its bytes change, always whole (temporary file
// renamed over the target), so that a rebuild leaves unchanged files alone.
#pragma once

#include <QImage>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace zk::art {

using Bytes = std::vector<std::uint8_t>;

// A 24-bit uncompressed Windows bitmap, bottom-up rows, no colour table.
Bytes EncodeBmp(const QImage& image);

// A PNG (with alpha when the image has it).
Bytes EncodePng(const QImage& image);

enum class WriteResult { Unchanged, Written, Failed };

// Writes bytes to path unless the file already holds exactly these bytes.
WriteResult WriteIfChanged(const std::string& path, const Bytes& bytes,
                           std::string* error = nullptr);

} // namespace zk::art
