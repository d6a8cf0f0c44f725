// The two help documents, "ZKLV.HLP" (the game) and "ZMRX.HLP" (the maker),
// written as HTML from the text sources in data/help/. The help viewer opens
// a document at its contents and jumps to a topic, a named anchor.
//
// The sources use a small markup: "# ", "## " and "### " start headings
// (an optional "{#name}" at the end gives the heading an anchor), "- " starts
// a list item, "| a | b |" lines form a table, a blank line ends a paragraph;
// inside text, **bold**, *emphasis* and [text](#anchor) links.
#pragma once

#include <QString>

#include <string>
#include <vector>

namespace zk::art {

// One language section of a help document.
struct HelpTopic {
    QString anchor;     // the topic name the program jumps to, e.g. "The_game"
    QString label;      // its entry in the contents, e.g. "English"
    QString sourceFile; // file name in the help source directory
    QString backLabel;  // the link back to the contents, in the topic's language
};

struct HelpDocument {
    QString fileName; // "ZKLV.HLP"
    QString title;
    std::vector<HelpTopic> topics;
};

// The two documents the program opens.
std::vector<HelpDocument> HelpDocuments();

// Converts marked-up text to an HTML fragment. Characters beyond ASCII are
// written as numeric character references, so the result is plain ASCII.
QString MarkupToHtml(const QString& text);

// Builds the whole document from the sources in sourceDir. On a missing or
// unreadable source, returns an empty string and sets error.
std::string BuildHelpDocument(const HelpDocument& doc, const QString& sourceDir, QString* error);

} // namespace zk::art
