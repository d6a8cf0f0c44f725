// The level editor's palette window: all 200 tiles at 24 pixels with a white
// cross on the selected one. It is given the sheet it draws from and the
// selection, and reports a click on a tile to whoever chose it.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class Teditform : public QWidget {
    Q_OBJECT
public:
    // sheet: gives the 24-pixel tile sheet, read when the palette is first
    // drawn; drawn from once it holds a picture, at its device pixel ratio;
    // selection: the tile the cross marks; picked: told the tile number of a
    // click on the palette, it makes that tile the selection.
    Teditform(QWidget* mainWindow, std::function<const QImage&()> sheet, const int& selection,
              std::function<void(int)> picked);

    void FormCreate();
    void FormPaint();
    // The 24 x 24 picture of tile n onto its cell; removes a cross there.
    void DrawPaletteCell(int n);
    // The white cross on the cell of the selection.
    void DrawSelectionCross();
    void FormMouseDown(Qt::MouseButton button, int x, int y);

    int TilesPerRow = 20;

    // What the window shows.
    const QImage& Canvas() const { return canvas_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QRect CellRect(int n) const;
    void Show(const QRect& cell);

    std::function<const QImage&()> sheet_;
    const int& selection_;
    std::function<void(int)> picked_;
    QImage canvas_;
    bool painted_ = false;
    bool inPaintEvent_ = false;
};
