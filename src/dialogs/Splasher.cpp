#include "dialogs/Splasher.h"

#include "platform/DrawnArt.h"

#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>

#include "platform/Modal.h"

namespace zk {

TSplash::TSplash(const Language& language, const std::string& programDirectory, QWidget* mainWindow)
    : ModalForm(mainWindow, false), language_(language), programDirectory_(programDirectory) {
    setObjectName(QStringLiteral("Splash"));
    SetClientSize(200, 150);
    setFont(platform::FormFont(11));
    SetPosition(Position::OverMainWindow);

    Image1 = new platform::TImage(this, QStringLiteral("Image1"));
    platform::Place(Image1, 0, 0, 200, 150);
    connect(Image1, &platform::TImage::Clicked, this, &TSplash::Click);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(TimerInterval);
    connect(Timer1, &QTimer::timeout, this, &TSplash::Click);
    Timer1->start();
}

void TSplash::Click() {
    if (isVisible()) {
        Close();
    }
}

void TSplash::Activate() {
    PlaceOverMainWindow();
    const QString file = QString::fromStdString(programDirectory_ + "b5.bmp");
    QImage picture;
    // At the screen's resolution: on a scaled screen from the larger sets.
    if (!platform::LoadSheet(QString::fromStdString(programDirectory_), QStringLiteral("b5"),
                             devicePixelRatioF(), picture)) {
        // The splash shows no picture and closes as usual.
        Image1->SetPicture(QPixmap());
        platform::ShowError(IsGerman(language_)
                                ? QStringLiteral("Das Bild %1 kann nicht geladen werden.").arg(file)
                                : QStringLiteral("Cannot load the picture %1.").arg(file),
                            this);
        return;
    }
    Image1->SetPicture(QPixmap::fromImage(picture));
}

void TSplash::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Click();
    }
    ModalForm::mousePressEvent(event);
}

} // namespace zk
