#include "Preview.h"

#include "art/Art.h"
#include "art/Glyphs.h"
#include "art/Surface.h"
#include "art/Tiles.h"
#include "model/Catalogue.h"

#include <QLinearGradient>

#include <algorithm>
#include <functional>
#include <vector>

namespace zk::art {
namespace {

QImage Tile(const QImage& sheet, int t, int size) {
    return sheet.copy((t % 20) * size, (t / 20) * size, size, size);
}

// A glyph button as the toolbar shows it: a raised 25 x 25 face with the
// glyph (its first image) in the middle.
void Button(QPainter& p, QRect r, const QImage& glyph, int glyphWidth) {
    p.fillRect(r, Rgb(0xD4D0C8));
    p.setPen(Rgb(0xFFFFFF));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(Rgb(0x808080));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    const QImage face = glyph.copy(0, 0, glyphWidth, glyph.height());
    p.drawImage(r.left() + (r.width() - face.width()) / 2,
                r.top() + (r.height() - face.height()) / 2, face);
}

QImage Picture(const std::vector<NamedPicture>& all, const char* name) {
    for (const NamedPicture& n : all) {
        if (n.name == QLatin1String(name)) {
            return n.image;
        }
    }
    return {};
}

} // namespace

std::array<std::uint8_t, 63> SampleBoard() {
    // Row by row, each cell takes a tile whose west and north sides match its
    // neighbours and whose outer sides are bare at the border; candidates are
    // tried in a fixed shuffled order, tiles with connections first.
    std::array<int, 63> grid{}; // row-major here, converted at the end
    std::vector<int> order;
    for (int t = 1; t < TileTypeCount; ++t) {
        order.push_back(t);
    }
    std::vector<std::vector<int>> candidates(63);
    for (int i = 0; i < 63; ++i) {
        std::vector<int> c = order;
        std::sort(c.begin(), c.end(), [i](int a, int b) {
            const auto ka = Hash(static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(i), 31) %
                            (TileEdges(static_cast<TileNumber>(a)) == Edges{} ? 1000u : 400u);
            const auto kb = Hash(static_cast<std::uint32_t>(b), static_cast<std::uint32_t>(i), 31) %
                            (TileEdges(static_cast<TileNumber>(b)) == Edges{} ? 1000u : 400u);
            return ka != kb ? ka < kb : a < b;
        });
        c.push_back(0);
        candidates[static_cast<std::size_t>(i)] = c;
    }
    std::function<bool(int)> place = [&](int i) {
        if (i == 63) {
            return true;
        }
        const int col = i % 9;
        const int row = i / 9;
        const int west =
            col == 0
                ? 0
                : TileEdges(static_cast<TileNumber>(grid[static_cast<std::size_t>(i - 1)]))[East];
        const int north =
            row == 0
                ? 0
                : TileEdges(static_cast<TileNumber>(grid[static_cast<std::size_t>(i - 9)]))[South];
        for (int t : candidates[static_cast<std::size_t>(i)]) {
            const Edges e = TileEdges(static_cast<TileNumber>(t));
            if (e[West] != west || e[North] != north) {
                continue;
            }
            if ((col == 8 && e[East] != 0) || (row == 6 && e[South] != 0)) {
                continue;
            }
            grid[static_cast<std::size_t>(i)] = t;
            if (place(i + 1)) {
                return true;
            }
        }
        return false;
    };
    place(0);
    std::array<std::uint8_t, 63> board{};
    for (int c = 0; c < 9; ++c) {
        for (int r = 0; r < 7; ++r) {
            board[static_cast<std::size_t>(c * 7 + r)] =
                static_cast<std::uint8_t>(grid[static_cast<std::size_t>(r * 9 + c)]);
        }
    }
    return board;
}

QImage BoardPreview() {
    const QImage b1 = TileSheet(1);
    const QImage b2 = SurfaceSheet(1);
    const std::vector<NamedPicture> pictures = ResourcePictures(1);
    QImage window(520, 409, QImage::Format_RGB32);
    window.fill(Rgb(0xD4D0C8));
    QPainter p(&window);
    // the board surface, drawn as the game draws it
    p.drawImage(0, 33, b2);
    const auto board = SampleBoard();
    int heldCol = -1, heldRow = -1;
    for (int c = 0; c < 9; ++c) {
        for (int r = 0; r < 7; ++r) {
            const int t = board[static_cast<std::size_t>(c * 7 + r)];
            if (heldCol < 0 && IsHoldable(static_cast<TileNumber>(t)) && c >= 4 && r >= 3) {
                heldCol = c;
                heldRow = r;
            }
            p.drawImage(22 + 48 * c, 33 + 20 + 48 * r, Tile(b1, t, 48));
        }
    }
    if (heldCol >= 0) {
        const int t = board[static_cast<std::size_t>(heldCol * 7 + heldRow)];
        QImage scratch = Tile(b1, t, 48);
        const Point anchor = SpriteAnchor(static_cast<TileNumber>(t));
        QPainter s(&scratch);
        s.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        s.drawImage(anchor.x, anchor.y, b2.copy(SpriteMaskArea(3)));
        s.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        s.drawImage(anchor.x, anchor.y, b2.copy(SpriteFrameArea(3)));
        s.end();
        p.drawImage(22 + 48 * heldCol, 33 + 20 + 48 * heldRow, scratch);
    }
    // progress bar: 2 of 5 levels solved
    const int f = 2 * 315 / 5;
    p.drawImage(469, 33 + 32, b2.copy(415, 32, 31, 315 - f));
    p.drawImage(469, 33 + 347 - f, b2.copy(469, 347 - f, 31, 376 - (347 - f)));
    // the toolbar
    p.setPen(Rgb(0xFFFFFF));
    p.drawLine(0, 0, 519, 0);
    p.setPen(Rgb(0x808080));
    p.drawLine(0, 32, 519, 32);
    struct Slot {
        int x;
        const char* name;
        int glyphWidth;
    };
    for (const Slot& s :
         {Slot{4, "NewGameBtn.png", 18}, Slot{28, "RestartBtn.png", 18},
          Slot{52, "LoadBtn.png", 18}, Slot{76, "SaveBtn.png", 18}, Slot{100, "SoundBtn.png", 16},
          Slot{124, "OptionBtn.png", 18}, Slot{148, "ExitBtn.png", 18},
          Slot{437, "RulesBtn.png", 18}, Slot{461, "InfoBtn.png", 18}}) {
        Button(p, QRect(s.x, 4, 25, 25), Picture(pictures, s.name), s.glyphWidth);
    }
    Button(p, QRect(485, 4, 30, 25), Picture(pictures, "ZanforBtn.png"), 26);
    Button(p, QRect(292, 7, 20, 20), Picture(pictures, "sDownBtn.png"), 15);
    Button(p, QRect(413, 7, 20, 20), Picture(pictures, "sUpBtn.png"), 15);
    // the scroll bar
    p.fillRect(QRect(313, 8, 101, 19), Rgb(0xE8E6E0));
    Button(p, QRect(313, 8, 17, 19), QImage(), 0);
    Button(p, QRect(397, 8, 17, 19), QImage(), 0);
    Button(p, QRect(340, 8, 17, 19), QImage(), 0);
    // the level display: Bevel2, Shape1, levellabel, levelbox (level 42, unsolved)
    p.setPen(Rgb(0x808080));
    p.drawRect(176, 4, 112, 25);
    p.fillRect(QRect(176, 5, 113, 24), Qt::black);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(0xFFFF00));
    p.drawPath(TextPath(QStringLiteral("Level:"), 12, false, QPointF(180, 24)));
    const QImage digits = DigitStrip(1);
    p.drawImage(228 + 0, 7, digits.copy(110, 0, 11, 20));
    p.drawImage(228 + 13, 7, digits.copy(44, 0, 11, 20));
    p.drawImage(228 + 26, 7, digits.copy(22, 0, 11, 20));
    p.drawImage(228 + 42, 7, digits.copy(135, 0, 13, 20));
    p.end();
    return window;
}

QImage PicturesPreview() {
    const std::vector<NamedPicture> pictures = ResourcePictures(1);
    constexpr int scale = 3;
    constexpr int margin = 14;
    constexpr int columnWidth = 300;
    QImage out(margin * 2 + columnWidth * 4, 860, QImage::Format_RGB32);
    out.fill(Rgb(0xE9E6DF));
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing, true);
    int x = margin;
    int y = margin;
    auto label = [&p](const QString& text, int lx, int ly) {
        p.setPen(Qt::NoPen);
        p.setBrush(Rgb(0x30343C));
        p.drawPath(TextPath(text, 11, true, QPointF(lx, ly)));
    };
    for (const NamedPicture& n : pictures) {
        if (n.name.startsWith(QLatin1String("icon")) && n.name != QLatin1String("icon32.png")) {
            continue;
        }
        const int k = n.image.width() * scale > columnWidth - 10 ? 2 : scale;
        const QImage big =
            n.image.scaled(n.image.size() * k, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (y + big.height() + 24 > out.height() - 200) {
            y = margin;
            x += columnWidth;
        }
        label(QStringLiteral("%1  %2 x %3").arg(n.name).arg(n.image.width()).arg(n.image.height()),
              x, y + 11);
        // checkerboard behind transparent pictures
        for (int cy = 0; cy < big.height(); cy += 6) {
            for (int cx = 0; cx < big.width(); cx += 6) {
                p.fillRect(QRect(x + cx, y + 16 + cy, std::min(6, big.width() - cx),
                                 std::min(6, big.height() - cy)),
                           ((cx + cy) / 6) % 2 == 0 ? Rgb(0xFFFFFF) : Rgb(0xD8D8D8));
            }
        }
        p.drawImage(x, y + 16, big);
        y += big.height() + 28;
    }
    // the icon in every size, the splash and the marker frames
    const int bottom = out.height() - 190;
    int ix = margin;
    label(QStringLiteral("window icon: 16, 24, 32, 48, 64, 128 px"), ix, bottom + 11);
    for (int size : {16, 24, 32, 48, 64, 128}) {
        p.drawImage(ix, bottom + 20, Icon(size));
        ix += size + 10;
    }
    label(QStringLiteral("b5.bmp (splash)"), 420, bottom + 11);
    p.drawImage(420, bottom + 20, SplashPicture(1));
    label(QStringLiteral("marker frames and masks (x3)"), 640, bottom + 11);
    for (int f = 0; f < SpriteFrames; ++f) {
        const QImage frame = SpriteFrame(f, 1);
        p.drawImage(640 + f * 64, bottom + 20,
                    frame.scaled(60, 60, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        p.drawImage(
            640 + f * 64, bottom + 84,
            SpriteMask(frame).scaled(60, 60, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
    p.end();
    return out;
}

} // namespace zk::art
