#include "Help.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace zk::art {
namespace {

QString Escape(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case '&':
            out += QStringLiteral("&amp;");
            break;
        case '<':
            out += QStringLiteral("&lt;");
            break;
        case '>':
            out += QStringLiteral("&gt;");
            break;
        case '"':
            out += QStringLiteral("&quot;");
            break;
        default:
            if (ch.unicode() > 126) {
                out += QStringLiteral("&#%1;").arg(ch.unicode());
            } else {
                out += ch;
            }
        }
    }
    return out;
}

// Inline markup: escaping first, then bold, emphasis and links.
QString Inline(const QString& text) {
    QString html = Escape(text);
    static const QRegularExpression bold(QStringLiteral("\\*\\*(.+?)\\*\\*"));
    static const QRegularExpression emphasis(QStringLiteral("\\*(.+?)\\*"));
    static const QRegularExpression link(QStringLiteral("\\[(.+?)\\]\\((#[A-Za-z0-9_]+)\\)"));
    html.replace(bold, QStringLiteral("<b>\\1</b>"));
    html.replace(emphasis, QStringLiteral("<i>\\1</i>"));
    html.replace(link, QStringLiteral("<a href=\"\\2\">\\1</a>"));
    return html;
}

QString Heading(const QString& line) {
    int level = 0;
    while (level < line.size() && line[level] == QLatin1Char('#')) {
        ++level;
    }
    QString text = line.mid(level).trimmed();
    QString anchor;
    static const QRegularExpression id(QStringLiteral("\\s*\\{#([A-Za-z0-9_]+)\\}$"));
    const QRegularExpressionMatch m = id.match(text);
    if (m.hasMatch()) {
        anchor = m.captured(1);
        text = text.left(m.capturedStart());
    }
    const QString tag = QStringLiteral("h%1").arg(level); // "#" is kept for the document title
    QString out;
    if (!anchor.isEmpty()) {
        out += QStringLiteral("<a name=\"%1\"></a>").arg(anchor);
    }
    out += QStringLiteral("<%1>%2</%1>\n").arg(tag, Inline(text));
    return out;
}

} // namespace

std::vector<HelpDocument> HelpDocuments() {
    return {
        {QStringLiteral("ZKLV.HLP"),
         QStringLiteral("Zanfor Kelva \u2013 Hilfe / Help"),
         {{QStringLiteral("Das_Spiel"), QStringLiteral("Das Spiel (Deutsch)"),
           QStringLiteral("zklv.de.txt"), QStringLiteral("Inhalt")},
          {QStringLiteral("The_game"), QStringLiteral("The game (English)"),
           QStringLiteral("zklv.en.txt"), QStringLiteral("Contents")}}},
        {QStringLiteral("ZMRX.HLP"),
         QStringLiteral("Zanfor Games"),
         {{QStringLiteral("Zanfor_Games_d"), QStringLiteral("Zanfor Games (Deutsch)"),
           QStringLiteral("zmrx.de.txt"), QStringLiteral("Inhalt")},
          {QStringLiteral("Zanfor_Games_e"), QStringLiteral("Zanfor Games (English)"),
           QStringLiteral("zmrx.en.txt"), QStringLiteral("Contents")}}},
    };
}

QString MarkupToHtml(const QString& text) {
    QString out;
    QStringList paragraph;
    bool inList = false;
    bool inTable = false;
    auto flushParagraph = [&] {
        if (!paragraph.isEmpty()) {
            out += QStringLiteral("<p>%1</p>\n").arg(Inline(paragraph.join(QLatin1Char(' '))));
            paragraph.clear();
        }
    };
    auto closeBlocks = [&] {
        flushParagraph();
        if (inList) {
            out += QStringLiteral("</ul>\n");
            inList = false;
        }
        if (inTable) {
            out += QStringLiteral("</table>\n");
            inTable = false;
        }
    };
    QString pendingItem;
    auto flushItem = [&] {
        if (!pendingItem.isEmpty()) {
            out += QStringLiteral("<li>%1</li>\n").arg(Inline(pendingItem));
            pendingItem.clear();
        }
    };
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line.remove(QLatin1Char('\r'));
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty()) {
            flushItem();
            closeBlocks();
            continue;
        }
        if (trimmed.startsWith(QLatin1Char('#'))) {
            flushItem();
            closeBlocks();
            out += Heading(trimmed);
            continue;
        }
        if (trimmed.startsWith(QStringLiteral("- "))) {
            flushItem();
            if (!inList) {
                closeBlocks();
                out += QStringLiteral("<ul>\n");
                inList = true;
            }
            pendingItem = trimmed.mid(2).trimmed();
            continue;
        }
        if (trimmed.startsWith(QLatin1Char('|'))) {
            flushItem();
            if (!inTable) {
                closeBlocks();
                out += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"4\">\n");
                inTable = true;
            }
            QStringList cells = trimmed.split(QLatin1Char('|'));
            cells.removeFirst();
            if (!cells.isEmpty() && cells.last().trimmed().isEmpty()) {
                cells.removeLast();
            }
            out += QStringLiteral("<tr>");
            for (int i = 0; i < cells.size(); ++i) {
                const QString cell = Inline(cells[i].trimmed());
                out += i == 0 ? QStringLiteral("<td class=\"key\">%1</td>").arg(cell)
                              : QStringLiteral("<td>%1</td>").arg(cell);
            }
            out += QStringLiteral("</tr>\n");
            continue;
        }
        if (inList &&
            (line.startsWith(QStringLiteral("  ")) || line.startsWith(QLatin1Char('\t')))) {
            pendingItem += QLatin1Char(' ') + trimmed; // continuation of a list item
            continue;
        }
        flushItem();
        if (inList || inTable) {
            closeBlocks();
        }
        paragraph << trimmed;
    }
    flushItem();
    closeBlocks();
    return out;
}

std::string BuildHelpDocument(const HelpDocument& doc, const QString& sourceDir, QString* error) {
    QString html;
    html += QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n");
    html += QStringLiteral("<title>%1</title>\n").arg(Escape(doc.title));
    html += QStringLiteral(
        "<style>\n"
        "body { font-family: 'DejaVu Sans', sans-serif; color: #1c1f26; background: #fbf8f1; }\n"
        "h1 { color: #3a2a6a; }\n"
        "h2 { color: #3a2a6a; border-bottom: 1px solid #c8b88a; }\n"
        "h3 { color: #6a4a10; }\n"
        "td.key { font-weight: bold; white-space: nowrap; }\n"
        "td { vertical-align: top; }\n"
        "p.nav { font-size: small; }\n"
        "</style>\n</head>\n<body>\n");
    html += QStringLiteral("<a name=\"contents\"></a>\n<h1>%1</h1>\n").arg(Escape(doc.title));
    html += QStringLiteral("<ul>\n");
    for (const HelpTopic& topic : doc.topics) {
        html += QStringLiteral("<li><a href=\"#%1\">%2</a></li>\n")
                    .arg(topic.anchor, Escape(topic.label));
    }
    html += QStringLiteral("</ul>\n");
    for (const HelpTopic& topic : doc.topics) {
        QFile file(sourceDir + QLatin1Char('/') + topic.sourceFile);
        if (!file.open(QIODevice::ReadOnly)) {
            if (error != nullptr) {
                *error =
                    QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString());
            }
            return {};
        }
        const QString source = QString::fromUtf8(file.readAll());
        html += QStringLiteral("<hr>\n<a name=\"%1\"></a>\n").arg(topic.anchor);
        html += MarkupToHtml(source);
        html += QStringLiteral("<p class=\"nav\"><a href=\"#contents\">&#8593; %1</a></p>\n")
                    .arg(Escape(topic.backLabel));
    }
    html += QStringLiteral("</body>\n</html>\n");
    const QByteArray bytes = html.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace zk::art
