#include "platform/art/DrawnArtModule.h"

#include <QCoreApplication>
#include <QHash>
#include <atomic>
#include <future>
#include <malloc.h>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <vector>

#include "art/Art.h"
#include "art/ArtVersion.h"
#include "art/Glyphs.h"
#include "art/Surface.h"
#include "art/Tiles.h"
#include "model/Catalogue.h"
#include "platform/Bitmaps.h"
#include "platform/art/ArtCache.h"

namespace zk::platform::drawn {

namespace {

using art::Px;

// The size of a sheet at a ratio, in pixels; empty for an unknown name.
QSize SheetSize(const QString& name, double ratio) {
    const auto size = [ratio](int w, int h) { return QSize(Px(w, ratio), Px(h, ratio)); };
    if (name == QLatin1String("b1")) {
        return size(SheetColumns * art::TileSize, 10 * art::TileSize);
    }
    if (name == QLatin1String("b2")) {
        return size(art::SurfaceWidth, art::SurfaceHeight);
    }
    if (name == QLatin1String("b3")) {
        return size(SheetColumns * art::PaletteTileSize, 10 * art::PaletteTileSize);
    }
    if (name == QLatin1String("b5")) {
        return size(200, 150);
    }
    return {};
}

// Where the cache keeps an entry, and with what key: known on the main
// thread, handed to the others.
struct Cache {
    std::string directory = ArtCacheDirectory();
    std::string key = CacheKey();

    std::string File(const QString& name, double ratio) const {
        return directory.empty() ? std::string()
                                 : ArtCacheFile(directory, name.toStdString(), ratio);
    }
};

// The sheet's entry, when it holds the sheet whole at its size.
QImage ReadSheet(const QString& name, double ratio, const Cache& cache) {
    const std::string file = cache.File(name, ratio);
    if (file.empty()) {
        return {};
    }
    std::vector<CachedImage> entry = ReadArtCache(file, cache.key);
    if (entry.size() != 1 || entry[0].name != name || entry[0].image.format() != SheetFormat ||
        entry[0].image.size() != SheetSize(name, ratio)) {
        return {};
    }
    return std::move(entry[0].image);
}

// Stored for the next start; a cache that cannot be written costs only the
// drawing at every start.
void StoreSheet(const QString& name, double ratio, const Cache& cache, const QImage& sheet) {
    const std::string file = cache.File(name, ratio);
    if (!file.empty()) {
        WriteArtCache(file, cache.key, {{name, sheet}});
    }
}

// The drawing reads the fonts from their files, as the asset tool does, so
// that text is drawn alike everywhere.
void LoadFontsOnce() {
    static const bool loaded = art::LoadFonts();
    (void)loaded;
}

struct Sheets {
    QImage b1, b2, b3;
};

// The drawing's supersampled canvases are freed when it ends, but the
// allocator keeps their pages (in each thread's arena) for allocations that
// never come: hand them back to the system.
void ReleaseDrawingMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// b1, b2 and b3 at a ratio: from the cache, else drawn (the tiles and the
// surface shared between two threads) and stored. Empty when stopped.
std::shared_ptr<Sheets> MakeSheets(double ratio, const Cache& cache,
                                   const std::atomic<bool>& stop) {
    auto sheets = std::make_shared<Sheets>();
    sheets->b1 = ReadSheet(QStringLiteral("b1"), ratio, cache);
    sheets->b2 = ReadSheet(QStringLiteral("b2"), ratio, cache);
    sheets->b3 = ReadSheet(QStringLiteral("b3"), ratio, cache);
    const bool tiles = sheets->b1.isNull();
    const bool surface = sheets->b2.isNull();
    if (tiles || surface) {
        // Piece -1 is the surface, 0..199 the tiles; each thread takes the next.
        std::vector<QImage> drawn(tiles ? TileTypeCount : 0);
        std::atomic<int> next{surface ? -1 : 0};
        const int end = static_cast<int>(drawn.size());
        QImage b2;
        const auto work = [&] {
            for (int piece = next++; piece < end && !stop; piece = next++) {
                if (piece < 0) {
                    b2 = art::SurfaceSheet(ratio);
                } else {
                    drawn[static_cast<std::size_t>(piece)] = art::RenderTile(piece, ratio);
                }
            }
        };
        if (std::thread::hardware_concurrency() > 1) {
            std::thread helper(work);
            work();
            helper.join();
        } else {
            work();
        }
        if (stop) {
            return nullptr;
        }
        if (tiles) {
            sheets->b1 = art::TileSheetOf(drawn, ratio).convertToFormat(SheetFormat);
            StoreSheet(QStringLiteral("b1"), ratio, cache, sheets->b1);
        }
        if (surface) {
            sheets->b2 = b2.convertToFormat(SheetFormat);
            StoreSheet(QStringLiteral("b2"), ratio, cache, sheets->b2);
        }
    }
    const bool palette = sheets->b3.isNull();
    if (palette) {
        sheets->b3 = art::PaletteSheetFrom(sheets->b1, ratio).convertToFormat(SheetFormat);
        StoreSheet(QStringLiteral("b3"), ratio, cache, sheets->b3);
    }
    if (tiles || surface || palette) {
        ReleaseDrawingMemory();
    }
    return sheets;
}

// The sheets under way, by ratio. Each sheet is handed out once and then
// forgotten here, so that nothing holds it beside its user; asked for again,
// it comes from the cache. Everything still running is stopped and awaited
// when the application quits, and at the latest when the program ends.
class Preparations {
public:
    ~Preparations() { Stop(); }

    void Start(double ratio) {
        if (running_.contains(ratio)) {
            return;
        }
        if (!quitHooked_ && QCoreApplication::instance() != nullptr) {
            quitHooked_ = true;
            QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                             [this] { Stop(); });
        }
        running_[ratio].result =
            std::async(std::launch::async, MakeSheets, ratio, Cache(), std::cref(stop_));
    }

    QImage Take(const QString& name, double ratio) {
        Start(ratio);
        Running& run = running_[ratio];
        if (run.result.valid()) {
            run.sheets = run.result.get();
        }
        QImage taken;
        if (run.sheets) {
            QImage& sheet = name == QLatin1String("b1")   ? run.sheets->b1
                            : name == QLatin1String("b2") ? run.sheets->b2
                                                          : run.sheets->b3;
            taken = std::move(sheet);
            sheet = QImage();
        }
        if (!run.sheets ||
            (run.sheets->b1.isNull() && run.sheets->b2.isNull() && run.sheets->b3.isNull())) {
            running_.erase(ratio);
        }
        return taken;
    }

    void Stop() {
        stop_ = true;
        running_.clear(); // each waits for its drawing to end
        stop_ = false;
    }

private:
    struct Running {
        std::future<std::shared_ptr<Sheets>> result;
        std::shared_ptr<Sheets> sheets;
    };
    std::atomic<bool> stop_{false};
    bool quitHooked_ = false;
    std::map<double, Running> running_;
};

Preparations& ThePreparations() {
    static Preparations preparations;
    return preparations;
}

QImage WithRatio(QImage image, double ratio) {
    image.setDevicePixelRatio(ratio);
    return image;
}

// Every compiled-in picture drawn at a ratio: from the cache, else drawn and
// stored. As the compiled-in ones come out of their files: 32-bit, with an
// alpha channel where they have one.
QHash<QString, QImage> MakePictures(double ratio) {
    const Cache cache;
    const std::string file = cache.File(QStringLiteral("pictures"), ratio);
    std::vector<CachedImage> entry =
        file.empty() ? std::vector<CachedImage>{} : ReadArtCache(file, cache.key);
    const std::vector<QString> names = art::ResourceNames(ratio);
    bool whole = entry.size() == names.size();
    for (std::size_t i = 0; whole && i < names.size(); ++i) {
        whole = entry[i].name == names[i];
    }
    if (!whole) {
        LoadFontsOnce();
        entry.clear();
        for (art::NamedPicture& picture : art::ResourcePictures(ratio)) {
            const bool alpha = picture.image.hasAlphaChannel();
            entry.push_back(
                {picture.name, picture.image.convertToFormat(alpha ? QImage::Format_ARGB32
                                                                   : QImage::Format_RGB32)});
        }
        if (!file.empty()) {
            WriteArtCache(file, cache.key, entry);
        }
        ReleaseDrawingMemory();
    }
    QHash<QString, QImage> pictures;
    for (CachedImage& picture : entry) {
        pictures.insert(picture.name, WithRatio(std::move(picture.image), ratio));
    }
    return pictures;
}

// The file's identity for the key: size and time of change.
std::string Stamp(const char* file) {
    struct stat st {};
    if (::stat(file, &st) != 0) {
        return "-";
    }
    std::string stamp = std::to_string(st.st_size);
    stamp.append(":").append(std::to_string(st.st_mtim.tv_sec));
    return stamp.append(".").append(std::to_string(st.st_mtim.tv_nsec));
}

} // namespace

std::string CacheKey() {
    std::string key = "art ";
    key.append(art::ArtVersion).append("; Qt ").append(qVersion()).append("; fonts");
    for (const char* font : art::FontFiles) {
        key.append(" ").append(Stamp(font));
    }
    return key;
}

void PrepareSheets(double ratio) {
    if (ratio > 0 && ratio != 1) {
        ThePreparations().Start(ratio);
    }
}

QImage Sheet(const QString& name, double ratio) {
    const QSize size = SheetSize(name, ratio);
    if (size.isEmpty() || ratio <= 0 || ratio == 1) {
        return {};
    }
    if (name != QLatin1String("b5")) {
        QImage sheet = ThePreparations().Take(name, ratio);
        return sheet.isNull() ? sheet : WithRatio(std::move(sheet), ratio);
    }
    // The splash: drawn here, since it shows text.
    const Cache cache;
    QImage splash = ReadSheet(name, ratio, cache);
    if (splash.isNull()) {
        LoadFontsOnce();
        splash = art::SplashPicture(ratio).convertToFormat(SheetFormat);
        StoreSheet(name, ratio, cache, splash);
        ReleaseDrawingMemory();
    }
    return WithRatio(std::move(splash), ratio);
}

QImage Picture(const QString& name, double ratio) {
    if (ratio <= 0 || ratio == 1) {
        return {};
    }
    // Drawn once per ratio for the run: the forms ask for them often.
    static std::map<double, QHash<QString, QImage>> drawn;
    auto found = drawn.find(ratio);
    if (found == drawn.end()) {
        found = drawn.emplace(ratio, MakePictures(ratio)).first;
    }
    return found->second.value(name);
}

} // namespace zk::platform::drawn
