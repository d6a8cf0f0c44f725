// zk-assetgen: renders every picture of the game, synthesises its sounds and
// writes its help files. Run it with the offscreen platform; it needs no
// display.
//
//   zk-assetgen --game-dir DIR --help-sources DIR   image sheets, sounds, help
//   zk-assetgen --resources DIR                     the compiled-in PNGs
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

void GameFiles(const QString& dir, const QString& helpSources) {
    using namespace zk::art;
    QDir().mkpath(dir);
    const QImage tiles = TileSheet();
    Put(dir, QStringLiteral("b1.bmp"), EncodeBmp(tiles));
    Put(dir, QStringLiteral("b2.bmp"), EncodeBmp(SurfaceSheet()));
    Put(dir, QStringLiteral("b3.bmp"), EncodeBmp(PaletteSheetFrom(tiles)));
    Put(dir, QStringLiteral("b5.bmp"), EncodeBmp(SplashPicture()));
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

void Resources(const QString& dir) {
    QDir().mkpath(dir);
    for (const zk::art::NamedPicture& picture : zk::art::ResourcePictures()) {
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
                 "                   [--contact-sheet FILE] [--docs DIR]\n");
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
        } else {
            return Usage();
        }
    }
    if (gameDir.isEmpty() && resourceDir.isEmpty() && contactSheet.isEmpty() && docsDir.isEmpty()) {
        return Usage();
    }
    if (!gameDir.isEmpty()) {
        if (helpSources.isEmpty()) {
            return Usage();
        }
        GameFiles(gameDir, helpSources);
    }
    if (!resourceDir.isEmpty()) {
        Resources(resourceDir);
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
