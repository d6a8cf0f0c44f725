// Placing a form over the main window: centred horizontally over the whole
// window, vertically over its client area. Both halvings round toward zero.
#pragma once

#include <QPoint>

class QWidget;

namespace zk::platform {

struct OuterGeometry {
    int left = 0;
    int top = 0;
    int width = 0;  // frame included
    int height = 0; // frame and title bar included
    int clientHeight = 0;
};

// Left := main.Left + (main.Width - width) div 2;
// Top := main.Top + main.Height - (main.ClientHeight + height) div 2.
constexpr QPoint PlaceOver(const OuterGeometry& main, int width, int height) {
    return {main.left + (main.width - width) / 2,
            main.top + main.height - (main.clientHeight + height) / 2};
}

// The main window's outer geometry and client height, as it stands.
OuterGeometry OuterGeometryOf(const QWidget& window);

// Moves the form's outer top-left corner over the main window.
void PlaceFormOver(QWidget& form, const QWidget& mainWindow);
// Moves the form to the centre of the screen it is on.
void PlaceFormAtScreenCentre(QWidget& form);

} // namespace zk::platform
