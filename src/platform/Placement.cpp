#include "platform/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zk::platform {

OuterGeometry OuterGeometryOf(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    OuterGeometry g;
    g.left = outer.left();
    g.top = outer.top();
    g.width = outer.width();
    g.height = outer.height();
    g.clientHeight = window.geometry().height();
    return g;
}

void PlaceFormOver(QWidget& form, const QWidget& mainWindow) {
    const QRect outer = form.frameGeometry();
    form.move(PlaceOver(OuterGeometryOf(mainWindow), outer.width(), outer.height()));
}

void PlaceFormAtScreenCentre(QWidget& form) {
    QScreen* screen = form.screen();
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (!screen) {
        return;
    }
    const QRect area = screen->geometry();
    const QRect outer = form.frameGeometry();
    form.move(area.left() + (area.width() - outer.width()) / 2,
              area.top() + (area.height() - outer.height()) / 2);
}

} // namespace zk::platform
