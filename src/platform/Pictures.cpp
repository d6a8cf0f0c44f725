#include "platform/Pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "platform/Bitmaps.h"
#include "platform/DrawnArt.h"
#include "resources/Resources.h"

namespace zk::platform {

void InitPictures() {
    zk::InitResources();
}

namespace {

qreal pictureRatio = 1;
// Where the module that draws the pictures at other ratios lies.
std::string pictureDirectory;

// Each picture is decoded once; the forms ask for the same ones often.
QHash<QString, QImage>& Cache() {
    static QHash<QString, QImage> cache;
    return cache;
}

QImage Decode(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? DecodePicture(file.readAll()) : QImage();
}

} // namespace

void UsePictureRatio(qreal ratio, const std::string& programDirectory) {
    ratio = ratio > 0 ? ratio : 1;
    InitPictures();
    pictureDirectory = programDirectory;
    // The sheets are needed after the splash: drawing starts now.
    PrepareSheets(programDirectory, ratio);
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
    const QImage drawn = DrawnPicture(pictureDirectory, name, ratio);
    // One the drawing lacks (an icon size) is the 1x one, scaled.
    return drawn.isNull() ? AtRatio(Decode(QStringLiteral(":/zk/") + name), 1, ratio) : drawn;
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
    // Split where the drawing puts them apart, each at the ratio.
    const QImage all = PictureImage(name, pictureRatio);
    if (all.isNull() || numGlyphs < 2) {
        glyph.normal = QPixmap::fromImage(all);
        return glyph;
    }
    const int width = all.width() / numGlyphs;
    const auto part = [&](int i) {
        QImage image = all.copy(i * width, 0, width, all.height());
        image.setDevicePixelRatio(pictureRatio);
        return QPixmap::fromImage(image);
    };
    glyph.normal = part(0);
    glyph.disabled = part(1);
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

namespace {

constexpr int WindowIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

QIcon AllWindowIconSizes() {
    QIcon all;
    for (int size : WindowIconSizes) {
        // Decoded for the icon alone: the pictures' cache keeps no copy.
        QImage image = PictureImage(QStringLiteral("icon%1.png").arg(size), 1);
        if (!image.isNull()) {
            all.addPixmap(QPixmap::fromImage(std::move(image)));
        }
    }
    return all;
}

// The window icon holds no pixels of its own: the window system asks for
// each size once, when a window is made, and the seven sizes together would
// keep a third of a megabyte for nothing after that. A size asked for as
// it is carried is decoded alone; anything else (another size, mode or
// state) is answered by the icon of every size, made for the question.
class WindowIconEngine : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (mode == QIcon::Normal && state == QIcon::Off && size.width() == size.height() &&
            std::find(std::begin(WindowIconSizes), std::end(WindowIconSizes), size.width()) !=
                std::end(WindowIconSizes)) {
            QImage image = PictureImage(QStringLiteral("icon%1.png").arg(size.width()), 1);
            if (image.size() == size) {
                return QPixmap::fromImage(std::move(image));
            }
        }
        return AllWindowIconSizes().pixmap(size, qreal{1}, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return AllWindowIconSizes().actualSize(size, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QPaintDevice* device = painter->device();
        const qreal ratio = device ? device->devicePixelRatio() : qApp->devicePixelRatio();
        painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off) {
            for (int size : WindowIconSizes) {
                // The header alone, and only by the built-in reader: asking
                // every image plug-in would load them all.
                QImageReader reader(QStringLiteral(":/zk/icon%1.png").arg(size), "PNG");
                reader.setAutoDetectImageFormat(false);
                if (reader.size() == QSize(size, size)) {
                    sizes.push_back(reader.size());
                }
            }
        }
        return sizes;
    }
    QIconEngine* clone() const override { return new WindowIconEngine; }
    QString key() const override { return QStringLiteral("ZkWindowIcon"); }
};

} // namespace

QIcon WindowIcon() {
    return QIcon(new WindowIconEngine);
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
