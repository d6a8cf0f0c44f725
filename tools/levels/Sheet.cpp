// zk-level-sheet: a contact sheet of a level file's areas, for reviewers.
// Every level is drawn small, ten to a row: its movable cells in sand, the
// fixed tiles with connections in slate with their connections in the
// colours of their kinds, the plain background dark; under it the level's
// number and the hardest of the deducer's rules it needs. The solutions are
// not shown.
//
//   zk-level-sheet LEVELFILE OUT.png
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <string>

#include "files/LevelFile.h"
#include "model/Deducer.h"

namespace {

constexpr int CellSize = 10;
constexpr int PerRow = 10;
constexpr int Gap = 8;
constexpr int LabelHeight = 14;
constexpr int LevelWidth = zk::Columns * CellSize;
constexpr int LevelHeight = zk::Rows * CellSize;

QColor KindColour(int code) {
    switch (code) {
    case 1:
        return QColor(0x2f, 0x6f, 0xd0);
    case 2:
        return QColor(0xc2, 0x3b, 0x2e);
    default:
        return QColor(0xd4, 0xa0, 0x17);
    }
}

void DrawLevel(QPainter& painter, int left, int top, const zk::LevelRecord& level, int number) {
    static constexpr int Dx[4] = {1, 0, -1, 0}; // E, N, W, S
    static constexpr int Dy[4] = {0, -1, 0, 1};
    for (int c = 0; c < zk::Columns; ++c) {
        for (int r = 0; r < zk::Rows; ++r) {
            const zk::TileNumber t = level[static_cast<std::size_t>(zk::CellIndex(c, r))];
            const zk::Edges e = zk::TileEdges(t);
            const bool connected = e != zk::Edges{};
            const QRect cell(left + c * CellSize, top + r * CellSize, CellSize, CellSize);
            painter.fillRect(cell, zk::IsMovable(t) ? QColor(0xe8, 0xd9, 0xa8)
                                   : connected      ? QColor(0x7d, 0x86, 0x94)
                                                    : QColor(0x33, 0x33, 0x38));
            if (zk::IsMovable(t) || !connected) {
                continue;
            }
            const QPoint centre = cell.center();
            for (int s = 0; s < 4; ++s) {
                if (e[s] != 0) {
                    painter.setPen(QPen(KindColour(e[s]), 2));
                    painter.drawLine(centre,
                                     centre + QPoint(Dx[s] * CellSize / 2, Dy[s] * CellSize / 2));
                }
            }
        }
    }
    const zk::RuleRating rating = zk::RateByRules(level);
    const QString label =
        QString::number(number) +
        (rating.solved ? QStringLiteral("  rule %1").arg(zk::RuleNumber(rating.hardest))
                       : QStringLiteral("  -"));
    painter.setPen(QColor(0x20, 0x20, 0x20));
    painter.drawText(QRect(left, top + LevelHeight, LevelWidth, LabelHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, label);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "Usage: zk-level-sheet LEVELFILE OUT.png\n");
        return 3;
    }
    const auto read = zk::files::ReadLevelFile(argv[1]);
    if (read.levels.empty()) {
        std::fprintf(stderr, "zk-level-sheet: no level in %s\n", argv[1]);
        return 1;
    }
    const int count = static_cast<int>(read.levels.size());
    const int rows = (count + PerRow - 1) / PerRow;
    QImage sheet(Gap + PerRow * (LevelWidth + Gap), Gap + rows * (LevelHeight + LabelHeight + Gap),
                 QImage::Format_RGB32);
    sheet.fill(QColor(0xf4, 0xf1, 0xea));
    QPainter painter(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    painter.setFont(font);
    for (int k = 0; k < count; ++k) {
        DrawLevel(painter, Gap + (k % PerRow) * (LevelWidth + Gap),
                  Gap + (k / PerRow) * (LevelHeight + LabelHeight + Gap),
                  read.levels[static_cast<std::size_t>(k)], k + 1);
    }
    painter.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "zk-level-sheet: cannot write %s\n", argv[2]);
        return 3;
    }
    return 0;
}
