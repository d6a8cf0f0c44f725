// The checks a help file passes before the viewer shows it: its size and how
// deep its HTML nests. A damaged file must not hold the game up while it is
// laid out.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string_view>

namespace zk::platform {

// A help file larger than this, or one whose HTML nests deeper, is not shown.
inline constexpr qint64 MaxHelpFileSize = 2 * 1024 * 1024;
inline constexpr int MaxHelpNesting = 32;

// How deep the elements of an HTML text nest, counted up to limit + 1 at
// most. Elements without content (br, img, ...) do not count; elements the
// HTML rules close without an end tag (p, li, td, ...) end where the next of
// their kind starts; comments and the content of style and script are skipped.
int HtmlNestingDepth(std::string_view html, int limit = MaxHelpNesting);

// Whether bytes read from a help file may be shown.
bool IsShowableHelp(const QByteArray& bytes);

// The bytes of a file the help viewer reads: a regular file of at most
// MaxHelpFileSize bytes; HTML also nests at most MaxHelpNesting deep.
// nullopt for anything else, as for a missing file.
std::optional<QByteArray> ReadHelpResource(const QString& path, bool html);

} // namespace zk::platform
