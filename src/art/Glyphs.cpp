// The glyphs of the dialogs' buttons and lists, and the table of every
// compiled-in picture.
#include "art/Glyphs.h"

#include "art/GlyphArt.h"

namespace zk::art {

void DrawFolder(QPainter& p, bool open, double scale) {
    p.save();
    p.scale(scale, scale);
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6.0, 3.5);
    back.lineTo(7.5, 5.0);
    back.lineTo(14.5, 5.0);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    Outlined(p, back, Down(3, 14, Rgb(0xE8B84A), Rgb(0xA8741A)), Rgb(0x5A3A08), 0.8);
    if (open) {
        p.setPen(QPen(Rgb(0xB8BEC8), 0.5));
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(QRectF(3.0, 4.6, 9.5, 6.0));
        QPainterPath front;
        front.moveTo(1.5, 13.5);
        front.lineTo(4.0, 7.5);
        front.lineTo(16.0, 7.5);
        front.lineTo(13.5, 13.5);
        front.closeSubpath();
        Outlined(p, front, Down(7, 14, Rgb(0xFFE08A), Rgb(0xE0A030)), Rgb(0x5A3A08), 0.8);
    } else {
        QPainterPath front;
        front.addRect(QRectF(1.5, 6.5, 13, 7));
        Outlined(p, front, Down(6, 14, Rgb(0xFFD870), Rgb(0xD89A2A)), Rgb(0x5A3A08), 0.8);
        p.setPen(QPen(QColor(255, 255, 255, 120), 0.6));
        p.drawLine(QPointF(2.4, 7.4), QPointF(13.6, 7.4));
    }
    p.restore();
}

void DrawCheck(QPainter& p) {
    QPainterPath tick;
    tick.moveTo(2.0, 9.6);
    tick.lineTo(4.8, 7.0);
    tick.lineTo(7.4, 10.0);
    tick.lineTo(14.4, 2.6);
    tick.lineTo(16.6, 5.0);
    tick.lineTo(7.4, 15.2);
    tick.closeSubpath();
    Outlined(p, tick, Down(2, 15, Rgb(0x8AF07A), Rgb(0x149A1E)), Rgb(0x0A4A0E), 0.9);
}

void DrawCross(QPainter& p) {
    QPainterPath cross;
    QPainterPath bar;
    bar.addRoundedRect(QRectF(-7, -1.6, 14, 3.2), 1.0, 1.0);
    for (double a : {45.0, -45.0}) {
        QTransform t;
        t.translate(9, 9);
        t.rotate(a);
        cross = cross.united(t.map(bar));
    }
    Outlined(p, cross, Down(2, 16, Rgb(0xFF8A7A), Rgb(0xC0100C)), Rgb(0x5A0604), 0.9);
}

void DrawNewFolder(QPainter& p) {
    p.translate(0, 1.5);
    DrawFolder(p, false);
    p.translate(0, -1.5);
    p.setPen(QPen(Rgb(0x8A5A00), 0.7));
    p.setBrush(Rgb(0xFFE23A));
    p.drawPath(Star(QPointF(12.2, 4.0), 5, 3.9, 1.7, 0));
}

void DrawDrive(QPainter& p) {
    QPainterPath top;
    top.moveTo(3.0, 4.5);
    top.lineTo(13.0, 4.5);
    top.lineTo(15.0, 8.0);
    top.lineTo(1.0, 8.0);
    top.closeSubpath();
    Outlined(p, top, Down(4, 8, Rgb(0xF0F2F6), Rgb(0xB8BEC8)), Rgb(0x3A3F48), 0.8);
    QPainterPath body;
    body.addRect(QRectF(1.0, 8.0, 14, 4.5));
    Outlined(p, body, Down(8, 12.5, Rgb(0xA8AFBA), Rgb(0x6A717C)), Rgb(0x3A3F48), 0.8);
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(0x3ADA3A));
    p.drawRect(QRectF(11.4, 9.6, 2.0, 1.4));
    p.setBrush(Rgb(0x4A505A));
    p.drawRect(QRectF(2.6, 9.8, 6.0, 1.0));
}

void DrawBubble(QPainter& p) {
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1.5, 2.0, 15, 10.5), 4.0, 4.0);
    QPainterPath tail;
    tail.moveTo(4.5, 11.0);
    tail.lineTo(3.8, 16.4);
    tail.lineTo(9.0, 11.0);
    tail.closeSubpath();
    Outlined(p, bubble.united(tail), Down(2, 16, Rgb(0xFFFFFF), Rgb(0xD4E4F8)), Rgb(0x2A4A8A), 1.0);
    p.setPen(QPen(Rgb(0x2A6ACC), 1.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.6, 5.6), QPointF(13.4, 5.6));
    p.drawLine(QPointF(4.6, 8.6), QPointF(10.8, 8.6));
}

namespace {

// A glyph button's picture: its size, whether a greyed, embossed copy for
// the disabled button follows it on the right, and its drawing.
struct GlyphSpec {
    const char* name;
    int width;
    int height;
    bool disabledLook;
    void (*draw)(QPainter& p);
};

// In the order of the resource list.
const GlyphSpec GlyphTable[] = {
    {"InsertBtn.png", 16, 16, true, DrawInsert},
    {"NewGameBtn.png", 18, 18, false, DrawBomb},
    {"RestartBtn.png", 18, 18, true, DrawRestart},
    {"DeleteBtn.png", 20, 20, true, DrawScissors},
    {"LoadBtn.png", 18, 18, true, [](QPainter& p) { DrawFloppy(p, true); }},
    {"SaveBtn.png", 18, 18, true, [](QPainter& p) { DrawFloppy(p, false); }},
    {"SoundBtn.png", 16, 16, true, DrawSpeaker},
    {"OptionBtn.png", 18, 18, false, DrawKnight},
    {"ExitBtn.png", 18, 18, false, DrawDoor},
    {"sDownBtn.png", 15, 15, true, [](QPainter& p) { DrawTriangle(p, false); }},
    {"sUpBtn.png", 15, 15, true, [](QPainter& p) { DrawTriangle(p, true); }},
    {"RulesBtn.png", 18, 18, false, DrawRules},
    {"InfoBtn.png", 18, 18, false, DrawInfo},
    {"ZanforBtn.png", 26, 20, false, [](QPainter& p) { DrawMascot(p, QPointF(13, 12.2), 6.8); }},
    {"OKBtn.png", 18, 18, true, DrawCheck},
    {"CancelBtn.png", 18, 18, true, DrawCross},
    {"newpathbtn.png", 16, 16, true, DrawNewFolder},
    {"TongBtn.png", 18, 18, true, DrawBubble},
    {"folder_closed.png", 16, 16, false, [](QPainter& p) { DrawFolder(p, false); }},
    {"folder_open.png", 16, 16, false, [](QPainter& p) { DrawFolder(p, true); }},
    {"drive.png", 16, 16, false, DrawDrive},
};

QImage GlyphImage(const GlyphSpec& g, double scale) {
    const QImage glyph = Render(g.width, g.height, scale, g.draw, 4);
    return g.disabledLook ? SideBySide(glyph, DisabledLook(glyph, scale)) : glyph;
}

} // namespace

namespace {

// One compiled-in picture: its name and how it is drawn at a scale.
struct PictureRow {
    QString name;
    std::function<QImage(double)> draw;
    bool everyScale = true; // false: drawn for its pixel size alone
};

// The one list of the compiled-in pictures, in the resource file's order.
const std::vector<PictureRow>& PictureTable() {
    static const std::vector<PictureRow> table = [] {
        std::vector<PictureRow> all;
        all.push_back({QStringLiteral("numbs1.png"), DigitStrip});
        for (const GlyphSpec& g : GlyphTable) {
            all.push_back(
                {QString::fromLatin1(g.name), [&g](double scale) { return GlyphImage(g, scale); }});
        }
        all.push_back({QStringLiteral("flag_en.png"), FlagsEnglish});
        all.push_back({QStringLiteral("flag_de.png"), FlagsGerman});
        // The window icon comes in sizes from 16 to 256 pixels, each drawn for
        // its pixel size; a larger scale picks a larger size instead.
        for (int size : IconSizes) {
            all.push_back({QStringLiteral("icon%1.png").arg(size),
                           [size](double) { return Icon(size); }, false});
        }
        all.push_back({QStringLiteral("logo.png"), Logo});
        return all;
    }();
    return table;
}

} // namespace

std::vector<NamedPicture> ResourcePictures(double scale) {
    std::vector<NamedPicture> out;
    for (const PictureRow& row : PictureTable()) {
        if (scale == 1 || row.everyScale) {
            out.push_back({row.name, row.draw(scale)});
        }
    }
    return out;
}

std::vector<QString> ResourceNames(double scale) {
    std::vector<QString> names;
    for (const PictureRow& row : PictureTable()) {
        if (scale == 1 || row.everyScale) {
            names.push_back(row.name);
        }
    }
    return names;
}

} // namespace zk::art
