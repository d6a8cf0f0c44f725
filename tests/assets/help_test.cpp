// The help documents: their topics (named anchors the viewer jumps to), what
// they explain in both languages, and the markup they are written from.
#include "AssetTestSupport.h"
#include "Help.h"

#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <set>

namespace {

std::set<QString> Anchors(const QTextDocument& doc) {
    std::set<QString> names;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            for (const QString& n : it.fragment().charFormat().anchorNames()) {
                names.insert(n);
            }
        }
        for (const QString& n : b.charFormat().anchorNames()) {
            names.insert(n);
        }
    }
    return names;
}

// The plain text of one topic: from its anchor to the next topic's.
QString TopicText(const QString& html, const QString& anchor, const QString& next) {
    const int from = html.indexOf(QStringLiteral("<a name=\"%1\">").arg(anchor));
    const int to =
        next.isEmpty() ? html.size() : html.indexOf(QStringLiteral("<a name=\"%1\">").arg(next));
    QTextDocument doc;
    doc.setHtml(html.mid(from, to - from));
    return doc.toPlainText();
}

TEST(Help, BothFilesAreHtmlWithTheirTopics) {
    for (const auto& [file, topics] :
         {std::pair{"ZKLV.HLP",
                    std::vector<QString>{QStringLiteral("Das_Spiel"), QStringLiteral("The_game")}},
          std::pair{"ZMRX.HLP", std::vector<QString>{QStringLiteral("Zanfor_Games_d"),
                                                     QStringLiteral("Zanfor_Games_e")}}}) {
        const QByteArray bytes = zk::test::ReadAll(zk::test::GameFile(file));
        ASSERT_FALSE(bytes.isEmpty()) << file;
        EXPECT_TRUE(bytes.startsWith("<!DOCTYPE html>")) << file;
        for (char c : bytes) {
            ASSERT_TRUE(static_cast<unsigned char>(c) < 128) << file << " is not plain ASCII";
        }
        QTextDocument doc;
        doc.setHtml(QString::fromUtf8(bytes));
        const std::set<QString> anchors = Anchors(doc);
        EXPECT_TRUE(anchors.count(QStringLiteral("contents"))) << file;
        for (const QString& t : topics) {
            EXPECT_TRUE(anchors.count(t)) << file << " lacks topic " << qPrintable(t);
            EXPECT_TRUE(bytes.contains(QStringLiteral("href=\"#%1\"").arg(t).toUtf8()))
                << "the contents do not link " << qPrintable(t);
        }
    }
}

TEST(Help, TheGameIsExplainedInBothLanguages) {
    const QString html = QString::fromUtf8(zk::test::ReadAll(zk::test::GameFile("ZKLV.HLP")));
    const QString de = TopicText(html, QStringLiteral("Das_Spiel"), QStringLiteral("The_game"));
    const QString en = TopicText(html, QStringLiteral("The_game"), QString());
    for (const char* word : {"held tile", "swap", "solved", "border", "Challenge mode",
                             "Practice mode", "Editor", "saved game", "progress", "Left button",
                             "Right button", "Insert", "Delete", "Save", "pipe", "rails", "band"}) {
        EXPECT_TRUE(en.contains(QString::fromUtf8(word), Qt::CaseInsensitive)) << word;
    }
    for (const char* word : {"gehaltene", "tauscht", "gelöst", "Rand", "Wettkampf", "Üben",
                             "Editor", "Spielstand", "gespeicherte", "Linke Taste", "Rechte Taste",
                             "Einfügen", "Löschen", "Speichern", "Rohr", "Schiene", "Band"}) {
        EXPECT_TRUE(de.contains(QString::fromUtf8(word), Qt::CaseInsensitive)) << word;
    }
}

TEST(Help, TheMakerIsPresentedInBothLanguages) {
    const QString html = QString::fromUtf8(zk::test::ReadAll(zk::test::GameFile("ZMRX.HLP")));
    const QString de =
        TopicText(html, QStringLiteral("Zanfor_Games_d"), QStringLiteral("Zanfor_Games_e"));
    const QString en = TopicText(html, QStringLiteral("Zanfor_Games_e"), QString());
    EXPECT_TRUE(de.contains(QStringLiteral("Zanfor Games")));
    EXPECT_TRUE(de.contains(QStringLiteral("Spiel")));
    EXPECT_TRUE(en.contains(QStringLiteral("Zanfor Games")));
    EXPECT_TRUE(en.contains(QStringLiteral("puzzle")));
    EXPECT_GT(de.size(), 600);
    EXPECT_GT(en.size(), 600);
}

TEST(Help, FilesAreBuiltFromTheSources) {
    for (const zk::art::HelpDocument& doc : zk::art::HelpDocuments()) {
        QString error;
        const std::string built =
            zk::art::BuildHelpDocument(doc, QStringLiteral(ZK_HELP_SOURCE_DIR), &error);
        ASSERT_FALSE(built.empty()) << qPrintable(error);
        const QByteArray onDisk = zk::test::ReadAll(zk::test::GameFile(qPrintable(doc.fileName)));
        EXPECT_EQ(QByteArray::fromStdString(built), onDisk) << qPrintable(doc.fileName);
    }
    QString error;
    zk::art::HelpDocument missing{QStringLiteral("X.HLP"),
                                  QStringLiteral("X"),
                                  {{QStringLiteral("A"), QStringLiteral("A"),
                                    QStringLiteral("nope.txt"), QStringLiteral("back")}}};
    EXPECT_TRUE(
        zk::art::BuildHelpDocument(missing, QStringLiteral(ZK_HELP_SOURCE_DIR), &error).empty());
    EXPECT_TRUE(error.contains(QStringLiteral("nope.txt")));
}

TEST(Help, MarkupBecomesHtml) {
    const QString html = zk::art::MarkupToHtml(
        QStringLiteral("## Title {#top}\n"
                       "A line\ncontinued, with **bold**, *slanted* and [a link](#top) & <tags>.\n"
                       "\n"
                       "- one\n"
                       "  still one\n"
                       "- two\n"
                       "| key | value |\n"
                       "Gr\u00FC\u00DFe\n"));
    EXPECT_TRUE(html.contains(QStringLiteral("<a name=\"top\"></a><h2>Title</h2>")));
    EXPECT_TRUE(html.contains(QStringLiteral(
        "<p>A line continued, with <b>bold</b>, <i>slanted</i> and <a href=\"#top\">a link</a> "
        "&amp; &lt;tags&gt;.</p>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<ul>\n<li>one still one</li>\n<li>two</li>\n</ul>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<tr><td class=\"key\">key</td><td>value</td></tr>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<p>Gr&#252;&#223;e</p>")));
}

} // namespace
