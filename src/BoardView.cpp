#include "BoardView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "Texts.h"
#include "platform/Bitmaps.h"
#include "platform/Controls.h"
#include "platform/Pictures.h"

namespace zk {

using namespace layout;
using platform::BitBlt;
using platform::RasterOp;

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
        painter.drawImage(event->rect().topLeft(), view_.Surface(), event->rect());
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

} // namespace

BoardView::BoardView(const GameState& state, const WindowState& window)
    : state_(state), window_(window) {
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

bool BoardView::LoadSheets(const std::string& programDirectory) {
    const QString dir = QString::fromStdString(programDirectory);
    QImage b1, b2, b3;
    if (!platform::LoadBitmap(dir + "b1.bmp", b1) || !platform::LoadBitmap(dir + "b2.bmp", b2) ||
        !platform::LoadBitmap(dir + "b3.bmp", b3)) {
        return false;
    }
    // A sheet too small for its layout would leave cells undrawn.
    if (b1.width() < 20 * CellSize || b1.height() < 10 * CellSize || b2.width() < ClientWidth ||
        b2.height() < BoxHeight || b3.width() < 480 || b3.height() < 240) {
        return false;
    }
    b1_ = b1;
    b2_ = b2;
    b3_ = b3;
    scratch_ = platform::CreateBitmap(CellSize, CellSize);
    surface_ = platform::CreateBitmap(ClientWidth, BoxHeight);
    sheetsLoaded_ = true;
    return true;
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
    BitBlt(surface_, 0, 0, ClientWidth, BoxHeight, b2_, 0, 0, RasterOp::Copy);
    ShowBoxRect(0, 0, ClientWidth, BoxHeight);
}

void BoardView::CopyTile(QImage& target, int x, int y, TileNumber t) {
    if (HasPicture(t)) {
        const Point cell = SheetCell(t);
        BitBlt(target, x, y, CellSize, CellSize, b1_, cell.x * CellSize, cell.y * CellSize,
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
}

void BoardView::DrawAllCells() {
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            DrawCell(c, r);
        }
    }
}

void BoardView::DrawHeldCell() {
    if (!sheetsLoaded_ || !state_.board.hasHeld) {
        return;
    }
    const Cell held = state_.board.held;
    const TileNumber t = state_.board.HeldTile();
    CopyTile(scratch_, 0, 0, t);
    if (state_.boardState == PlayState) {
        // The mask blackens the sprite's shape, the sprite adds its colours.
        const Point anchor = SpriteAnchor(t);
        const int sx = SpriteLeft + SpriteSize * (window_.animationFrame & 7);
        BitBlt(scratch_, anchor.x, anchor.y, SpriteSize, SpriteSize, b2_, sx, MaskTop,
               RasterOp::And);
        BitBlt(scratch_, anchor.x, anchor.y, SpriteSize, SpriteSize, b2_, sx, SpriteTop,
               RasterOp::Paint);
    }
    const int x = BoardLeft + CellSize * held.column;
    const int y = BoardTop + CellSize * held.row;
    BitBlt(surface_, x, y, CellSize, CellSize, scratch_, 0, 0, RasterOp::Copy);
    ShowBoxRect(x, y, CellSize, CellSize);
}

void BoardView::DrawProgressBar() {
    if (!sheetsLoaded_) {
        return;
    }
    const int n = state_.levels.SolvedCount();
    const int m = state_.levels.LevelCount();
    if (n == 0) {
        BitBlt(surface_, BarLeft, BarTop, BarWidth, BarHeight, b2_, EmptyBarLeft, BarTop,
               RasterOp::Copy);
    } else if (n == m) {
        BitBlt(surface_, BarLeft, BarTop, BarWidth, BarHeight, b2_, BarLeft, BarTop,
               RasterOp::Copy);
    } else {
        // The lowest f rows show the full bar, the rest the empty one.
        const int f = n * BarHeight / m;
        BitBlt(surface_, BarLeft, BarTop, BarWidth, BarHeight - f, b2_, EmptyBarLeft, BarTop,
               RasterOp::Copy);
        const int from = BarTop + BarHeight - f;
        BitBlt(surface_, BarLeft, from, BarWidth, BoxHeight - from, b2_, BarLeft, from,
               RasterOp::Copy);
    }
    ShowBoxRect(BarLeft, BarTop, BarWidth, BoxHeight - BarTop);
}

void BoardView::RenderLevelbox() {
    // Leading zeros of the hundreds and tens are blank; the units always show.
    constexpr int DigitWidth = 11, BlankDigit = 110, SolvedFace = 122, UnsolvedFace = 135;
    const int level = state_.levels.CurrentLevel();
    const int digits[3] = {level / 100 % 10, level / 10 % 10, level % 10};
    bool leading = true;
    for (int i = 0; i < 3; ++i) {
        leading = leading && digits[i] == 0;
        const int source = (leading && i < 2) ? BlankDigit : DigitWidth * digits[i];
        BitBlt(levelImage_, 13 * i, 0, DigitWidth, 20, numbs1_, source, 0, RasterOp::Copy);
    }
    // While editing, the face tells whether the Board as drawn is solved.
    const bool solvedFace = state_.boardState == EditingState ? state_.board.IsSolved()
                                                              : state_.levels.IsLevelSolved(level);
    BitBlt(levelImage_, 42, 0, 13, 20, numbs1_, solvedFace ? SolvedFace : UnsolvedFace, 0,
           RasterOp::Copy);
    if (levelbox_) {
        levelbox_->setToolTip(QString::fromStdString(
            LevelHintText(state_.language, level, state_.levels.IsLevelSolved(level))));
    }
}

void BoardView::levelboxPaint() {
    RenderLevelbox();
    if (levelbox_) {
        levelbox_->update();
    }
}

} // namespace zk
