// Splash: the borderless picture at start-up, over the main window. It closes
// on a click or on the tick of its timer, which runs from its creation.
#pragma once

#include <QTimer>

#include <string>

#include "model/Language.h"
#include "platform/Controls.h"
#include "platform/Form.h"

namespace zk {

class TSplash : public platform::ModalForm {
    Q_OBJECT
public:
    static constexpr int TimerInterval = 3000; // milliseconds

    // The picture is "b5.bmp" of the program directory.
    TSplash(const Language& language, const std::string& programDirectory, QWidget* mainWindow);

    platform::TImage* Image1 = nullptr;
    QTimer* Timer1 = nullptr;

    // Closes the splash: a click on the form or the picture, every tick.
    void Click();
    // Each time the splash becomes active: place it, load "b5.bmp".
    void Activate();

protected:
    void FormActivate() override { Activate(); }
    void mousePressEvent(QMouseEvent* event) override;

private:
    const Language& language_;
    std::string programDirectory_;
};

} // namespace zk
