// The controls the forms are built from: buttons with glyphs, toolbar
// buttons, bevels, pictures and labels, placed at designer coordinates.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QWidget>

#include "platform/Pictures.h"

namespace zk::platform {

// Places a control at client coordinates of its parent.
void Place(QWidget* control, int x, int y, int width, int height);

// A push button with a caption and a glyph left of it.
class TBitBtn : public QPushButton {
    Q_OBJECT
public:
    TBitBtn(QWidget* parent, const QString& name);
    // The glyph ":/zk/<resource>" of numGlyphs images (normal, disabled).
    void SetGlyph(const QString& resource, int numGlyphs);
};

// A toolbar button: a glyph, no caption, never takes the keyboard focus.
// As a toggle it stays down until it is clicked again.
class TSpeedButton : public QToolButton {
    Q_OBJECT
public:
    TSpeedButton(QWidget* parent, const QString& name);
    // The glyph is decoded when the button is first drawn, so a window of
    // toolbar buttons maps without waiting for its pictures.
    void SetGlyph(const QString& resource, int numGlyphs);
    // A group of its own that allows all buttons up: each click toggles.
    void SetToggle(bool toggle) { setCheckable(toggle); }
    bool Down() const { return isChecked(); }
    void SetDown(bool down) { setChecked(down); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString glyphResource_;
    int numGlyphs_ = 0;
};

// A bevel: a lowered or raised box (one line each side) or an etched frame.
class TBevel : public QWidget {
    Q_OBJECT
public:
    enum class Shape { Box, Frame };
    enum class Style { Lowered, Raised };
    TBevel(QWidget* parent, const QString& name, Shape shape, Style style = Style::Lowered);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Shape shape_;
    Style style_;
};

// A filled rectangle without a border.
class TShape : public QWidget {
    Q_OBJECT
public:
    TShape(QWidget* parent, const QString& name, QColor colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

// A picture drawn at natural size from the top-left corner.
class TImage : public QLabel {
    Q_OBJECT
public:
    TImage(QWidget* parent, const QString& name);
    void SetPicture(const QPixmap& picture);
    bool HasPicture() const;

signals:
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// A label of fixed size; centred labels wrap their words.
class TLabel : public QLabel {
    Q_OBJECT
public:
    TLabel(QWidget* parent, const QString& name, bool centred = false, bool wordWrap = false);
};

// A horizontal scroll bar that reports every change of its position with
// Changed(). A change the program makes is reported at once. A change the
// player makes is reported once, when the press that made it has ended (a
// wheel turn when its event has been handled), with the position it left: a
// handler that asks a question never runs while the button is still down and
// the bar's auto-repeat would step on behind the question.
class TScrollBar : public QScrollBar {
    Q_OBJECT
public:
    TScrollBar(QWidget* parent, const QString& name);

    // Ends a press in progress as if it had not been made: the repeat stops,
    // the thumb is let go, the position goes back to where the press found
    // it, and nothing is reported.
    void CancelPress();

signals:
    void Changed();

protected:
    bool event(QEvent* event) override;

private:
    bool pressed_ = false;
    bool playerAction_ = false; // the next change of value is the player's
    bool pending_ = false;      // the player's change waits for the press to end
    int valueAtPress_ = 0;
    int depth_ = 0; // events of the bar's being handled, one inside another
};

// Before a modal form or message box opens: a press in progress on a scroll
// bar is cancelled, so that nothing the mouse began goes on acting on the
// windows behind it.
void CancelPresses();

} // namespace zk::platform
