// zk-assetgen: renders every picture of the game, synthesises its sounds and
// writes its help files. Run it with the offscreen platform; it needs no
// display.
//
//   zk-assetgen --game-dir DIR --help-sources DIR   image sheets, sounds, help
//   zk-assetgen --game-dir DIR --scale N            the image sheets at N x (2, 3)
//   zk-assetgen --resources DIR [--scale N]         the compiled-in PNGs (at N x)
//   zk-assetgen --contact-sheet FILE                all 200 tiles, labelled
//   zk-assetgen --docs DIR                          overview pictures for the README
#include "Art.h"
#include "Glyphs.h"
#include "Help.h"
#include "Output.h"
#include "Preview.h"
#include "Sound.h"
#include "Surface.h"
#include "Tiles.h"

#include <QDir>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <string>

namespace {

int failures = 0;

void Put(const QString& dir, const QString& name, const zk::art::Bytes& bytes) {
    const QString path = QDir(dir).filePath(name);
    std::string error;
    switch (zk::art::WriteIfChanged(path.toStdString(), bytes, &error)) {
    case zk::art::WriteResult::Written:
        std::printf("zk-assetgen: wrote %s\n", qPrintable(path));
        break;
    case zk::art::WriteResult::Unchanged:
        break;
    case zk::art::WriteResult::Failed:
        std::fprintf(stderr, "zk-assetgen: cannot write %s: %s\n", qPrintable(path), error.c_str());
        ++failures;
        break;
    }
}

// The image sheets at `scale`: "b1.bmp", at scale 2 "b1@2x.bmp".
void Sheets(const QString& dir, int scale) {
    using namespace zk::art;
    QDir().mkpath(dir);
    auto put = [&](const char* name, const QImage& image) {
        Put(dir, ScaledName(QString::fromLatin1(name), scale), EncodeBmp(image));
    };
    const QImage tiles = TileSheet(scale);
    put("b1.bmp", tiles);
    put("b2.bmp", SurfaceSheet(scale));
    put("b3.bmp", PaletteSheetFrom(tiles, scale));
    put("b5.bmp", SplashPicture(scale));
}

void GameFiles(const QString& dir, const QString& helpSources) {
    using namespace zk::art;
    Sheets(dir, 1);
    Put(dir, QStringLiteral("w1.wav"), EncodeWav(FanfareSamples(), SampleRate));
    Put(dir, QStringLiteral("w2.wav"), EncodeWav(ClickSamples(), SampleRate));
    for (const HelpDocument& doc : HelpDocuments()) {
        QString error;
        const std::string html = BuildHelpDocument(doc, helpSources, &error);
        if (html.empty()) {
            std::fprintf(stderr, "zk-assetgen: %s\n", qPrintable(error));
            ++failures;
            continue;
        }
        Put(dir, doc.fileName, Bytes(html.begin(), html.end()));
    }
}

void Resources(const QString& dir, int scale) {
    QDir().mkpath(dir);
    for (const zk::art::NamedPicture& picture : zk::art::ResourcePictures(scale)) {
        Put(dir, picture.name, zk::art::EncodePng(picture.image));
    }
}

void Docs(const QString& dir) {
    QDir().mkpath(dir);
    Put(dir, QStringLiteral("tiles.png"), zk::art::EncodePng(zk::art::ContactSheet()));
    Put(dir, QStringLiteral("board.png"), zk::art::EncodePng(zk::art::BoardPreview()));
    Put(dir, QStringLiteral("pictures.png"), zk::art::EncodePng(zk::art::PicturesPreview()));
}

int Usage() {
    std::fprintf(stderr,
                 "usage: zk-assetgen [--game-dir DIR --help-sources DIR] [--resources DIR]\n"
                 "                   [--contact-sheet FILE] [--docs DIR]\n"
                 "       zk-assetgen --scale 2|3 [--game-dir DIR] [--resources DIR]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (!zk::art::LoadFonts()) {
        std::fprintf(stderr, "zk-assetgen: the DejaVu fonts are missing (fonts-dejavu-core)\n");
        return 1;
    }
    const QStringList args = QGuiApplication::arguments();
    QString gameDir, helpSources, resourceDir, contactSheet, docsDir;
    int scale = 1;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (i + 1 >= args.size()) {
            return Usage();
        }
        if (a == QLatin1String("--game-dir")) {
            gameDir = args[++i];
        } else if (a == QLatin1String("--help-sources")) {
            helpSources = args[++i];
        } else if (a == QLatin1String("--resources")) {
            resourceDir = args[++i];
        } else if (a == QLatin1String("--contact-sheet")) {
            contactSheet = args[++i];
        } else if (a == QLatin1String("--docs")) {
            docsDir = args[++i];
        } else if (a == QLatin1String("--scale")) {
            bool ok = false;
            scale = args[++i].toInt(&ok);
            if (!ok || (scale != 2 && scale != 3)) {
                return Usage();
            }
        } else {
            return Usage();
        }
    }
    if (gameDir.isEmpty() && resourceDir.isEmpty() && contactSheet.isEmpty() && docsDir.isEmpty()) {
        return Usage();
    }
    if (scale != 1) {
        // the larger sets: sheets and compiled-in pictures only
        if (!helpSources.isEmpty() || !contactSheet.isEmpty() || !docsDir.isEmpty() ||
            (gameDir.isEmpty() && resourceDir.isEmpty())) {
            return Usage();
        }
        if (!gameDir.isEmpty()) {
            Sheets(gameDir, scale);
        }
    } else if (!gameDir.isEmpty()) {
        if (helpSources.isEmpty()) {
            return Usage();
        }
        GameFiles(gameDir, helpSources);
    }
    if (!resourceDir.isEmpty()) {
        Resources(resourceDir, scale);
    }
    if (!contactSheet.isEmpty()) {
        const QFileInfo info(contactSheet);
        QDir().mkpath(info.absolutePath());
        Put(info.absolutePath(), info.fileName(), zk::art::EncodePng(zk::art::ContactSheet()));
    }
    if (!docsDir.isEmpty()) {
        Docs(docsDir);
    }
    return failures == 0 ? 0 : 1;
}
