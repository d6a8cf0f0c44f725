#include "platform/Controls.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

namespace zk::platform {

void Place(QWidget* control, int x, int y, int width, int height) {
    control->setGeometry(x, y, width, height);
}

TBitBtn::TBitBtn(QWidget* parent, const QString& name) : QPushButton(parent) {
    setObjectName(name);
    setAutoDefault(true);
}

void TBitBtn::SetGlyph(const QString& resource, int numGlyphs) {
    const Glyph glyph = LoadGlyph(resource, numGlyphs);
    setIcon(GlyphIcon(glyph));
    if (!glyph.normal.isNull()) {
        setIconSize(glyph.normal.deviceIndependentSize().toSize());
    }
}

TSpeedButton::TSpeedButton(QWidget* parent, const QString& name) : QToolButton(parent) {
    setObjectName(name);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setAutoRaise(false);
}

void TSpeedButton::SetGlyph(const QString& resource, int numGlyphs) {
    glyphResource_ = resource;
    numGlyphs_ = numGlyphs;
    update();
}

void TSpeedButton::paintEvent(QPaintEvent* event) {
    if (!glyphResource_.isEmpty()) {
        const Glyph glyph = LoadGlyph(glyphResource_, numGlyphs_);
        glyphResource_.clear();
        setIcon(GlyphIcon(glyph));
        if (!glyph.normal.isNull()) {
            setIconSize(glyph.normal.deviceIndependentSize().toSize());
        }
    }
    QToolButton::paintEvent(event);
}

TBevel::TBevel(QWidget* parent, const QString& name, Shape shape, Style style)
    : QWidget(parent), shape_(shape), style_(style) {
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

TShape::TShape(QWidget* parent, const QString& name, QColor colour)
    : QWidget(parent), colour_(colour) {
    setObjectName(name);
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), colour_);
}

void TBevel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    const QColor first = style_ == Style::Lowered ? shadow : highlight;
    const QColor second = style_ == Style::Lowered ? highlight : shadow;
    // Top and left lines in one colour, bottom and right in the other.
    auto bevelRect = [&painter](int left, int top, int right, int bottom, const QColor& topLeft,
                                const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(left, top, right, top);
        painter.drawLine(left, top, left, bottom);
        painter.setPen(bottomRight);
        painter.drawLine(right, top, right, bottom);
        painter.drawLine(left, bottom, right, bottom);
    };
    const int w = width();
    const int h = height();
    if (shape_ == Shape::Box) {
        bevelRect(0, 0, w - 1, h - 1, first, second);
    } else {
        bevelRect(1, 1, w - 1, h - 1, second, second);
        bevelRect(0, 0, w - 2, h - 2, first, first);
    }
}

TImage::TImage(QWidget* parent, const QString& name) : QLabel(parent) {
    setObjectName(name);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setScaledContents(false);
}

void TImage::SetPicture(const QPixmap& picture) {
    if (picture.isNull()) {
        clear();
    } else {
        setPixmap(picture);
    }
}

bool TImage::HasPicture() const {
    return !pixmap().isNull();
}

void TImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit Clicked();
    }
    QLabel::mousePressEvent(event);
}

TLabel::TLabel(QWidget* parent, const QString& name, bool centred, bool wordWrap) : QLabel(parent) {
    setObjectName(name);
    setWordWrap(wordWrap);
    setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
    setContentsMargins(0, 0, 0, 0);
    setMargin(0);
    setIndent(0);
}

TScrollBar::TScrollBar(QWidget* parent, const QString& name) : QScrollBar(Qt::Horizontal, parent) {
    setObjectName(name);
    // Its menu would run a loop of its own in the middle of a press.
    setContextMenuPolicy(Qt::NoContextMenu);
    // An action of the player's has moved the slider; the value follows at
    // once unless the slider stands where the value is.
    connect(this, &QAbstractSlider::actionTriggered, this,
            [this] { playerAction_ = sliderPosition() != value(); });
    connect(this, &QAbstractSlider::valueChanged, this, [this] {
        if (playerAction_) {
            playerAction_ = false;
            pending_ = true;
        } else {
            emit Changed();
        }
    });
}

bool TScrollBar::event(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        // Pressed before the bar acts: it repaints at once, and that paint
        // must not report the change.
        if (!pressed_) {
            valueAtPress_ = value();
        }
        pressed_ = true;
    }
    ++depth_;
    const bool handled = QScrollBar::event(event);
    --depth_;
    if (type == QEvent::MouseButtonRelease) {
        pressed_ = static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton;
    } else if (type == QEvent::Hide) {
        pressed_ = false; // the bar has stopped its repeat
    }
    // Reported by the outermost event only, once the bar is done with it.
    if (pending_ && !pressed_ && depth_ == 0) {
        pending_ = false;
        emit Changed();
    }
    return handled;
}

void TScrollBar::CancelPress() {
    if (!pressed_) {
        return;
    }
    // The bar's own release stops the repeat and lets the thumb go.
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(), QPointF(), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    mouseReleaseEvent(&release);
    pressed_ = false;
    pending_ = false;
    playerAction_ = false;
    const QSignalBlocker quiet(this);
    setValue(valueAtPress_);
}

void CancelPresses() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (TScrollBar* bar : window->findChildren<TScrollBar*>()) {
            bar->CancelPress();
        }
    }
}

} // namespace zk::platform
