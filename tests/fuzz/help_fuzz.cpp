// The help files as the viewer reads them: any bytes. The nesting count ends
// for any input and agrees with itself under a lower limit; a file the
// checks refuse nests too deep or weighs too much; a file they accept is laid
// out as the viewer lays it out, within the run's time limit, so no damaged
// help file holds the game up.
#include <QAbstractTextDocumentLayout>
#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdlib>

#include "FuzzSupport.h"
#include "platform/HelpFiles.h"

using namespace zk;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::string_view html(bytes.constData(), size);
    const int depth = platform::HtmlNestingDepth(html);
    ZK_REQUIRE(depth >= 0 && depth <= platform::MaxHelpNesting + 1);
    ZK_REQUIRE(platform::HtmlNestingDepth(html, 3) == std::min(depth, 4));
    if (!platform::IsShowableHelp(bytes)) {
        ZK_REQUIRE(depth > platform::MaxHelpNesting ||
                   platform::HelpFrameWeight(bytes) > platform::MaxHelpFrameWeight);
        return 0;
    }
    QTextDocument document;
    document.setHtml(QString::fromUtf8(bytes));
    document.setTextWidth(580);
    ZK_REQUIRE(document.documentLayout()->documentSize().width() >= 0);
    return 0;
}
