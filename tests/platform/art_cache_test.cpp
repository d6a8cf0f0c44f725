// The pictures of a scaled screen and their cache: an entry is used only
// whole and of its key; a damaged, stale or unwritable one costs the drawing,
// never the picture.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "art/Glyphs.h"
#include "art/Tiles.h"
#include "platform/Bitmaps.h"
#include "platform/DrawnArt.h"
#include "platform/art/ArtCache.h"
#include "platform/art/DrawnArtModule.h"

using namespace zk::platform;

namespace {

QByteArray Bytes(const std::vector<std::uint8_t>& v) {
    return {reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size())};
}

QByteArray ReadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const std::string& path, const QByteArray& bytes) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A temporary $XDG_CACHE_HOME for the test, the user's left alone.
class CacheHome {
public:
    CacheHome() { qputenv("XDG_CACHE_HOME", dir_.path().toUtf8()); }
    std::string Entry(const std::string& name, double ratio) const {
        return ArtCacheFile(ArtCacheDirectory(), name, ratio);
    }
    QString Path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

// A sheet as the module hands it out.
bool Load(const char* name, double ratio, QImage& sheet) {
    sheet = drawn::Sheet(QString::fromLatin1(name), ratio);
    return !sheet.isNull();
}

QImage Splash(double ratio) {
    return zk::art::SplashPicture(ratio).convertToFormat(SheetFormat);
}

} // namespace

TEST(ArtCacheTest, AnEntryReadsBackOnlyWholeAndOfItsKey) {
    QImage opaque(3, 2, QImage::Format_RGB32);
    opaque.fill(qRgb(10, 200, 30));
    opaque.setPixel(2, 1, qRgb(1, 2, 3));
    QImage glyph(2, 2, QImage::Format_ARGB32);
    glyph.fill(qRgba(255, 0, 0, 128));
    const QImage sheet = opaque.convertToFormat(SheetFormat); // rows padded in memory only
    const std::vector<CachedImage> images = {{"b1", opaque}, {"Ö.png", glyph}, {"b2", sheet}};
    const QByteArray entry = Bytes(EncodeArtCache("art 1", images));

    const std::vector<CachedImage> back = DecodeArtCache(entry, "art 1");
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[2].image, sheet);
    EXPECT_EQ(back[2].image.format(), SheetFormat);
    EXPECT_EQ(back[0].name, "b1");
    EXPECT_EQ(back[0].image, opaque);
    EXPECT_EQ(back[1].name, QString::fromUtf8("Ö.png"));
    EXPECT_EQ(back[1].image, glyph);
    EXPECT_EQ(back[1].image.format(), QImage::Format_ARGB32);

    EXPECT_TRUE(DecodeArtCache(entry, "art 2").empty()) << "another key is stale";
    // Cut anywhere, one byte changed anywhere, or a byte more: no entry.
    for (qsizetype n = 0; n < entry.size(); ++n) {
        ASSERT_TRUE(DecodeArtCache(entry.left(n), "art 1").empty()) << "cut at " << n;
        QByteArray damaged = entry;
        damaged[n] = static_cast<char>(damaged[n] ^ 0x10);
        ASSERT_TRUE(DecodeArtCache(damaged, "art 1").empty()) << "damaged at " << n;
    }
    EXPECT_TRUE(DecodeArtCache(entry + '\0', "art 1").empty());
}

TEST(ArtCacheTest, ADamagedOrStaleEntryIsDrawnAgainAndReplaced) {
    const CacheHome home;
    const std::string entry = home.Entry("b5", 2);
    const QImage drawn = Splash(2);

    QImage first;
    ASSERT_TRUE(Load("b5", 2, first));
    EXPECT_EQ(first.devicePixelRatio(), 2);
    EXPECT_EQ(first, drawn);
    const QByteArray stored = ReadFile(entry);
    ASSERT_FALSE(stored.isEmpty()) << "nothing kept in " << entry;

    // One byte of the pixels changed: drawn again, the entry sound again.
    QByteArray damaged = stored;
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0xFF);
    WriteFile(entry, damaged);
    QImage again;
    ASSERT_TRUE(Load("b5", 2, again));
    EXPECT_EQ(again, drawn);
    EXPECT_EQ(ReadFile(entry), stored);

    // An entry of another version of the art, whole but black: not shown.
    QImage black(drawn.size(), SheetFormat);
    black.fill(Qt::black);
    WriteFile(entry, Bytes(EncodeArtCache("an older art", {{"b5", black}})));
    ASSERT_TRUE(Load("b5", 2, again));
    EXPECT_EQ(again, drawn);
    EXPECT_EQ(ReadFile(entry), stored);

    // The sheets drawn on the other threads the same way: a damaged tile
    // sheet and a stale palette are drawn again; a sound entry is read.
    const double ratio = 1.25;
    QImage b1, b2, b3;
    drawn::PrepareSheets(ratio);
    ASSERT_TRUE(Load("b1", ratio, b1) && Load("b2", ratio, b2) && Load("b3", ratio, b3));
    EXPECT_EQ(b1, zk::art::TileSheet(ratio).convertToFormat(SheetFormat));
    EXPECT_EQ(b3, zk::art::PaletteSheetFrom(b1, ratio).convertToFormat(SheetFormat));
    QByteArray tiles = ReadFile(home.Entry("b1", ratio));
    tiles[tiles.size() - 9] = static_cast<char>(tiles[tiles.size() - 9] ^ 1);
    WriteFile(home.Entry("b1", ratio), tiles);
    WriteFile(home.Entry("b3", ratio), Bytes(EncodeArtCache("an older art", {{"b3", black}})));
    QImage b2Entry = ReadArtCache(home.Entry("b2", ratio), drawn::CacheKey()).at(0).image;
    b2Entry.setPixel(0, 0, qRgb(1, 2, 3));
    WriteArtCache(home.Entry("b2", ratio), drawn::CacheKey(), {{"b2", b2Entry}});
    QImage b1Again, b2Again, b3Again;
    ASSERT_TRUE(Load("b1", ratio, b1Again) && Load("b2", ratio, b2Again) &&
                Load("b3", ratio, b3Again));
    EXPECT_EQ(b1Again, b1);
    EXPECT_EQ(b3Again, b3);
    EXPECT_EQ(b2Again.pixel(0, 0), qRgb(1, 2, 3)) << "a sound entry is drawn again";
    EXPECT_EQ(ReadArtCache(home.Entry("b1", ratio), drawn::CacheKey()).at(0).image, b1);
    EXPECT_EQ(ReadArtCache(home.Entry("b3", ratio), drawn::CacheKey()).at(0).image, b3);
}

TEST(ArtCacheTest, AnUnwritableCacheCostsOnlyTheDrawing) {
    // The cache directory cannot be made: its place is a file (which stops
    // the superuser as well as anyone).
    const CacheHome home;
    const QString blocker = home.Path() + "/zanfor-kelva";
    {
        QFile file(blocker);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a directory");
    }
    for (int start = 0; start < 2; ++start) {
        QImage splash;
        ASSERT_TRUE(Load("b5", 3, splash));
        EXPECT_EQ(splash, Splash(3));
        const QImage digits = drawn::Picture("numbs1.png", 3);
        EXPECT_EQ(digits.size(), QSize(148 * 3, 20 * 3));
        EXPECT_EQ(digits.devicePixelRatio(), 3);
    }
    EXPECT_EQ(ReadFile(blocker.toStdString()), "not a directory");
    EXPECT_EQ(QDir(home.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"zanfor-kelva"});
}

TEST(ArtCacheTest, WithoutItsModuleTheGameScalesItsFiles) {
    // A program directory without libzk-art.so: the 1x sheet, enlarged.
    const QTemporaryDir dir;
    QImage file(20, 10, QImage::Format_RGB888);
    file.fill(qRgb(200, 100, 50));
    ASSERT_TRUE(file.save(dir.filePath("b5.bmp"), "BMP"));
    QImage sheet;
    ASSERT_TRUE(LoadSheet(dir.path() + "/", "b5", 2, sheet));
    EXPECT_EQ(sheet.size(), QSize(40, 20));
    EXPECT_EQ(sheet.devicePixelRatio(), 2);
    EXPECT_EQ(sheet.pixel(39, 19), qRgb(200, 100, 50));
    EXPECT_TRUE(DrawnPicture((dir.path() + "/").toStdString(), "numbs1.png", 2).isNull());
    EXPECT_FALSE(LoadSheet(dir.path() + "/", "b1", 2, sheet)) << "no drawing, no file";
}
