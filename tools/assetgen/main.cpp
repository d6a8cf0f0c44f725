// zk-assetgen: renders every picture of the game at 1x, synthesises its
// sounds and writes its help files. Run it with the offscreen platform; it
// needs no display.
//
//   zk-assetgen --game-dir DIR --help-sources DIR   image sheets, sounds, help
//   zk-assetgen --resources DIR                     the compiled-in PNGs and
//                                                   zk_resources.qrc listing them
//   zk-assetgen --contact-sheet FILE                all 200 tiles, labelled
//   zk-assetgen --docs DIR                          overview pictures for the README
//   zk-assetgen --sheet NAME FILE [--scale F]       the sheet NAME (b1, b2, b3 or b5) as
//                                                   the game draws it at F (a PNG, for checks)
#include "Help.h"
#include "Output.h"
#include "Preview.h"
#include "Sound.h"
#include "art/Art.h"
#include "art/Glyphs.h"
#include "art/Surface.h"
#include "art/Tiles.h"

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

// The image sheets: "b1.bmp", "b2.bmp", "b3.bmp" and the splash "b5.bmp".
void Sheets(const QString& dir) {
    using namespace zk::art;
    QDir().mkpath(dir);
    auto put = [&](const char* name, const QImage& image) {
        Put(dir, QString::fromLatin1(name), EncodeBmp(image));
    };
    const QImage tiles = TileSheet(1);
    put("b1.bmp", tiles);
    put("b2.bmp", SurfaceSheet(1));
    put("b3.bmp", PaletteSheetFrom(tiles, 1));
    put("b5.bmp", SplashPicture(1));
}

// One sheet by its file's base name, drawn at a scale; null for another name.
QImage Sheet(const QString& name, double scale) {
    using namespace zk::art;
    if (name == QLatin1String("b1")) {
        return TileSheet(scale);
    }
    if (name == QLatin1String("b2")) {
        return SurfaceSheet(scale);
    }
    if (name == QLatin1String("b3")) {
        return PaletteSheetFrom(TileSheet(scale), scale);
    }
    if (name == QLatin1String("b5")) {
        return SplashPicture(scale);
    }
    return {};
}

void GameFiles(const QString& dir, const QString& helpSources) {
    using namespace zk::art;
    Sheets(dir);
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

// The compiled-in pictures and the resource file listing them, which rcc
// compiles into the program: the table of pictures is their one list.
void Resources(const QString& dir) {
    QDir().mkpath(dir);
    std::string qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/zk\">\n";
    for (const zk::art::NamedPicture& picture : zk::art::ResourcePictures(1)) {
        Put(dir, picture.name, zk::art::EncodePng(picture.image));
        qrc += "    <file>" + picture.name.toStdString() + "</file>\n";
    }
    qrc += "  </qresource>\n</RCC>\n";
    Put(dir, QStringLiteral("zk_resources.qrc"), zk::art::Bytes(qrc.begin(), qrc.end()));
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
                 "                   [--sheet b1|b2|b3|b5 FILE [--scale F]]\n");
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
    QString gameDir, helpSources, resourceDir, contactSheet, docsDir, sheetName, sheetFile;
    double scale = 1;
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
        } else if (a == QLatin1String("--sheet") && i + 2 < args.size()) {
            sheetName = args[++i];
            sheetFile = args[++i];
        } else if (a == QLatin1String("--scale")) {
            bool ok = false;
            scale = args[++i].toDouble(&ok);
            if (!ok || scale <= 0 || scale > 8) {
                return Usage();
            }
        } else {
            return Usage();
        }
    }
    if (gameDir.isEmpty() && resourceDir.isEmpty() && contactSheet.isEmpty() && docsDir.isEmpty() &&
        sheetFile.isEmpty()) {
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
    if (!sheetFile.isEmpty()) {
        const QImage sheet = Sheet(sheetName, scale);
        if (sheet.isNull()) {
            return Usage();
        }
        const QFileInfo info(sheetFile);
        QDir().mkpath(info.absolutePath());
        Put(info.absolutePath(), info.fileName(), zk::art::EncodePng(sheet));
    }
    return failures == 0 ? 0 : 1;
}
