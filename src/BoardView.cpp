#include "BoardView.h"

#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>
#include <numbers>

#include "Texts.h"
#include "platform/Bitmaps.h"
#include "platform/Controls.h"
#include "platform/DrawnArt.h"
#include "platform/Pictures.h"

namespace zk {

using namespace layout;
using platform::RasterOp;

namespace {
// Every block transfer of the view is given in layout pixels and done at the
// resolution of the images, which share one ratio.
void Blt(QImage& target, int x, int y, int w, int h, const QImage& source, int sx, int sy,
         RasterOp op) {
    platform::ScaledBitBlt(target, x, y, w, h, source, sx, sy, op);
}
} // namespace

namespace {

// The board surface: shows the off-screen image; a full repaint request of
// the window system redraws the image first.
class TBoardBox : public QWidget {
public:
    TBoardBox(QWidget* parent, const BoardView& view, std::function<void()> fullRepaint,
              std::function<void(Qt::MouseButton, int, int)> mouseDown)
        : QWidget(parent), view_(view), fullRepaint_(std::move(fullRepaint)),
          mouseDown_(std::move(mouseDown)) {
        setObjectName("box");
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        if (!view_.SheetsLoaded()) {
            // Nothing to draw from before the sheets are loaded.
            painter.fillRect(event->rect(), palette().window());
            return;
        }
        if (event->rect() == rect()) {
            fullRepaint_();
        }
        const QImage& surface = view_.Surface();
        const qreal ratio = surface.devicePixelRatio();
        if (ratio == 1) {
            painter.drawImage(event->rect().topLeft(), surface, event->rect());
        } else {
            // The surface's own pixels, one for one on the screen's.
            const QRectF r = event->rect();
            painter.drawImage(
                r, surface,
                QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
        }
        view_.PaintOverlays(painter, event->region());
    }
    void mousePressEvent(QMouseEvent* event) override {
        const QPoint p = event->position().toPoint();
        mouseDown_(event->button(), p.x(), p.y());
    }

private:
    const BoardView& view_;
    std::function<void()> fullRepaint_;
    std::function<void(Qt::MouseButton, int, int)> mouseDown_;
};

// The level indicator: three digits and a face from the digit strip.
class TLevelBox : public QWidget {
public:
    TLevelBox(QWidget* parent, BoardView& view) : QWidget(parent), view_(view) {
        setObjectName("levelbox");
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        view_.RenderLevelbox();
        QPainter(this).drawImage(0, 0, view_.LevelboxImage());
    }

private:
    BoardView& view_;
};

// The palette's sheet, read and big enough for its layout.
bool LoadPaletteSheet(const QString& dir, qreal ratio, QImage& b3) {
    return platform::LoadSheet(dir, QStringLiteral("b3"), ratio, b3) &&
           b3.width() >= platform::DevicePixels(480, ratio) &&
           b3.height() >= platform::DevicePixels(240, ratio);
}

} // namespace

BoardView::BoardView(const GameState& state, const WindowState& window)
    : state_(state), window_(window), motion_(std::make_unique<BoardMotion>([this](const QRect& r) {
          ShowBoxRect(r.x(), r.y(), r.width(), r.height());
      })) {
    numbs1_ = platform::Picture("numbs1.png").toImage().convertToFormat(QImage::Format_RGB32);
    levelImage_ = platform::CreateBitmap(57, 20);
}

QWidget* BoardView::CreateBox(QWidget* parent, std::function<void()> fullRepaint,
                              std::function<void(Qt::MouseButton, int, int)> mouseDown) {
    box_ = new TBoardBox(parent, *this, std::move(fullRepaint), std::move(mouseDown));
    platform::Place(box_, 0, ToolPanelHeight, ClientWidth, BoxHeight);
    return box_;
}

QWidget* BoardView::CreateLevelbox(QWidget* parent) {
    levelbox_ = new TLevelBox(parent, *this);
    platform::Place(levelbox_, 228, 7, 57, 20);
    return levelbox_;
}

bool BoardView::LoadSheets(const std::string& programDirectory, qreal ratio) {
    ratio = ratio > 0 ? ratio : 1;
    const QString dir = QString::fromStdString(programDirectory);
    // A sheet too small for its layout would leave cells undrawn.
    const auto px = [ratio](int layout) { return platform::DevicePixels(layout, ratio); };
    // At 1x the palette's sheet is read first and let go: a game that never
    // enters the editor keeps none, yet a start without it fails as with the
    // others. At another ratio it is drawn with them, and kept.
    QImage b3;
    if (!LoadPaletteSheet(dir, ratio, b3)) {
        return false;
    }
    if (ratio == 1) {
        b3 = QImage();
    }
    QImage b1, b2;
    if (!platform::LoadSheet(dir, QStringLiteral("b1"), ratio, b1) ||
        !platform::LoadSheet(dir, QStringLiteral("b2"), ratio, b2)) {
        return false;
    }
    if (b1.width() < px(20 * CellSize) || b1.height() < px(10 * CellSize) ||
        b2.width() < px(ClientWidth) || b2.height() < px(BoxHeight)) {
        return false;
    }
    b1_ = b1;
    b2_ = b2;
    b3_ = b3;
    sheetDirectory_ = dir;
    const auto atRatio = [ratio, &px](int w, int h) {
        QImage image = platform::CreateBitmap(px(w), px(h));
        image.setDevicePixelRatio(ratio);
        return image;
    };
    scratch_ = atRatio(CellSize, CellSize);
    surface_ = atRatio(ClientWidth, BoxHeight);
    if (ratio != ratio_) {
        // The digit strip at the ratio.
        numbs1_ = platform::PictureImage(QStringLiteral("numbs1.png"), ratio)
                      .convertToFormat(QImage::Format_RGB32);
        numbs1_.setDevicePixelRatio(ratio);
        levelImage_ = atRatio(57, 20);
        ratio_ = ratio;
    }
    sheetsLoaded_ = true;
    return true;
}

const QImage& BoardView::PaletteSheet() {
    if (b3_.isNull() && sheetsLoaded_) {
        // At 1x, checked when the other sheets were loaded; should it have
        // gone since, the palette stays empty rather than drawn from a wrong
        // one.
        QImage b3;
        if (LoadPaletteSheet(sheetDirectory_, ratio_, b3)) {
            b3_ = b3;
        }
    }
    return b3_;
}

void BoardView::FreeSheets() {
    b1_ = QImage();
    b2_ = QImage();
    b3_ = QImage();
    scratch_ = QImage();
    sheetsLoaded_ = false;
}

std::optional<Cell> BoardView::CellAt(int x, int y) {
    if (x < BoardLeft || y < BoardTop) {
        return std::nullopt;
    }
    const Cell cell{(x - BoardLeft) / CellSize, (y - BoardTop) / CellSize};
    if (cell.column >= Columns || cell.row >= Rows) {
        return std::nullopt;
    }
    return cell;
}

void BoardView::ShowBoxRect(int x, int y, int w, int h) {
    // During a paint event the whole surface goes on screen anyway.
    if (!inPaintEvent_ && box_) {
        box_->update(x, y, w, h);
    }
}

void BoardView::RepaintInPaintEvent(const std::function<void()>& repaint) {
    inPaintEvent_ = true;
    repaint();
    inPaintEvent_ = false;
}

void BoardView::DrawBackground() {
    if (!sheetsLoaded_) {
        return;
    }
    Blt(surface_, 0, 0, ClientWidth, BoxHeight, b2_, 0, 0, RasterOp::Copy);
    ShowBoxRect(0, 0, ClientWidth, BoxHeight);
}

void BoardView::CopyTile(QImage& target, int x, int y, TileNumber t) const {
    if (HasPicture(t)) {
        const Point cell = SheetCell(t);
        Blt(target, x, y, CellSize, CellSize, b1_, cell.x * CellSize, cell.y * CellSize,
            RasterOp::Copy);
    } else {
        // A byte without a tile type has no picture: a black hole.
        QPainter(&target).fillRect(x, y, CellSize, CellSize, Qt::black);
    }
}

void BoardView::DrawCell(int c, int r) {
    if (!sheetsLoaded_ || !IsOnBoard(c, r)) {
        return;
    }
    const int x = BoardLeft + CellSize * c;
    const int y = BoardTop + CellSize * r;
    CopyTile(surface_, x, y, state_.board.At(c, r));
    ShowBoxRect(x, y, CellSize, CellSize);
    RefreshMarksAround(c, r);
}

void BoardView::DrawAllCells() {
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            DrawCell(c, r);
        }
    }
}

void BoardView::ComposeHeld(QImage& target, TileNumber t) const {
    CopyTile(target, 0, 0, t);
    if (state_.boardState == PlayState) {
        // The mask blackens the sprite's shape, the sprite adds its colours.
        const Point anchor = SpriteAnchor(t);
        const int sx = SpriteLeft + SpriteSize * (window_.animationFrame & 7);
        Blt(target, anchor.x, anchor.y, SpriteSize, SpriteSize, b2_, sx, MaskTop, RasterOp::And);
        Blt(target, anchor.x, anchor.y, SpriteSize, SpriteSize, b2_, sx, SpriteTop,
            RasterOp::Paint);
    }
}

void BoardView::DrawHeldCell() {
    if (!sheetsLoaded_ || !state_.board.hasHeld) {
        return;
    }
    const Cell held = state_.board.held;
    ComposeHeld(scratch_, state_.board.HeldTile());
    const int x = BoardLeft + CellSize * held.column;
    const int y = BoardTop + CellSize * held.row;
    Blt(surface_, x, y, CellSize, CellSize, scratch_, 0, 0, RasterOp::Copy);
    ShowBoxRect(x, y, CellSize, CellSize);
}

void BoardView::DrawProgressBar() {
    if (!sheetsLoaded_) {
        return;
    }
    const int n = state_.levels.SolvedCount();
    const int m = state_.levels.LevelCount();
    if (n == 0) {
        Blt(surface_, BarLeft, BarTop, BarWidth, BarHeight, b2_, EmptyBarLeft, BarTop,
            RasterOp::Copy);
    } else if (n == m) {
        Blt(surface_, BarLeft, BarTop, BarWidth, BarHeight, b2_, BarLeft, BarTop, RasterOp::Copy);
    } else {
        // The lowest f rows show the full bar, the rest the empty one.
        const int f = n * BarHeight / m;
        Blt(surface_, BarLeft, BarTop, BarWidth, BarHeight - f, b2_, EmptyBarLeft, BarTop,
            RasterOp::Copy);
        const int from = BarTop + BarHeight - f;
        Blt(surface_, BarLeft, from, BarWidth, BoxHeight - from, b2_, BarLeft, from,
            RasterOp::Copy);
    }
    ShowBoxRect(BarLeft, BarTop, BarWidth, BoxHeight - BarTop);
}

void BoardView::RenderLevelbox() {
    // Leading zeros of the hundreds and tens are blank; the units always show.
    constexpr int DigitWidth = 11, BlankDigit = 110, SolvedFace = 122, UnsolvedFace = 135;
    const int level = state_.levels.CurrentLevel();
    const int digits[3] = {level / 100 % 10, level / 10 % 10, level % 10};
    const bool code = !state_.levelCode.empty(); // a level outside the set: no number
    bool leading = true;
    for (int i = 0; i < 3; ++i) {
        leading = leading && digits[i] == 0;
        const int source = (code || (leading && i < 2)) ? BlankDigit : DigitWidth * digits[i];
        Blt(levelImage_, 13 * i, 0, DigitWidth, 20, numbs1_, source, 0, RasterOp::Copy);
    }
    // While editing, the face tells whether the Board as drawn is solved.
    const bool solvedFace = state_.boardState == EditingState ? state_.board.IsSolved()
                            : code                            ? state_.boardState == SolvedState
                                                              : state_.levels.IsLevelSolved(level);
    Blt(levelImage_, 42, 0, 13, 20, numbs1_, solvedFace ? SolvedFace : UnsolvedFace, 0,
        RasterOp::Copy);
    UpdateLevelHint();
}

void BoardView::levelboxPaint() {
    RenderLevelbox();
    if (levelbox_) {
        levelbox_->update();
    }
}

void BoardView::UpdateLevelHint() {
    if (!levelbox_) {
        return;
    }
    const QString before = levelbox_->toolTip();
    const QString hint = QString::fromStdString(LevelIndicatorHint(state_, marksOn_));
    levelbox_->setToolTip(hint);
    if (hint != before && QToolTip::isVisible() && QToolTip::text() == before) {
        if (levelbox_->underMouse()) {
            QToolTip::showText(QCursor::pos(), hint, levelbox_);
        } else {
            QToolTip::hideText();
        }
    }
}

void BoardView::ShowLevelHint() {
    if (levelbox_ && levelbox_->isVisible()) {
        QToolTip::showText(levelbox_->mapToGlobal(QPoint(0, levelbox_->height())),
                           levelbox_->toolTip(), levelbox_);
    }
}

void BoardView::ShowCell(Cell cell) {
    ShowBoxRect(BoardLeft + CellSize * cell.column, BoardTop + CellSize * cell.row, CellSize,
                CellSize);
}

void BoardView::SetCursor(std::optional<Cell> cell) {
    if (cell && !IsOnBoard(cell->column, cell->row)) {
        return;
    }
    if (cell == cursor_) {
        return;
    }
    if (cursor_) {
        ShowCell(*cursor_);
    }
    cursor_ = cell;
    if (cursor_) {
        ShowCell(*cursor_);
    }
}

namespace {
// About a second of pulse at the timer's 75 ms.
constexpr int PulseTicks = 13;
} // namespace

void BoardView::Pulse(Cell cell) {
    if (!IsOnBoard(cell.column, cell.row)) {
        return;
    }
    if (pulseCell_ && *pulseCell_ != cell) {
        ShowCell(*pulseCell_);
    }
    pulseCell_ = cell;
    pulseTicks_ = PulseTicks;
    ShowCell(cell);
}

void BoardView::StopPulse() {
    if (pulseCell_) {
        ShowCell(*pulseCell_);
    }
    pulseCell_.reset();
    pulseTicks_ = 0;
}

void BoardView::TickOverlays() {
    if (pulseTicks_ == 0) {
        return;
    }
    --pulseTicks_;
    ShowCell(*pulseCell_);
    if (pulseTicks_ == 0) {
        pulseCell_.reset();
    }
}

void BoardView::SetConnectionMarks(bool on) {
    if (on == marksOn_) {
        return;
    }
    marksOn_ = on;
    UpdateLevelHint();
    const OpenEndMap before = marks_;
    marks_ = on ? OpenEndsOf(state_.board.cells) : OpenEndMap{};
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            const auto i = static_cast<std::size_t>(CellIndex(c, r));
            if (before[i] != marks_[i]) {
                ShowCell({c, r});
            }
        }
    }
}

void BoardView::RefreshMarksAround(int c, int r) {
    if (!marksOn_) {
        return;
    }
    // A changed cell changes at most its own ends and the facing ends of its
    // four neighbours.
    static constexpr int Around[5][2] = {{0, 0}, {1, 0}, {0, -1}, {-1, 0}, {0, 1}};
    for (const auto& d : Around) {
        const int nc = c + d[0], nr = r + d[1];
        if (!IsOnBoard(nc, nr)) {
            continue;
        }
        const auto i = static_cast<std::size_t>(CellIndex(nc, nr));
        const SideMask open = OpenEnds(state_.board.cells, nc, nr);
        if (open != marks_[i]) {
            marks_[i] = open;
            if (nc != c || nr != r) {
                ShowCell({nc, nr});
            }
        }
    }
}

namespace {

// A cross, white on a black outline: its shape reads without its colour.
// It is drawn once and then copied wherever an end is open.
constexpr int MarkSize = 13;
const QImage& MarkPicture(qreal ratio) {
    static QImage picture;
    if (picture.isNull() || picture.devicePixelRatio() != ratio) {
        const int size = platform::DevicePixels(MarkSize, ratio);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPointF centre(MarkSize / 2.0, MarkSize / 2.0);
        constexpr double Arm = 3.5;
        const QPointF a(Arm, Arm), b(Arm, -Arm);
        for (const auto& [colour, width] :
             {std::pair{QColor(0, 0, 0), 5.0}, {QColor(255, 255, 255), 2.5}}) {
            painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(centre - a, centre + a);
            painter.drawLine(centre - b, centre + b);
        }
        painter.end();
        picture = image;
    }
    return picture;
}

// A frame of black, yellow, yellow, black from the cell's border inwards.
void DrawCursorFrame(QPainter& painter, QRect cell) {
    const QColor black(0, 0, 0), yellow(255, 230, 0);
    const QColor rings[] = {black, yellow, yellow, black};
    for (const QColor& colour : rings) {
        painter.fillRect(cell.x(), cell.y(), cell.width(), 1, colour);
        painter.fillRect(cell.x(), cell.bottom(), cell.width(), 1, colour);
        painter.fillRect(cell.x(), cell.y(), 1, cell.height(), colour);
        painter.fillRect(cell.right(), cell.y(), 1, cell.height(), colour);
        cell.adjust(1, 1, -1, -1);
    }
}

} // namespace

QRect BoardView::StatusRect() {
    // The dark strip below the frame's lower border, as wide as the board.
    return {BoardLeft, 362, Columns * CellSize, BoxHeight - 362};
}

void BoardView::SetStatus(const std::string& text) {
    if (text == status_) {
        return;
    }
    status_ = text;
    ShowBoxRect(StatusRect().x(), StatusRect().y(), StatusRect().width(), StatusRect().height());
}

void BoardView::DrawStatusLine(QPainter& painter, const QString& text) {
    // Pale letters with a dark shadow read on the frame's dark strip. A line
    // too long for the strip (a hint's reason besides the counts) takes
    // smaller letters.
    int size = 10;
    while (size > 7 && QFontMetrics(platform::FormFont(size, false)).horizontalAdvance(text) >
                           StatusRect().width() - 4) {
        --size;
    }
    painter.save();
    painter.setFont(platform::FormFont(size, false));
    const int flags = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine;
    painter.setPen(QColor(0, 0, 0));
    painter.drawText(StatusRect().translated(1, 1), flags, text);
    painter.setPen(QColor(240, 226, 180));
    painter.drawText(StatusRect(), flags, text);
    painter.restore();
}

void BoardView::PaintOverlays(QPainter& painter, const QRegion& region) const {
    const bool moving = motion_->Running();
    if (!sheetsLoaded_ || (!cursor_ && !pulseCell_ && !marksOn_ && status_.empty() && !moving)) {
        return;
    }
    painter.save();
    PaintFloorUnderSlide(painter, region);
    if (!status_.empty() && region.intersects(StatusRect())) {
        DrawStatusLine(painter, QString::fromStdString(status_));
    }
    if (pulseCell_ && region.intersects(CellRect(*pulseCell_))) {
        // Two flashes over the second: brightest a quarter and three
        // quarters through.
        const double phase = (PulseTicks - pulseTicks_) * std::numbers::pi * 2 / PulseTicks;
        const int alpha = static_cast<int>(150 * (1 - std::cos(2 * phase)) / 2);
        painter.fillRect(CellRect(*pulseCell_), QColor(255, 255, 255, alpha));
    }
    if (marksOn_) {
        // Centred at the middle of the side, 8 pixels inside the tile.
        constexpr int Near = 8 - MarkSize / 2, Far = CellSize - 8 - MarkSize / 2,
                      Mid = CellSize / 2 - MarkSize / 2;
        static constexpr QPoint At[4] = {{Far, Mid}, {Mid, Near}, {Near, Mid}, {Mid, Far}};
        const auto& slide = motion_->CurrentSlide();
        for (int c = 0; c < Columns; ++c) {
            for (int r = 0; r < Rows; ++r) {
                const SideMask open = marks_[static_cast<std::size_t>(CellIndex(c, r))];
                const QRect cell = CellRect({c, r});
                // A cell whose tile is on the way shows its marks on arrival.
                const bool emptied =
                    slide && (slide->from == Cell{c, r} || slide->to == Cell{c, r});
                if (open == 0 || emptied || !region.intersects(cell)) {
                    continue;
                }
                for (Side side : {East, North, West, South}) {
                    if (HasSide(open, side)) {
                        painter.drawImage(cell.topLeft() + At[side], MarkPicture(ratio_));
                    }
                }
            }
        }
    }
    if (moving) {
        PaintMotion(painter, region);
    }
    if (cursor_ && region.intersects(CellRect(*cursor_))) {
        DrawCursorFrame(painter, CellRect(*cursor_));
    }
    painter.restore();
}

} // namespace zk
