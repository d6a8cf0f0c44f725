#include "platform/DrawnArt.h"

#include <QLibrary>

#include "platform/Bitmaps.h"
#include "platform/art/DrawnArtModule.h"

namespace zk::platform {

namespace {

// The module's functions; loaded once for the run (from the first program
// directory asked for), and kept loaded: threads of its own may be drawing.
const drawn::Functions* Module(const std::string& programDirectory) {
    static QLibrary* library = nullptr;
    static const drawn::Functions* functions = nullptr;
    if (functions == nullptr && library == nullptr) {
        library = new QLibrary(QString::fromStdString(programDirectory) +
                               QString::fromLatin1(drawn::ModuleName));
        const auto entry =
            reinterpret_cast<drawn::EntryFunction>(library->resolve(drawn::EntrySymbol));
        functions = entry != nullptr ? entry() : nullptr;
    }
    return functions;
}

} // namespace

bool LoadSheet(const QString& directory, const QString& name, qreal ratio, QImage& target) {
    QImage image;
    if (ratio > 0 && ratio != 1) {
        if (const drawn::Functions* module = Module(directory.toStdString())) {
            image = module->sheet(name, ratio);
        }
    }
    if (image.isNull()) {
        // At 1x, and wherever the drawing is missing: the file, scaled.
        if (!LoadBitmap(directory + name + QStringLiteral(".bmp"), image)) {
            return false;
        }
        if (ratio > 0 && ratio != 1) {
            image = AtRatio(std::move(image), 1, ratio);
        }
    }
    target = std::move(image);
    return true;
}

QImage DrawnPicture(const std::string& programDirectory, const QString& name, qreal ratio) {
    if (ratio <= 0 || ratio == 1) {
        return {};
    }
    const drawn::Functions* module = Module(programDirectory);
    return module != nullptr ? module->picture(name, ratio) : QImage();
}

void PrepareSheets(const std::string& programDirectory, qreal ratio) {
    if (ratio <= 0 || ratio == 1) {
        return;
    }
    if (const drawn::Functions* module = Module(programDirectory)) {
        module->prepareSheets(ratio);
    }
}

} // namespace zk::platform
