// The checks a help file passes before the viewer shows it: its size, how
// deep its HTML nests and what its tables weigh. A damaged file must not hold
// the game up while it is laid out.
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

// A table (or another frame) inside a table costs about twice as much to lay
// out at every level it nests, and a page of many tables costs their sum: each
// frame of the document the viewer makes of a file weighs 2 to the power of
// how deep it nests (a table on the page 2, a table in it 4, ...), and a file
// whose frames weigh more than this in all is not shown. Tables nested ten
// deep still pass; they take some 12 ms to lay out.
inline constexpr int MaxHelpFrameWeight = 4096;

// What the frames of the document the viewer makes of html weigh, counted up
// to limit + 1 at most. Nothing the HTML refers to is read.
int HelpFrameWeight(const QByteArray& html, int limit = MaxHelpFrameWeight);

// Whether bytes read from a help file may be shown.
bool IsShowableHelp(const QByteArray& bytes);

// The bytes of a file the help viewer reads: a regular file of at most
// MaxHelpFileSize bytes; HTML also nests at most MaxHelpNesting deep and its
// frames weigh at most MaxHelpFrameWeight.
// nullopt for anything else, as for a missing file.
std::optional<QByteArray> ReadHelpResource(const QString& path, bool html);

} // namespace zk::platform
