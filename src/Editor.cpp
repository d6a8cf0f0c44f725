#include "Editor.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/Bitmaps.h"
#include "platform/Pictures.h"
#include "platform/Placement.h"

namespace {
constexpr int PaletteCell = 24;
constexpr int PaletteTiles = 200;
} // namespace

Teditform::Teditform(QWidget* mainWindow, std::function<const QImage&()> sheet,
                     const int& selection, std::function<void(int)> picked)
    : QWidget(mainWindow, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::MSWindowsFixedSizeDialogHint),
      sheet_(std::move(sheet)), selection_(selection), picked_(std::move(picked)) {
    setObjectName("editform");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowIcon(zk::platform::WindowIcon());
    zk::platform::KeepFrameCorner(*this);
    FormCreate();
}

void Teditform::FormCreate() {
    setWindowTitle("Zanfor Kelva");
    TilesPerRow = 20;
    setFixedSize(TilesPerRow * PaletteCell, (PaletteTiles / TilesPerRow) * PaletteCell);
    // The canvas is made when the palette is first painted: a game that never
    // enters the editor holds none.
}

QRect Teditform::CellRect(int n) const {
    return {(n % TilesPerRow) * PaletteCell, (n / TilesPerRow) * PaletteCell, PaletteCell,
            PaletteCell};
}

void Teditform::FormPaint() {
    // The canvas follows the sheet's resolution.
    const QImage& sheet = sheet_();
    const qreal ratio = sheet.isNull() ? 1 : sheet.devicePixelRatio();
    if (canvas_.isNull() || canvas_.devicePixelRatio() != ratio) {
        canvas_ = zk::platform::CreateBitmap(zk::platform::DevicePixels(width(), ratio),
                                             zk::platform::DevicePixels(height(), ratio));
        canvas_.setDevicePixelRatio(ratio);
    }
    for (int n = 0; n < PaletteTiles; ++n) {
        DrawPaletteCell(n);
    }
    DrawSelectionCross();
    painted_ = true;
}

void Teditform::Show(const QRect& cell) {
    // During a paint event the whole canvas goes on screen anyway.
    if (!inPaintEvent_) {
        update(cell);
    }
}

void Teditform::DrawPaletteCell(int n) {
    // A selection picked up from a byte without a tile type has no cell here.
    // Before the first painting there is no canvas, and the sheet is not
    // read for it: that painting draws every cell.
    if (n < 0 || n >= PaletteTiles || canvas_.isNull()) {
        return;
    }
    const QImage& sheet = sheet_();
    if (sheet.isNull()) {
        return;
    }
    const QRect cell = CellRect(n);
    zk::platform::ScaledBitBlt(canvas_, cell.x(), cell.y(), PaletteCell, PaletteCell, sheet,
                               cell.x(), cell.y(), zk::platform::RasterOp::Copy);
    Show(cell);
}

void Teditform::DrawSelectionCross() {
    const int n = selection_;
    if (n < 0 || n >= PaletteTiles) {
        return;
    }
    const QRect cell = CellRect(n);
    const int x = cell.x();
    const int y = cell.y();
    zk::platform::DrawLine(canvas_, x + 6, y + 6, x + 18, y + 18, Qt::white, 3);
    zk::platform::DrawLine(canvas_, x + 6, y + 18, x + 18, y + 6, Qt::white, 3);
    Show(cell);
}

void Teditform::FormMouseDown(Qt::MouseButton, int x, int y) {
    if (x < 0 || y < 0) {
        return;
    }
    const int n = (y / PaletteCell) * TilesPerRow + (x / PaletteCell);
    if (n > PaletteTiles - 1 || x >= width()) {
        return;
    }
    DrawPaletteCell(selection_);
    picked_(n);
    DrawSelectionCross();
}

void Teditform::paintEvent(QPaintEvent* event) {
    if (!painted_ || event->rect() == rect()) {
        inPaintEvent_ = true;
        FormPaint();
        inPaintEvent_ = false;
    }
    QPainter painter(this);
    const qreal ratio = canvas_.devicePixelRatio();
    if (ratio == 1) {
        painter.drawImage(event->rect().topLeft(), canvas_, event->rect());
    } else {
        // The canvas's own pixels, one for one on the screen's.
        const QRectF r = event->rect();
        painter.drawImage(
            r, canvas_,
            QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    }
}

void Teditform::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    FormMouseDown(event->button(), p.x(), p.y());
}

void Teditform::closeEvent(QCloseEvent* event) {
    // The palette has no close box: it comes and goes with the editing
    // state. A window manager that gives it one anyway (it may ignore the
    // hint) closes it only until the editing state begins again; the
    // program itself never closes it.
    if (event->spontaneous()) {
        event->accept();
    } else {
        event->ignore();
    }
}
