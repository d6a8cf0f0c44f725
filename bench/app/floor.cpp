// The floor of the whole-program measurements: a bare Qt 6 Widgets program
// with a window of the game's size (520 x 409). Its board area is one flat
// colour; a 75 ms timer repaints one 48 x 48 cell in a colour that changes
// with every tick, as the game's marker does on the held cell.
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int Width = 520;
constexpr int Height = 409;
constexpr int PanelHeight = 33;
constexpr QRect Cell{22, PanelHeight + 20, 48, 48};

class FloorWindow : public QWidget {
public:
    FloorWindow() {
        setWindowTitle(QStringLiteral("Floor"));
        setFixedSize(Width, Height);
        setAttribute(Qt::WA_OpaquePaintEvent);
        move(292, 297);
        timer_.setInterval(75);
        connect(&timer_, &QTimer::timeout, this, [this] {
            frame_ = (frame_ + 1) % 8;
            update(Cell);
        });
        timer_.start();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect().intersected(QRect(0, 0, Width, PanelHeight)),
                         palette().window());
        painter.fillRect(event->rect().intersected(QRect(0, PanelHeight, Width, Height)),
                         QColor(0x2a, 0x5d, 0x8f));
        if (event->rect().intersects(Cell)) {
            painter.fillRect(Cell, QColor::fromHsv(45 * frame_, 200, 220));
        }
    }

private:
    QTimer timer_;
    int frame_ = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    FloorWindow window;
    window.show();
    return QApplication::exec();
}
