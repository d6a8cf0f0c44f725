#include "platform/Help.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/HelpFiles.h"
#include "platform/Pictures.h"
#include "platform/Placement.h"

namespace zk::platform {

namespace {

// A text browser that reads every file through the help file's checks.
class CheckedBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        if (!name.isLocalFile()) {
            return QTextBrowser::loadResource(type, name);
        }
        const auto bytes =
            ReadHelpResource(name.toLocalFile(), type == QTextDocument::HtmlResource);
        return bytes ? QVariant(*bytes) : QVariant();
    }
};

} // namespace

HelpViewer::HelpViewer(QWidget* owner) : owner_(owner) {}

HelpViewer::~HelpViewer() {
    delete window_;
}

void HelpViewer::CreateWindow() {
    if (window_) {
        return;
    }
    window_ = new QWidget(owner_, Qt::Window);
    window_->setObjectName(QStringLiteral("HelpViewer"));
    window_->setWindowIcon(WindowIcon());
    window_->resize(600, 500);
    auto* layout = new QVBoxLayout(window_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* tools = new QToolBar(window_);
    tools->setIconSize(QSize(16, 16));
    browser_ = new CheckedBrowser(window_);
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);
    const QStyle* style = window_->style();
    QAction* back = tools->addAction(style->standardIcon(QStyle::SP_ArrowBack), QString(), browser_,
                                     &QTextBrowser::backward);
    QAction* forward = tools->addAction(style->standardIcon(QStyle::SP_ArrowForward), QString(),
                                        browser_, &QTextBrowser::forward);
    tools->addAction(style->standardIcon(QStyle::SP_DirHomeIcon), QString(), browser_,
                     &QTextBrowser::home);
    back->setEnabled(false);
    forward->setEnabled(false);
    QObject::connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QObject::connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    QObject::connect(browser_, &QTextBrowser::sourceChanged, window_, [this] {
        const QString title = browser_->documentTitle();
        window_->setWindowTitle(title.isEmpty() ? QFileInfo(file_).fileName() : title);
    });
    layout->addWidget(tools);
    layout->addWidget(browser_);
}

void HelpViewer::Quit() {
    if (window_) {
        window_->hide();
    }
    file_.clear();
    topic_.clear();
}

bool HelpViewer::OpenContents(const std::string& file) {
    const QString path = QString::fromStdString(file);
    // A file that is too large or nests too deep shows nothing, as a missing one.
    if (!ReadHelpResource(path, true)) {
        return false;
    }
    CreateWindow();
    browser_->clearHistory();
    browser_->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()),
                        QTextDocument::HtmlResource);
    file_ = path;
    topic_.clear();
    if (!placed_ && owner_) {
        // Beside the owner the first time, where it covers the owner least;
        // afterwards where the player put it.
        window_->winId();
        const QScreen* screen =
            owner_->screen() ? owner_->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            window_->move(PlaceBeside(owner_->frameGeometry(), window_->frameGeometry().size(),
                                      screen->availableGeometry()));
        }
        placed_ = true;
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    return true;
}

void HelpViewer::JumpToTopic(const std::string& topic) {
    if (!browser_ || file_.isEmpty()) {
        return;
    }
    topic_ = QString::fromStdString(topic);
    // Same document, another place: the browser scrolls and keeps a history.
    QUrl url = QUrl::fromLocalFile(QFileInfo(file_).absoluteFilePath());
    url.setFragment(topic_);
    browser_->setSource(url, QTextDocument::HtmlResource);
}

bool HelpViewer::IsOpen() const {
    return window_ && window_->isVisible();
}

} // namespace zk::platform
