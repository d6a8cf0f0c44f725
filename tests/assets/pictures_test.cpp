// The compiled-in pictures, read back through the Qt resource system and as
// the game draws them at other scales: every name and size the program relies
// on, the digit strip's cells, the disabled halves, flags and icons.
#include "AssetTestSupport.h"
#include "art/Glyphs.h"
#include "resources/Resources.h"

#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

namespace {

QImage Resource(const QString& name) {
    zk::InitResources();
    return QImage(QStringLiteral(":/zk/") + name);
}

struct Expect {
    const char* name;
    int width;
    int height;
    bool twoImages;
};

constexpr Expect Contract[] = {
    {"numbs1.png", 148, 20, false},     {"InsertBtn.png", 32, 16, true},
    {"NewGameBtn.png", 18, 18, false},  {"RestartBtn.png", 36, 18, true},
    {"DeleteBtn.png", 40, 20, true},    {"LoadBtn.png", 36, 18, true},
    {"SaveBtn.png", 36, 18, true},      {"SoundBtn.png", 32, 16, true},
    {"OptionBtn.png", 18, 18, false},   {"ExitBtn.png", 18, 18, false},
    {"sDownBtn.png", 30, 15, true},     {"sUpBtn.png", 30, 15, true},
    {"RulesBtn.png", 18, 18, false},    {"InfoBtn.png", 18, 18, false},
    {"ZanforBtn.png", 26, 20, false},   {"OKBtn.png", 36, 18, true},
    {"CancelBtn.png", 36, 18, true},    {"newpathbtn.png", 32, 16, true},
    {"TongBtn.png", 36, 18, true},      {"folder_closed.png", 16, 16, false},
    {"folder_open.png", 16, 16, false}, {"drive.png", 16, 16, false},
    {"flag_en.png", 53, 20, false},     {"flag_de.png", 80, 20, false},
    {"icon16.png", 16, 16, false},      {"icon24.png", 24, 24, false},
    {"icon32.png", 32, 32, false},      {"icon48.png", 48, 48, false},
    {"icon64.png", 64, 64, false},      {"icon128.png", 128, 128, false},
    {"icon256.png", 256, 256, false},   {"logo.png", 100, 75, false},
};

int Saturation(QRgb p) {
    return std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)});
}

bool IsIcon(const Expect& e) {
    return std::string_view(e.name).starts_with("icon");
}

QImage Resource(const Expect& e, double s) {
    return zk::test::Picture(QString::fromLatin1(e.name), s);
}

// Pixels of u units at scale s, rounded as the game rounds.
int Px(int u, double s) {
    return zk::art::Px(u, s);
}

TEST(Pictures, EveryResourceIsThereAtItsSize) {
    // at other scales every picture but the window icon, each of its images
    // at its size in units times the scale, rounded
    for (const double s : zk::test::Scales) {
        for (const Expect& e : Contract) {
            if (s != 1 && IsIcon(e)) {
                continue;
            }
            const QImage img = Resource(e, s);
            const int images = e.twoImages ? 2 : 1;
            ASSERT_FALSE(img.isNull()) << e.name << " at " << s << "x";
            EXPECT_EQ(img.width(), images * Px(e.width / images, s))
                << e.name << " at " << s << "x";
            EXPECT_EQ(img.height(), Px(e.height, s)) << e.name << " at " << s << "x";
        }
    }
    EXPECT_EQ(zk::art::ResourceNames(1).size(), std::size(Contract));
    EXPECT_EQ(zk::art::ResourceNames(2).size(),
              std::size(Contract) - std::size(zk::art::IconSizes));
}

TEST(Pictures, DisabledHalvesAreGreyVersionsOfTheGlyph) {
    for (const auto& [e, s] : [] {
             std::vector<std::pair<Expect, double>> all;
             for (const double s : zk::test::Scales) {
                 for (const Expect& e : Contract) {
                     if (e.twoImages) {
                         all.emplace_back(e, s);
                     }
                 }
             }
             return all;
         }()) {
        const QImage img = Resource(e, s).convertToFormat(QImage::Format_ARGB32);
        const int half = img.width() / 2;
        int colourful = 0, inkLeft = 0, inkRight = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < half; ++x) {
                const QRgb l = img.pixel(x, y);
                const QRgb r = img.pixel(x + half, y);
                inkLeft += qAlpha(l) > 128 ? 1 : 0;
                inkRight += qAlpha(r) > 128 ? 1 : 0;
                colourful += (qAlpha(l) > 128 && Saturation(l) > 60) ? 1 : 0;
                if (qAlpha(r) > 0) {
                    EXPECT_LE(Saturation(r), 3)
                        << e.name << " disabled half is coloured at " << x << "," << y;
                }
            }
        }
        EXPECT_GT(colourful, 5 * s * s) << e.name << " at " << s << "x: no colour";
        EXPECT_GT(inkLeft, 20 * s * s) << e.name << " at " << s << "x";
        EXPECT_GE(inkRight, inkLeft)
            << e.name << " at " << s << "x: the disabled look lost the shape";
    }
}

bool Yellow(QRgb p) {
    return qRed(p) > 200 && qGreen(p) > 170 && qBlue(p) < 90;
}
bool Red(QRgb p) {
    return qRed(p) > 170 && qGreen(p) < 90 && qBlue(p) < 90;
}
// the dim glow around a lit dot
bool DimYellow(QRgb p) {
    return qRed(p) >= 100 && qGreen(p) >= 70 && qBlue(p) < 60 && qRed(p) > qGreen(p);
}

// Reads a digit from its cell as a seven-segment display would: a segment is
// lit when its region holds a yellow pixel. The regions are in units; at
// scale s a unit is about s x s pixels.
int ReadDigit(const QImage& strip, int x0, double s) {
    struct Region {
        int x1, x2, y1, y2;
    };
    const std::array<Region, 7> seg = {{
        {3, 7, 0, 3},    // a
        {7, 10, 4, 8},   // b
        {7, 10, 12, 16}, // c
        {3, 7, 16, 19},  // d
        {0, 3, 12, 16},  // e
        {0, 3, 4, 8},    // f
        {3, 7, 8, 12},   // g
    }};
    int bits = 0;
    for (int i = 0; i < 7; ++i) {
        const Region& r = seg[static_cast<std::size_t>(i)];
        for (int y = Px(r.y1, s); y < Px(r.y2 + 1, s); ++y) {
            for (int x = Px(x0 + r.x1, s); x < Px(x0 + r.x2 + 1, s); ++x) {
                if (Yellow(strip.pixel(x, y))) {
                    bits |= 1 << i;
                }
            }
        }
    }
    // a..g of the common seven-segment digits
    const std::map<int, int> digits = {{0x3F, 0}, {0x06, 1}, {0x5B, 2}, {0x4F, 3}, {0x66, 4},
                                       {0x6D, 5}, {0x7D, 6}, {0x07, 7}, {0x7F, 8}, {0x6F, 9}};
    const auto it = digits.find(bits);
    return it == digits.end() ? -1 : it->second;
}

TEST(Pictures, DigitStripCellsAreWhereTheIndicatorCopiesThem) {
    for (const double s : zk::test::Scales) {
        const QImage strip = zk::test::Picture(QStringLiteral("numbs1.png"), s)
                                 .convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(strip.size(), QSize(Px(148, s), Px(20, s)));
        const int height = Px(20, s);
        for (int d = 0; d < 10; ++d) {
            EXPECT_EQ(ReadDigit(strip, 11 * d, s), d)
                << "cell at x = " << 11 * d << ", " << s << "x";
            // every lit dot and its glow stay inside the 11-unit cell, on black
            const int left = Px(11 * d, s);
            for (int y = 0; y < height; ++y) {
                for (int x = left; x < Px(11 * d + 11, s); ++x) {
                    const QRgb p = strip.pixel(x, y);
                    EXPECT_TRUE(Yellow(p) || DimYellow(p) || (p & 0xFFFFFF) == 0)
                        << d << " " << x << "," << y << " at " << s << "x";
                }
                for (int x = left; x < Px(11 * d + 1, s); ++x) {
                    EXPECT_EQ(strip.pixel(x, y) & 0xFFFFFF, 0u)
                        << "cells touch at " << 11 * d << ", " << s << "x";
                }
            }
        }
        for (int y = 0; y < height; ++y) {
            for (int x = Px(110, s); x < Px(122, s); ++x) {
                ASSERT_EQ(strip.pixel(x, y) & 0xFFFFFF, 0u)
                    << "blank cell or black column at " << x << "," << y << ", " << s << "x";
            }
        }
        int yellowSmile = 0, redSmile = 0, yellowFrown = 0, redFrown = 0, dark = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = Px(122, s); x < Px(135, s); ++x) {
                yellowSmile += Yellow(strip.pixel(x, y)) ? 1 : 0;
                redSmile += Red(strip.pixel(x, y)) ? 1 : 0;
            }
            for (int x = Px(135, s); x < Px(148, s); ++x) {
                yellowFrown += Yellow(strip.pixel(x, y)) ? 1 : 0;
                redFrown += Red(strip.pixel(x, y)) ? 1 : 0;
            }
        }
        for (int y = Px(6, s); y < Px(14, s); ++y) {
            for (int x = Px(124, s); x < Px(133, s); ++x) {
                dark += qGray(strip.pixel(x, y)) < 60 ? 1 : 0; // eyes and mouth
            }
        }
        EXPECT_GT(yellowSmile, 40 * s * s) << s << "x";
        EXPECT_EQ(redSmile, 0) << s << "x";
        EXPECT_GT(redFrown, 40 * s * s) << s << "x";
        EXPECT_EQ(yellowFrown, 0) << s << "x";
        EXPECT_GT(dark, 3 * s * s) << s << "x";
    }
}

TEST(Pictures, FlagsShowTheirColoursInTheirPlaces) {
    const QImage en =
        Resource(QStringLiteral("flag_en.png")).convertToFormat(QImage::Format_ARGB32);
    const QImage de =
        Resource(QStringLiteral("flag_de.png")).convertToFormat(QImage::Format_ARGB32);
    auto has = [](const QImage& img, int x1, int x2, auto pred) {
        for (int y = 0; y < img.height(); ++y) {
            for (int x = x1; x <= x2; ++x) {
                if (qAlpha(img.pixel(x, y)) == 255 && pred(img.pixel(x, y))) {
                    return true;
                }
            }
        }
        return false;
    };
    auto red = [](QRgb p) { return qRed(p) > 150 && qGreen(p) < 80 && qBlue(p) < 90; };
    auto white = [](QRgb p) { return qRed(p) > 220 && qGreen(p) > 220 && qBlue(p) > 220; };
    auto blue = [](QRgb p) { return qBlue(p) > 80 && qRed(p) < 60; };
    auto black = [](QRgb p) { return qGray(p) < 30; };
    auto gold = [](QRgb p) { return qRed(p) > 200 && qGreen(p) > 150 && qBlue(p) < 80; };
    for (int half : {0, 27}) {
        EXPECT_TRUE(has(en, half, half + 25, red));
        EXPECT_TRUE(has(en, half, half + 25, white));
        EXPECT_TRUE(has(en, half, half + 25, blue));
    }
    EXPECT_TRUE(has(de, 2, 22, red) && has(de, 2, 22, white) && !has(de, 2, 22, gold));   // Austria
    EXPECT_TRUE(has(de, 29, 50, black) && has(de, 29, 50, red) && has(de, 29, 50, gold)); // Germany
    EXPECT_TRUE(has(de, 61, 74, red) && has(de, 61, 74, white) &&
                !has(de, 61, 74, gold)); // Switzerland
}

TEST(Pictures, IconsHaveTransparentCornersAndASolidMiddle) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage icon =
            Resource(QStringLiteral("icon%1.png").arg(size)).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
    }
}

TEST(Pictures, ResourcesAreWhatTheToolRenders) {
    for (const zk::art::NamedPicture& n : zk::art::ResourcePictures(1)) {
        const QImage built = Resource(n.name).convertToFormat(QImage::Format_ARGB32);
        const QImage now = n.image.convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(built, now) << qPrintable(n.name);
    }
}

TEST(Pictures, SplashHasItsSizeAndIsRenderedTheSameEveryTime) {
    const QImage b5 = QImage(zk::test::GameFile("b5.bmp")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(b5.size(), QSize(200, 150));
    EXPECT_EQ(b5, zk::art::SplashPicture(1));
}

} // namespace
