// The board view's part of the motion: starting the slide and the shine, and
// drawing their frames over the board surface.
#include <QPainter>

#include "BoardView.h"
#include "platform/Bitmaps.h"

namespace zk {

using namespace layout;

void BoardView::SlideMove(Cell from, Cell to) {
    if (!motionOn_ || !sheetsLoaded_ || from == to) {
        return;
    }
    motion_->Slide(from, to, state_.board.At(to.column, to.row),
                   state_.board.At(from.column, from.row));
}

void BoardView::ShineSolve(std::function<void()> done) {
    if (!motionOn_ || !sheetsLoaded_ || !state_.board.hasHeld) {
        motion_->Finish(); // a slide lands first
        done();
        return;
    }
    motion_->Shine(state_.board.cells, state_.board.held, std::move(done));
}

void BoardView::CopyTileTo(QPainter& painter, QRect at, TileNumber t) const {
    if (!HasPicture(t)) {
        painter.fillRect(at, Qt::black);
        return;
    }
    const Point cell = SheetCell(t);
    const QRectF source(cell.x * CellSize * ratio_, cell.y * CellSize * ratio_, CellSize * ratio_,
                        CellSize * ratio_);
    painter.drawImage(QRectF(at), b1_, source);
}

void BoardView::PaintFloorUnderSlide(QPainter& painter, const QRegion& region) const {
    const auto& slide = motion_->CurrentSlide();
    if (!slide) {
        return;
    }
    // The two cells stand empty while their tiles are on the way.
    for (const Cell cell : {slide->from, slide->to}) {
        if (region.intersects(CellRect(cell))) {
            CopyTileTo(painter, CellRect(cell), EmptyTile);
        }
    }
}

void BoardView::PaintMotion(QPainter& painter, const QRegion& region) const {
    if (const auto& slide = motion_->CurrentSlide()) {
        const QRect leaving(slide->leavingAt, QSize(CellSize, CellSize));
        const QRect arriving(slide->arrivingAt, QSize(CellSize, CellSize));
        if (region.intersects(leaving)) {
            CopyTileTo(painter, leaving, slide->leaving);
        }
        // The held tile travels above the other, its marker with it.
        if (region.intersects(arriving)) {
            if (motionScratch_.isNull() || motionScratch_.devicePixelRatio() != ratio_) {
                motionScratch_ = platform::CreateBitmap(platform::DevicePixels(CellSize, ratio_),
                                                        platform::DevicePixels(CellSize, ratio_));
                motionScratch_.setDevicePixelRatio(ratio_);
            }
            ComposeHeld(motionScratch_, slide->arriving);
            painter.drawImage(QRectF(arriving), motionScratch_,
                              QRectF(0, 0, motionScratch_.width(), motionScratch_.height()));
        }
    }
    const auto& glows = motion_->CurrentShine();
    if (glows.empty()) {
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    for (const BoardMotion::Glow& glow : glows) {
        // A warm halo round a bright core, brightest where the light runs.
        const auto alpha = [&](int full) { return static_cast<int>(full * glow.strength); };
        painter.setPen(QPen(QColor(255, 226, 140, alpha(120)), 11, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(glow.from, glow.to);
        painter.setPen(QPen(QColor(255, 252, 232, alpha(235)), 4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(glow.from, glow.to);
        if (glow.head) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(255, 255, 255));
            painter.drawEllipse(glow.to, 4.5, 4.5);
            painter.setBrush(Qt::NoBrush);
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
}

} // namespace zk
