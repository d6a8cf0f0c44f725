#include "platform/HelpFiles.h"

#include <QFile>
#include <QTextDocument>
#include <QTextFrame>
#include <QVariant>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "files/AtomicFile.h"

namespace zk::platform {

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Elements that never have content.
bool IsVoid(std::string_view name) {
    return IsOneOf(name, {"area", "base", "br", "col", "embed", "hr", "img", "input", "link",
                          "meta", "param", "source", "track", "wbr"});
}

// Elements whose content is text up to their end tag. (The viewer lays out
// what a textarea holds as any other markup.)
bool IsRawText(std::string_view name) {
    return IsOneOf(name, {"script", "style", "title"});
}

// Closes what the start of `name` ends without an end tag: a paragraph
// before a block, a list item before the next, a cell before the next cell
// or row, a row before the next row or table section.
void CloseImplied(std::vector<std::string>& open, std::string_view name) {
    auto topIs = [&open](std::initializer_list<std::string_view> names) {
        return !open.empty() && IsOneOf(open.back(), names);
    };
    if (IsOneOf(name, {"p", "div", "ul", "ol", "dl", "table", "h1", "h2", "h3", "h4", "h5", "h6",
                       "pre", "blockquote", "address", "center", "form"}) &&
        topIs({"p"})) {
        open.pop_back();
    }
    if (name == "li" && topIs({"li"})) {
        open.pop_back();
    }
    if (IsOneOf(name, {"dt", "dd"}) && topIs({"dt", "dd"})) {
        open.pop_back();
    }
    if (name == "option" && topIs({"option"})) {
        open.pop_back();
    }
    if (IsOneOf(name, {"td", "th", "tr", "thead", "tbody", "tfoot"}) && topIs({"td", "th"})) {
        open.pop_back();
    }
    if (IsOneOf(name, {"tr", "thead", "tbody", "tfoot"}) && topIs({"tr"})) {
        open.pop_back();
    }
    if (IsOneOf(name, {"thead", "tbody", "tfoot"}) && topIs({"thead", "tbody", "tfoot"})) {
        open.pop_back();
    }
}

// Where the end tag of a raw-text element starts, letter case ignored.
std::size_t FindEndTag(std::string_view html, std::size_t from, std::string_view name) {
    for (std::size_t at = html.find("</", from); at != std::string_view::npos;
         at = html.find("</", at + 2)) {
        std::size_t k = 0;
        while (k < name.size() && at + 2 + k < html.size() && Lower(html[at + 2 + k]) == name[k]) {
            ++k;
        }
        if (k == name.size()) {
            return at;
        }
    }
    return std::string_view::npos;
}

// A document that reads nothing the HTML refers to (style sheets, pictures):
// the check must not read what the viewer would refuse.
class ReadNothingDocument : public QTextDocument {
protected:
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

// What the frames inside frame weigh, those directly inside it at the given
// depth; above budget, budget + 1.
int FrameWeight(const QTextFrame* frame, int depth, int budget) {
    int weight = 0;
    for (const QTextFrame* child : frame->childFrames()) {
        if (depth >= 30) {
            return budget + 1;
        }
        weight += 1 << depth;
        if (weight > budget) {
            return budget + 1;
        }
        weight += FrameWeight(child, depth + 1, budget - weight);
        if (weight > budget) {
            return budget + 1;
        }
    }
    return weight;
}

} // namespace

int HelpFrameWeight(const QByteArray& html, int limit) {
    ReadNothingDocument document;
    document.setHtml(QString::fromUtf8(html));
    return FrameWeight(document.rootFrame(), 1, limit);
}

int HtmlNestingDepth(std::string_view html, int limit) {
    std::vector<std::string> open;
    int deepest = 0;
    std::size_t i = 0;
    while ((i = html.find('<', i)) != std::string_view::npos) {
        if (html.substr(i, 4) == "<!--") {
            const std::size_t end = html.find("-->", i + 4);
            if (end == std::string_view::npos) {
                break;
            }
            i = end + 3;
            continue;
        }
        if (i + 1 < html.size() && (html[i + 1] == '!' || html[i + 1] == '?')) {
            const std::size_t end = html.find('>', i);
            if (end == std::string_view::npos) {
                break;
            }
            i = end + 1;
            continue;
        }
        const bool closing = i + 1 < html.size() && html[i + 1] == '/';
        const std::size_t start = i + 1 + (closing ? 1 : 0);
        std::size_t p = start;
        while (p < html.size() && IsNameChar(html[p])) {
            ++p;
        }
        if (p == start) {
            ++i; // a "<" that starts no tag is text
            continue;
        }
        std::string name(html.substr(start, p - start));
        std::transform(name.begin(), name.end(), name.begin(), Lower);
        // The tag ends at the first ">" outside quotes.
        char quote = 0;
        std::size_t q = p;
        for (; q < html.size(); ++q) {
            const char c = html[q];
            if (quote != 0) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                break;
            }
        }
        if (q >= html.size()) {
            break;
        }
        const bool selfClosing = html[q - 1] == '/';
        i = q + 1;
        if (closing) {
            const auto match = std::find(open.rbegin(), open.rend(), name);
            if (match != open.rend()) {
                open.erase(std::prev(match.base()), open.end());
            }
            continue;
        }
        if (IsVoid(name) || selfClosing) {
            continue;
        }
        CloseImplied(open, name);
        open.push_back(name);
        deepest = std::max(deepest, static_cast<int>(open.size()));
        if (deepest > limit) {
            return limit + 1;
        }
        if (IsRawText(name)) {
            const std::size_t end = FindEndTag(html, i, name);
            if (end == std::string_view::npos) {
                break;
            }
            i = end;
        }
    }
    return deepest;
}

bool IsShowableHelp(const QByteArray& bytes) {
    return bytes.size() <= MaxHelpFileSize &&
           HtmlNestingDepth(std::string_view(
               bytes.constData(), static_cast<std::size_t>(bytes.size()))) <= MaxHelpNesting &&
           HelpFrameWeight(bytes) <= MaxHelpFrameWeight;
}

std::optional<QByteArray> ReadHelpResource(const QString& path, bool html) {
    const auto read = files::ReadFilePrefix(QFile::encodeName(path).toStdString(),
                                            static_cast<std::size_t>(MaxHelpFileSize) + 1);
    if (!read.opened || read.failed ||
        read.bytes.size() > static_cast<std::size_t>(MaxHelpFileSize)) {
        return std::nullopt;
    }
    QByteArray bytes(reinterpret_cast<const char*>(read.bytes.data()),
                     static_cast<qsizetype>(read.bytes.size()));
    if (html && !IsShowableHelp(bytes)) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace zk::platform
