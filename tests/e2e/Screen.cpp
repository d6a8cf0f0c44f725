#include "Screen.h"

#include <QDir>
#include <algorithm>

#include "model/Board.h"
#include "model/Catalogue.h"
#include "resources/Resources.h"

namespace zk::e2e {

namespace {

constexpr QRgb ColourBits = 0x00FFFFFF;

QImage LoadSheet(const QString& path) {
    QImage image(path);
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

QRect TileSource(int t) {
    return {(t % 20) * Cell, (t / 20) * Cell, Cell, Cell};
}

} // namespace

bool Sheets::Load(const QString& programDir) {
    const QDir dir(programDir);
    b1 = LoadSheet(dir.filePath(QStringLiteral("b1.bmp")));
    b2 = LoadSheet(dir.filePath(QStringLiteral("b2.bmp")));
    b3 = LoadSheet(dir.filePath(QStringLiteral("b3.bmp")));
    b5 = LoadSheet(dir.filePath(QStringLiteral("b5.bmp")));
    zk::InitResources();
    digits = LoadSheet(QStringLiteral(":/zk/numbs1.png"));
    if (b1.width() < 960 || b1.height() < 480 || b2.width() < 520 || b2.height() < 376 ||
        b3.width() < 480 || b3.height() < 240 || b5.isNull() || digits.width() < 148) {
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
    for (int c = 0; c < 9; ++c) {
        for (int r = 0; r < 7; ++r) {
            const QPoint at = origin + QPoint(Cell * c, Cell * r);
            const int index = c * 7 + r;
            std::optional<int> plain;
            for (int t = 0; t < zk::TileTypeCount && !plain; ++t) {
                if (SameBlock(screen, at, sheets.b1, TileSource(t))) {
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
                if (SameBlock(screen, at, sheets.b1, TileSource(t), QRect(a.x, a.y, 20, 20))) {
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
        if (!SameBlock(screen, levelbox + QPoint(13 * i, 0), sheets.digits,
                       QRect(source, 0, 11, 20))) {
            return false;
        }
    }
    return true;
}

Face ReadFace(const QImage& screen, QPoint levelbox, const Sheets& sheets) {
    const QPoint face = levelbox + QPoint(42, 0);
    if (SameBlock(screen, face, sheets.digits, QRect(122, 0, 13, 20))) {
        return Face::Solved;
    }
    if (SameBlock(screen, face, sheets.digits, QRect(135, 0, 13, 20))) {
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

} // namespace zk::e2e
