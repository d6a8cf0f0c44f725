// The base of every form: created once, hidden, shown modally any number of
// times through the seam, closed by a button that carries a modal result.
#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>
#include <functional>

#include "platform/Modal.h"

class QAbstractButton;

namespace zk::platform {

class ModalForm : public QDialog {
    Q_OBJECT
public:
    enum class Position { ScreenCentre, OverMainWindow };

    // mainWindow may be null (the form then stands at the screen centre).
    // bordered: a fixed dialog border with title bar and close box; otherwise
    // no border at all.
    explicit ModalForm(QWidget* mainWindow, bool bordered = true);

    // Shows the form modally through the seam and returns its modal result;
    // mrRefused, without showing it, while it is open already.
    ModalResult ShowModal();

    ModalResult Result() const { return modalResult_; }
    // A result other than mrNone closes the form with it.
    void SetModalResult(ModalResult result);
    // What the close box does: result mrCancel.
    void Close();

    void SetClientSize(int width, int height);
    void SetPosition(Position position) { position_ = position; }

    // Left and top of the form over the main window; see Placement.h.
    void PlaceOverMainWindow();
    void PlaceAtScreenCentre();

    // A click on the button sets the form's modal result, then runs the
    // handler; a non-zero result closes the form once the handler returns.
    void AttachButton(QAbstractButton* button, ModalResult modalResult,
                      std::function<void()> handler = {});
    // A default button takes Enter when the focus is not on another button.
    void AddDefaultButton(QAbstractButton* button);
    // The cancel button takes Esc; a form without one ignores Esc.
    void SetCancelButton(QAbstractButton* button) { cancelButton_ = button; }
    // The control that has the focus when the form opens.
    void SetFirstFocus(QWidget* widget) { firstFocus_ = widget; }

    // The seam's half of a showing: clears the result, runs FormShow, places
    // the form, shows it and runs FormActivate. False when the activation has
    // closed the form already.
    bool OpenForModal();

    // The reject() of the close box; Esc never reaches it.
    void reject() override;

protected:
    // Run at each showing, before the form appears.
    virtual void FormShow() {}
    // Run each time the form becomes the active window: at each showing, and
    // again when the player returns to it from another application.
    virtual void FormActivate() {}

    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void PlaceByPosition();
    void ButtonClicked(QAbstractButton* button, ModalResult modalResult,
                       const std::function<void()>& handler);

    QPointer<QWidget> mainWindow_;
    Position position_ = Position::ScreenCentre;
    ModalResult modalResult_ = mrNone;
    QList<QPointer<QAbstractButton>> defaultButtons_;
    QPointer<QAbstractButton> cancelButton_;
    QPointer<QWidget> firstFocus_;
    bool leftApplication_ = false;
    bool showing_ = false;
};

} // namespace zk::platform
