#include "platform/Pictures.h"

#include <QFile>
#include <QHash>
#include <QResource>
#include <cmath>
#include <set>

#include "platform/Bitmaps.h"
#include "resources/Resources.h"

namespace zk::platform {

void InitPictures() {
    zk::InitResources();
}

namespace {

qreal pictureRatio = 1;

// Each picture is decoded once; the forms ask for the same ones often.
QHash<QString, QImage>& Cache() {
    static QHash<QString, QImage> cache;
    return cache;
}

QImage Decode(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? DecodePicture(file.readAll()) : QImage();
}

// A picture as its set holds it, and the scale it is drawn at: of the set
// serving the ratio when it holds the picture, else the 1x one.
struct SetPicture {
    QImage image;
    int scale = 1;
};
SetPicture FromSet(const QString& name, qreal ratio) {
    const int set = SetForRatio(ratio);
    if (set > 1) {
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        const QString scaled =
            dot < 0 ? name + QStringLiteral("@%1x").arg(set)
                    : name.left(dot) + QStringLiteral("@%1x").arg(set) + name.mid(dot);
        QImage image = Decode(QStringLiteral(":/zk/") + scaled);
        if (!image.isNull()) {
            return {image, set};
        }
    }
    return {Decode(QStringLiteral(":/zk/") + name), 1};
}

} // namespace

void RegisterPictures(qreal ratio, const std::string& programDirectory) {
    InitPictures();
    const int set = SetForRatio(ratio);
    // Registered once for the run; only a set in use is ever mapped.
    static std::set<int> registered;
    if (set > 1 && !registered.contains(set)) {
        const QString file =
            QString::fromStdString(programDirectory) + QStringLiteral("pictures@%1x.rcc").arg(set);
        if (QResource::registerResource(file)) {
            registered.insert(set);
        }
    }
}

void UsePictureRatio(qreal ratio, const std::string& programDirectory) {
    ratio = ratio > 0 ? ratio : 1;
    RegisterPictures(ratio, programDirectory);
    if (ratio != pictureRatio) {
        pictureRatio = ratio;
        Cache().clear();
    }
}

qreal PictureRatio() {
    return pictureRatio;
}

QImage PictureImage(const QString& name, qreal ratio) {
    InitPictures();
    if (ratio == 1) {
        return Decode(QStringLiteral(":/zk/") + name);
    }
    const SetPicture picture = FromSet(name, ratio);
    return AtRatio(picture.image, picture.scale, ratio);
}

QPixmap Picture(const QString& name) {
    auto found = Cache().constFind(name);
    if (found == Cache().constEnd()) {
        found = Cache().insert(name, PictureImage(name, pictureRatio));
    }
    return QPixmap::fromImage(*found);
}

Glyph LoadGlyph(const QString& name, int numGlyphs) {
    Glyph glyph;
    if (pictureRatio == 1) {
        const QPixmap all = Picture(name);
        if (all.isNull() || numGlyphs < 2) {
            glyph.normal = all;
            return glyph;
        }
        const int width = all.width() / numGlyphs;
        glyph.normal = all.copy(0, 0, width, all.height());
        glyph.disabled = all.copy(width, 0, width, all.height());
        return glyph;
    }
    // Split where the set draws them apart, then each brought to the ratio.
    const SetPicture all = FromSet(name, pictureRatio);
    if (all.image.isNull() || numGlyphs < 2) {
        glyph.normal = QPixmap::fromImage(AtRatio(all.image, all.scale, pictureRatio));
        return glyph;
    }
    const int width = all.image.width() / numGlyphs;
    const int height = all.image.height();
    glyph.normal =
        QPixmap::fromImage(AtRatio(all.image.copy(0, 0, width, height), all.scale, pictureRatio));
    glyph.disabled = QPixmap::fromImage(
        AtRatio(all.image.copy(width, 0, width, height), all.scale, pictureRatio));
    return glyph;
}

QIcon GlyphIcon(const Glyph& glyph) {
    QIcon icon;
    if (!glyph.normal.isNull()) {
        icon.addPixmap(glyph.normal, QIcon::Normal);
        icon.addPixmap(glyph.normal, QIcon::Active);
    }
    if (!glyph.disabled.isNull()) {
        icon.addPixmap(glyph.disabled, QIcon::Disabled);
    }
    return icon;
}

QIcon WindowIcon() {
    // Built once and kept for the whole run.
    static const QIcon* icon = [] {
        auto* all = new QIcon;
        for (int size : {16, 24, 32, 48, 64, 128, 256}) {
            const QPixmap pixmap = Picture(QStringLiteral("icon%1.png").arg(size));
            if (!pixmap.isNull()) {
                all->addPixmap(pixmap);
            }
        }
        return all;
    }();
    return *icon;
}

QPixmap IconPicture() {
    if (pictureRatio == 1) {
        return Picture(QStringLiteral("icon32.png"));
    }
    // The icon comes in pixel sizes: the one of the size wanted, else the
    // next larger one scaled down.
    const int wanted = static_cast<int>(std::lround(32 * pictureRatio));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        if (size >= wanted) {
            const QImage icon = PictureImage(QStringLiteral("icon%1.png").arg(size), 1);
            return QPixmap::fromImage(AtRatio(icon, size / 32.0, pictureRatio));
        }
    }
    return QPixmap::fromImage(
        AtRatio(PictureImage(QStringLiteral("icon256.png"), 1), 8, pictureRatio));
}

QFont FormFont(int pixelHeight, bool bold) {
    QFont font(QString::fromLatin1(FormFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

} // namespace zk::platform
