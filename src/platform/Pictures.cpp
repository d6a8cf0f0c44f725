#include "platform/Pictures.h"

#include <QFile>
#include <QHash>

#include "platform/Bitmaps.h"
#include "resources/Resources.h"

namespace zk::platform {

void InitPictures() {
    zk::InitResources();
}

QPixmap Picture(const QString& name) {
    InitPictures();
    // Each picture is decoded once; the forms ask for the same ones often.
    static QHash<QString, QImage> cache;
    auto found = cache.constFind(name);
    if (found == cache.constEnd()) {
        const QString path = QStringLiteral(":/zk/") + name;
        QFile file(path);
        const QImage image =
            file.open(QIODevice::ReadOnly) ? DecodePicture(file.readAll()) : QImage();
        found = cache.insert(name, image);
    }
    return QPixmap::fromImage(*found);
}

Glyph LoadGlyph(const QString& name, int numGlyphs) {
    Glyph glyph;
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
    return Picture(QStringLiteral("icon32.png"));
}

QFont FormFont(int pixelHeight, bool bold) {
    QFont font(QString::fromLatin1(FormFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

} // namespace zk::platform
