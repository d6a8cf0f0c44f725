#include "Screen.h"

#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "art/Art.h"
#include "art/Glyphs.h"
#include "art/Surface.h"
#include "art/Tiles.h"
#include "model/Board.h"
#include "model/Catalogue.h"
#include "model/OpenEnds.h"
#include "resources/Resources.h"

namespace zk::e2e {

namespace {

constexpr QRgb ColourBits = 0x00FFFFFF;

QImage LoadSheet(const QString& path) {
    QImage image(path);
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

QRect TileSource(int t, int scale = 1) {
    const int cell = Cell * scale;
    return {(t % 20) * cell, (t / 20) * cell, cell, cell};
}

} // namespace

QImage PictureAt(const QString& name, int scale) {
    if (scale == 1) {
        zk::InitResources();
        return QImage(QStringLiteral(":/zk/") + name);
    }
    art::LoadFonts();
    for (const art::NamedPicture& picture : art::ResourcePictures(scale)) {
        if (picture.name == name) {
            return picture.image.convertToFormat(
                picture.image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        }
    }
    return {};
}

bool Sheets::Load(const QString& programDir, int atScale) {
    const QDir dir(programDir);
    scale = atScale;
    if (scale == 1) {
        b1 = LoadSheet(dir.filePath(QStringLiteral("b1.bmp")));
        b2 = LoadSheet(dir.filePath(QStringLiteral("b2.bmp")));
        b3 = LoadSheet(dir.filePath(QStringLiteral("b3.bmp")));
        b5 = LoadSheet(dir.filePath(QStringLiteral("b5.bmp")));
    } else {
        // As the game draws them at that ratio.
        art::LoadFonts();
        b1 = art::TileSheet(scale);
        b2 = art::SurfaceSheet(scale);
        b3 = art::PaletteSheetFrom(b1, scale);
        b5 = art::SplashPicture(scale).convertToFormat(QImage::Format_RGB32);
    }
    digits = PictureAt(QStringLiteral("numbs1.png"), scale).convertToFormat(QImage::Format_RGB32);
    const int s = scale;
    if (b1.width() < 960 * s || b1.height() < 480 * s || b2.width() < 520 * s ||
        b2.height() < 376 * s || b3.width() < 480 * s || b3.height() < 240 * s || b5.isNull() ||
        digits.width() < 148 * s) {
        problem = QStringLiteral("image sheets or digit strip missing or too small");
        return false;
    }
    return true;
}

bool SameBlock(const QImage& screen, QPoint at, const QImage& sheet, QRect source, QRect ignore) {
    if (!screen.rect().contains(QRect(at, source.size())) || !sheet.rect().contains(source)) {
        return false;
    }
    for (int y = 0; y < source.height(); ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(screen.constScanLine(at.y() + y)) + at.x();
        const auto* p =
            reinterpret_cast<const QRgb*>(sheet.constScanLine(source.y() + y)) + source.x();
        for (int x = 0; x < source.width(); ++x) {
            if (((s[x] ^ p[x]) & ColourBits) != 0 && !ignore.contains(x, y)) {
                return false;
            }
        }
    }
    return true;
}

bool PictureIsUnique(const Sheets& sheets, int tile) {
    for (int other = 0; other < tile; ++other) {
        if (SameBlock(sheets.b1, TileSource(tile).topLeft(), sheets.b1, TileSource(other))) {
            return false;
        }
    }
    return true;
}

BoardRead ReadBoard(const QImage& screen, QPoint origin, const Sheets& sheets) {
    BoardRead read;
    if (screen.isNull()) {
        read.problem = QStringLiteral("no screenshot");
        return read;
    }
    const int s = sheets.scale;
    for (int c = 0; c < 9; ++c) {
        for (int r = 0; r < 7; ++r) {
            const QPoint at = origin + QPoint(Cell * c, Cell * r) * s;
            const int index = c * 7 + r;
            std::optional<int> plain;
            for (int t = 0; t < zk::TileTypeCount && !plain; ++t) {
                if (SameBlock(screen, at, sheets.b1, TileSource(t, s))) {
                    plain = t;
                }
            }
            if (plain) {
                read.tiles[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(*plain);
                continue;
            }
            // Only a holdable tile carries the marker.
            std::optional<int> marked;
            for (int t = 1; t <= zk::LastHoldableTile; ++t) {
                const zk::Point a = zk::SpriteAnchor(static_cast<zk::TileNumber>(t));
                if (SameBlock(screen, at, sheets.b1, TileSource(t, s),
                              QRect(a.x * s, a.y * s, 20 * s, 20 * s))) {
                    if (marked) {
                        read.problem = QStringLiteral("cell (%1, %2) is tile %3 or %4")
                                           .arg(c)
                                           .arg(r)
                                           .arg(*marked)
                                           .arg(t);
                        return read;
                    }
                    marked = t;
                }
            }
            if (!marked) {
                read.problem = QStringLiteral("cell (%1, %2) shows no tile").arg(c).arg(r);
                return read;
            }
            if (read.held) {
                read.problem = QStringLiteral("two cells carry a marker");
                return read;
            }
            read.held = index;
            read.tiles[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(*marked);
        }
    }
    read.ok = true;
    return read;
}

bool ShowsLevel(const QImage& screen, QPoint levelbox, const Sheets& sheets, int level) {
    const int digits[3] = {level / 100 % 10, level / 10 % 10, level % 10};
    bool leading = true;
    for (int i = 0; i < 3; ++i) {
        leading = leading && digits[i] == 0;
        const int source = (leading && i < 2) ? 110 : 11 * digits[i];
        const int s = sheets.scale;
        if (!SameBlock(screen, levelbox + QPoint(13 * i * s, 0), sheets.digits,
                       QRect(source * s, 0, 11 * s, 20 * s))) {
            return false;
        }
    }
    return true;
}

Face ReadFace(const QImage& screen, QPoint levelbox, const Sheets& sheets) {
    const int s = sheets.scale;
    const QPoint face = levelbox + QPoint(42 * s, 0);
    if (SameBlock(screen, face, sheets.digits, QRect(122 * s, 0, 13 * s, 20 * s))) {
        return Face::Solved;
    }
    if (SameBlock(screen, face, sheets.digits, QRect(135 * s, 0, 13 * s, 20 * s))) {
        return Face::Unsolved;
    }
    return Face::Unknown;
}

QImage ExpectedProgressBar(const Sheets& sheets, int solved, int count) {
    const QRect bar = ProgressBarInClient;
    const int top = bar.y() - ToolPanelHeight; // 32 in the board surface
    QImage out(bar.width(), bar.height(), QImage::Format_RGB32);
    // Row y of the bar comes from row `from` of column `x` of the background.
    auto copyRows = [&](int y, int rows, int x, int from) {
        for (int i = 0; i < rows; ++i) {
            const auto* src = reinterpret_cast<const QRgb*>(sheets.b2.constScanLine(from + i)) + x;
            std::copy(src, src + bar.width(), reinterpret_cast<QRgb*>(out.scanLine(y + i)));
        }
    };
    if (solved == 0) {
        copyRows(0, bar.height(), 415, top);
    } else if (solved == count) {
        copyRows(0, bar.height(), 469, top);
    } else {
        const int f = solved * bar.height() / count;
        copyRows(0, bar.height() - f, 415, top);
        copyRows(bar.height() - f, f, 469, top + bar.height() - f);
    }
    return out;
}

bool ProgressBarShows(const QImage& screen, QPoint client, const Sheets& sheets, int solved,
                      int count) {
    const QImage expected = ExpectedProgressBar(sheets, solved, count);
    return SameBlock(screen, client + ProgressBarInClient.topLeft(), expected, expected.rect());
}

QString Describe(const Record& tiles) {
    QString out;
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 9; ++c) {
            out += QStringLiteral("%1").arg(tiles[static_cast<std::size_t>(c * 7 + r)], 4);
        }
        out += QLatin1Char('\n');
    }
    return out;
}

QString BoardWithMarksDiffers(const QImage& screen, QPoint origin, const Sheets& sheets,
                              const Record& tiles, std::optional<int> held, bool marks) {
    if (screen.isNull()) {
        return QStringLiteral("no screenshot");
    }
    zk::LevelRecord cells{};
    std::copy(tiles.begin(), tiles.end(), cells.begin());
    const zk::OpenEndMap open = marks ? zk::OpenEndsOf(cells) : zk::OpenEndMap{};
    // The middles of the sides E, N, W, S, where a mark's cross is centred.
    const QPoint middles[4] = {{40, 24}, {24, 8}, {8, 24}, {24, 40}};
    for (int index = 0; index < 63; ++index) {
        const QPoint at = origin + QPoint(Cell * (index / 7), Cell * (index % 7));
        const int t = tiles[static_cast<std::size_t>(index)];
        std::vector<QRect> ignore;
        if (held == index) {
            const zk::Point a = zk::SpriteAnchor(static_cast<zk::TileNumber>(t));
            ignore.emplace_back(a.x, a.y, 20, 20);
        }
        const zk::SideMask m = open[static_cast<std::size_t>(index)];
        for (int side = 0; side < 4; ++side) {
            if (zk::HasSide(m, static_cast<zk::Side>(side))) {
                const QPoint p = at + middles[side];
                if ((screen.pixel(p) & ColourBits) != ColourBits) {
                    return QStringLiteral("cell %1: no mark on side %2").arg(index).arg(side);
                }
                ignore.emplace_back(middles[side] - QPoint(6, 6), QSize(13, 13));
            }
        }
        const QRect source = TileSource(t);
        for (int y = 0; y < Cell; ++y) {
            for (int x = 0; x < Cell; ++x) {
                const bool skipped = std::any_of(ignore.begin(), ignore.end(),
                                                 [&](const QRect& r) { return r.contains(x, y); });
                if (!skipped && ((screen.pixel(at.x() + x, at.y() + y) ^
                                  sheets.b1.pixel(source.x() + x, source.y() + y)) &
                                 ColourBits) != 0) {
                    return QStringLiteral("cell %1 differs at %2,%3").arg(index).arg(x).arg(y);
                }
            }
        }
        if (held == index && SameBlock(screen, at, sheets.b1, source)) {
            return QStringLiteral("cell %1 carries no marker").arg(index);
        }
    }
    return {};
}

bool ShowsComposedMarker(const QImage& screen, QPoint origin, const Sheets& sheets, int index,
                         int tile) {
    const int s = sheets.scale;
    const QPoint at = origin + QPoint(Cell * (index / 7), Cell * (index % 7)) * s;
    const zk::Point a = zk::SpriteAnchor(static_cast<zk::TileNumber>(tile));
    const QRect sprite(a.x * s, a.y * s, 20 * s, 20 * s);
    const QImage cell = sheets.b1.copy(TileSource(tile, s));
    for (int frame = 0; frame < 8; ++frame) {
        // The sprite's frames side by side from (30, 30), their masks below at y 50.
        const int sx = (30 + 20 * frame) * s;
        QImage expected = cell;
        for (int y = 0; y < sprite.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(expected.scanLine(sprite.y() + y)) + sprite.x();
            const auto* mask =
                reinterpret_cast<const QRgb*>(sheets.b2.constScanLine(50 * s + y)) + sx;
            const auto* paint =
                reinterpret_cast<const QRgb*>(sheets.b2.constScanLine(30 * s + y)) + sx;
            for (int x = 0; x < sprite.width(); ++x) {
                line[x] = (line[x] & mask[x]) | paint[x] | 0xff000000u;
            }
        }
        if (SameBlock(screen, at, expected, expected.rect())) {
            return true;
        }
    }
    return false;
}

QString GlyphDiffers(const QImage& screen, QRect button, const QImage& glyph,
                     const QImage& lowGlyph) {
    const QImage g = glyph.convertToFormat(QImage::Format_ARGB32);
    const int factor = glyph.width() / std::max(1, lowGlyph.width());
    const QImage low =
        lowGlyph.convertToFormat(QImage::Format_ARGB32)
            .scaled(lowGlyph.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    int opaque = 0;
    for (int y = 0; y < g.height(); ++y) {
        for (int x = 0; x < g.width(); ++x) {
            opaque += qAlpha(g.pixel(x, y)) == 255 ? 1 : 0;
        }
    }
    if (opaque == 0) {
        return QStringLiteral("the glyph has no opaque pixel");
    }
    for (int dy = 0; dy + g.height() <= button.height(); ++dy) {
        for (int dx = 0; dx + g.width() <= button.width(); ++dx) {
            const QPoint at = button.topLeft() + QPoint(dx, dy);
            if (!screen.rect().contains(QRect(at, g.size()))) {
                continue;
            }
            bool same = true;
            int unlikeLow = 0;
            for (int y = 0; y < g.height() && same; ++y) {
                for (int x = 0; x < g.width(); ++x) {
                    const QRgb p = g.pixel(x, y);
                    if (qAlpha(p) != 255) {
                        continue;
                    }
                    const QRgb shown = screen.pixel(at.x() + x, at.y() + y);
                    if (((shown ^ p) & ColourBits) != 0) {
                        same = false;
                        break;
                    }
                    unlikeLow += ((shown ^ low.pixel(x, y)) & ColourBits) != 0 ? 1 : 0;
                }
            }
            if (same) {
                return unlikeLow * 4 > opaque
                           ? QString()
                           : QStringLiteral("the glyph is the smaller one enlarged");
            }
        }
    }
    return QStringLiteral("the glyph is nowhere in the button");
}

namespace {

bool Unlike(QRgb p, QRgb q) {
    return std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
               std::abs(qBlue(p) - qBlue(q)) >
           96;
}

// The pixels of `picture` that differ clearly from the screen at `at`,
// counted up to `enough`.
int DifferingAt(const QImage& screen, QPoint at, const QImage& picture, int enough) {
    int n = 0;
    for (int y = 0; y < picture.height() && n < enough; ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            n += Unlike(screen.pixel(at.x() + x, at.y() + y), picture.pixel(x, y)) ? 1 : 0;
        }
    }
    return n;
}

} // namespace

int Differing(const QImage& a, const QImage& b) {
    return DifferingAt(a, QPoint(0, 0), b, b.width() * b.height());
}

QImage TextLine(const QString& text, const QFont& font, QColor paper, QColor ink) {
    const QFontMetrics metrics(font);
    QImage line(metrics.horizontalAdvance(text), metrics.height(), QImage::Format_RGB32);
    line.fill(paper);
    QPainter painter(&line);
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(0, metrics.ascent(), text);
    return line;
}

int DifferingAtBest(const QImage& screen, QRect area, const QImage& picture) {
    int best = picture.width() * picture.height();
    area &= screen.rect();
    for (int y = area.top(); y + picture.height() <= area.bottom() + 1; ++y) {
        for (int x = area.left(); x + picture.width() <= area.right() + 1; ++x) {
            best = std::min(best, DifferingAt(screen, QPoint(x, y), picture, best));
        }
    }
    return best;
}

bool ShowsCursorFrame(const QImage& screen, QPoint origin, int index) {
    const QPoint at = origin + QPoint(Cell * (index / 7), Cell * (index % 7));
    if (!screen.rect().contains(QRect(at, QSize(Cell, Cell)))) {
        return false;
    }
    for (int i = 4; i < Cell - 4; i += 5) {
        for (const auto& [outer, inner] : {std::pair{QPoint(i, 0), QPoint(i, 1)},
                                           {QPoint(0, i), QPoint(1, i)},
                                           {QPoint(i, Cell - 1), QPoint(i, Cell - 2)},
                                           {QPoint(Cell - 1, i), QPoint(Cell - 2, i)}}) {
            if ((screen.pixel(at + outer) & ColourBits) != 0 ||
                (screen.pixel(at + inner) & ColourBits) != 0xFFE600) {
                return false;
            }
        }
    }
    return true;
}

} // namespace zk::e2e
