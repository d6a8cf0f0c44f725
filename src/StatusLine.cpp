#include "StatusLine.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace zk {

void DrawStatusText(QImage& surface, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    QPainter painter(&surface);
    painter.setFont(font);
    painter.setPen(QColor(236, 222, 180));
    const QRect inner = StatusStrip.adjusted(6, 0, -6, 0);
    const QString shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, inner.width());
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter, shown);
}

} // namespace zk
