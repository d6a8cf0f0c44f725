// The level editor's palette window: all 200 tiles at 24 pixels; a click
// chooses the tile that a left click on the board places.
#pragma once

#include <QImage>
#include <QWidget>

class TMainForm;

class Teditform : public QWidget {
    Q_OBJECT
public:
    explicit Teditform(TMainForm* mainForm);

    void FormCreate();
    void FormPaint();
    // The 24 x 24 picture of tile n onto its cell; removes a cross there.
    void DrawPaletteCell(int n);
    // The white cross on the cell of the palette selection.
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

    TMainForm* main_;
    QImage canvas_;
    bool painted_ = false;
    bool inPaintEvent_ = false;
};
