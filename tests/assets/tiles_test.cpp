// The tile sheets against the catalogue: every side of every tile shows the
// connection kind its edge code names, measured at the edge midpoint by
// colour and by width (the kinds differ in shape, not only in colour).
#include "AssetTestSupport.h"
#include "art/Tiles.h"
#include "model/Catalogue.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using zk::test::Classify;
using zk::test::Look;

// The outermost pixel line of one side of tile t, in reading order.
std::vector<QRgb> EdgeLine(const QImage& sheet, int cell, int t, int side) {
    const int x0 = (t % 20) * cell;
    const int y0 = (t / 20) * cell;
    std::vector<QRgb> line;
    for (int i = 0; i < cell; ++i) {
        switch (side) {
        case zk::East:
            line.push_back(sheet.pixel(x0 + cell - 1, y0 + i));
            break;
        case zk::North:
            line.push_back(sheet.pixel(x0 + i, y0));
            break;
        case zk::West:
            line.push_back(sheet.pixel(x0, y0 + i));
            break;
        default:
            line.push_back(sheet.pixel(x0 + i, y0 + cell - 1));
            break;
        }
    }
    return line;
}

Look Expected(int code) {
    switch (code) {
    case 1:
        return Look::Pipe;
    case 2:
        return Look::Rail;
    case 3:
        return Look::Band;
    default:
        return Look::None;
    }
}

struct Run {
    int begin = 0;
    int end = 0; // exclusive
    int Length() const { return end - begin; }
};

Run RunAround(const std::vector<QRgb>& line, int at, Look look) {
    Run r{at, at};
    while (r.begin > 0 && Classify(line[static_cast<std::size_t>(r.begin - 1)]) == look) {
        --r.begin;
    }
    while (r.end < static_cast<int>(line.size()) &&
           Classify(line[static_cast<std::size_t>(r.end)]) == look) {
        ++r.end;
    }
    return r;
}

double Value(QRgb rgb) {
    return QColor::fromRgb(rgb).valueF();
}

// Checks one side of one tile of the 48-pixel sheet; returns a complaint or "".
std::string CheckSide48(const QImage& sheet, int t, int side) {
    const int code = zk::TileEdges(static_cast<zk::TileNumber>(t))[side];
    const auto line = EdgeLine(sheet, 48, t, side);
    const Look want = Expected(code);
    const std::string where = "tile " + std::to_string(t) + " side " + std::to_string(side) + ": ";
    if (want == Look::None) {
        for (int i = 12; i < 36; ++i) {
            if (Classify(line[static_cast<std::size_t>(i)]) != Look::None) {
                return where + "a connection colour at " + std::to_string(i) + " on a bare side";
            }
        }
        return {};
    }
    for (int i : {23, 24}) {
        if (Classify(line[static_cast<std::size_t>(i)]) != want) {
            return where + "midpoint pixel " + std::to_string(i) + " is not kind " +
                   std::to_string(code);
        }
    }
    const Run run = RunAround(line, 23, want);
    int lo = 0, hi = 0;
    switch (code) {
    case 1:
        lo = 6, hi = 10;
        break;
    case 2:
        lo = 11, hi = 15;
        break;
    default:
        lo = 13, hi = 19;
        break;
    }
    if (run.Length() < lo || run.Length() > hi) {
        return where + "kind " + std::to_string(code) + " is " + std::to_string(run.Length()) +
               " px wide";
    }
    // the run is centred on the midpoint (the connection meets the edge there)
    if (std::abs((run.begin + run.end) - 48) > 2) {
        return where + "connection not centred on the edge midpoint";
    }
    for (int i = 12; i < 36; ++i) {
        const Look l = Classify(line[static_cast<std::size_t>(i)]);
        if (l != Look::None && l != want) {
            return where + "a second kind beside the connection";
        }
    }
    if (code == 2) {
        // twin rails: a dark groove in the middle, bright rails either side
        const double groove = std::max(Value(line[23]), Value(line[24]));
        double rails = 0.0;
        for (int i = run.begin; i < 22; ++i) {
            rails = std::max(rails, Value(line[static_cast<std::size_t>(i)]));
        }
        double rails2 = 0.0;
        for (int i = 26; i < run.end; ++i) {
            rails2 = std::max(rails2, Value(line[static_cast<std::size_t>(i)]));
        }
        if (groove > 0.7 * std::min(rails, rails2)) {
            return where + "the rails show no groove between them";
        }
    }
    return {};
}

QImage LoadSheet(const char* name) {
    QImage image(zk::test::GameFile(name));
    return image.convertToFormat(QImage::Format_RGB32);
}

TEST(TileSheet, BoardSheetHasTheLayoutSize) {
    const QImage b1 = LoadSheet("b1.bmp");
    ASSERT_FALSE(b1.isNull()) << "b1.bmp missing in " << ZK_GAME_DIR;
    EXPECT_EQ(b1.width(), 960);
    EXPECT_EQ(b1.height(), 480);
    const QImage b3 = LoadSheet("b3.bmp");
    ASSERT_FALSE(b3.isNull());
    EXPECT_EQ(b3.width(), 480);
    EXPECT_EQ(b3.height(), 240);
}

TEST(TileSheet, EveryEdgeShowsItsConnectionKind) {
    const QImage b1 = LoadSheet("b1.bmp");
    ASSERT_FALSE(b1.isNull());
    std::vector<std::string> complaints;
    for (int t = 0; t < zk::TileTypeCount; ++t) {
        for (int side = 0; side < 4; ++side) {
            const std::string c = CheckSide48(b1, t, side);
            if (!c.empty()) {
                complaints.push_back(c);
            }
        }
    }
    EXPECT_TRUE(complaints.empty())
        << complaints.size()
        << " sides wrong, first: " << (complaints.empty() ? "" : complaints.front());
}

TEST(TileSheet, PaletteTilesShowTheSameKindsAtTheirEdges) {
    const QImage b3 = LoadSheet("b3.bmp");
    ASSERT_FALSE(b3.isNull());
    std::vector<std::string> complaints;
    for (int t = 0; t < zk::TileTypeCount; ++t) {
        for (int side = 0; side < 4; ++side) {
            const int code = zk::TileEdges(static_cast<zk::TileNumber>(t))[side];
            const auto line = EdgeLine(b3, 24, t, side);
            const Look want = Expected(code);
            bool ok = true;
            if (want == Look::None) {
                for (int i = 6; i < 18; ++i) {
                    ok = ok && Classify(line[static_cast<std::size_t>(i)]) == Look::None;
                }
            } else {
                // the kind shows right beside the midpoint and nothing else does
                int hits = 0;
                for (int i = 9; i < 15; ++i) {
                    const Look l = Classify(line[static_cast<std::size_t>(i)]);
                    hits += l == want ? 1 : 0;
                    ok = ok && (l == want || l == Look::None);
                }
                ok = ok && hits >= 2;
            }
            if (!ok) {
                complaints.push_back("tile " + std::to_string(t) + " side " + std::to_string(side));
            }
        }
    }
    EXPECT_TRUE(complaints.empty())
        << complaints.size()
        << " palette sides wrong, first: " << (complaints.empty() ? "" : complaints.front());
}

QColor CornerMean(const QImage& sheet, int t) {
    const int x0 = (t % 20) * 48;
    const int y0 = (t / 20) * 48;
    long r = 0, g = 0, b = 0, n = 0;
    for (const auto& [cx, cy] :
         {std::pair{0, 0}, std::pair{38, 0}, std::pair{0, 38}, std::pair{38, 38}}) {
        for (int y = cy; y < cy + 10; ++y) {
            for (int x = cx; x < cx + 10; ++x) {
                const QRgb p = sheet.pixel(x0 + x, y0 + y);
                r += qRed(p);
                g += qGreen(p);
                b += qBlue(p);
                ++n;
            }
        }
    }
    return QColor(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
}

double Distance(const QColor& a, const QColor& b) {
    return std::hypot(a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue());
}

TEST(TileSheet, MovableAndFixedTilesLookDifferentAtAGlance) {
    // The corners of a tile carry no connection: they show its material.
    // All movable tiles share one sand look; no fixed tile comes near it.
    const QImage b1 = LoadSheet("b1.bmp");
    ASSERT_FALSE(b1.isNull());
    QColor sand = CornerMean(b1, 1);
    for (int t = 1; t <= zk::LastMovableTile; ++t) {
        EXPECT_LT(Distance(CornerMean(b1, t), sand), 20.0) << "movable tile " << t;
    }
    for (int t = zk::LastMovableTile + 1; t < zk::TileTypeCount; ++t) {
        EXPECT_GT(Distance(CornerMean(b1, t), sand), 30.0) << "fixed tile " << t;
    }
    // the empty cell is a dark floor, far darker than a tile and without any
    // connection colour
    EXPECT_LT(qGray(CornerMean(b1, 0).rgb()), qGray(sand.rgb()) / 2);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            ASSERT_EQ(Classify(b1.pixel(x, y)), Look::None) << x << "," << y;
        }
    }
}

TEST(TileSheet, EveryTileHasAPictureOfItsOwn) {
    // Tiles with the same edges keep their own pictures.
    const QImage b1 = LoadSheet("b1.bmp");
    ASSERT_FALSE(b1.isNull());
    std::vector<QImage> tiles;
    for (int t = 0; t < zk::TileTypeCount; ++t) {
        tiles.push_back(b1.copy((t % 20) * 48, (t / 20) * 48, 48, 48));
    }
    for (int a = 0; a < zk::TileTypeCount; ++a) {
        for (int b = a + 1; b < zk::TileTypeCount; ++b) {
            int differing = 0;
            for (int y = 0; y < 48; ++y) {
                for (int x = 0; x < 48; ++x) {
                    const QRgb p = tiles[static_cast<std::size_t>(a)].pixel(x, y);
                    const QRgb q = tiles[static_cast<std::size_t>(b)].pixel(x, y);
                    const int d = std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                                  std::abs(qBlue(p) - qBlue(q));
                    differing += d > 60 ? 1 : 0;
                }
            }
            EXPECT_GT(differing, 60) << "tiles " << a << " and " << b << " look alike";
        }
    }
}

TEST(TileSheet, SheetsAreDeterministicAndMatchTheBuild) {
    const QImage first = zk::art::TileSheet(1);
    const QImage second = zk::art::TileSheet(1);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first, LoadSheet("b1.bmp")) << "b1.bmp is not what the tool renders now";
    const QImage palette = zk::art::PaletteSheetFrom(first, 1);
    EXPECT_EQ(palette, zk::art::PaletteSheet(1));
    EXPECT_EQ(palette, LoadSheet("b3.bmp"));
}

} // namespace
