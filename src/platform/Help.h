// The help viewer: one window with the help files as HTML documents under
// their fixed names; topics are named anchors.
#pragma once

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QTextBrowser>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace zk::platform {

// A help file larger than this, or one whose HTML nests deeper, is not shown:
// a damaged file must not hold the game up while it is laid out.
inline constexpr qint64 MaxHelpFileSize = 2 * 1024 * 1024;
inline constexpr int MaxHelpNesting = 32;

// How deep the elements of an HTML text nest, counted up to limit + 1 at
// most. Elements without content (br, img, ...) do not count; elements the
// HTML rules close without an end tag (p, li, td, ...) end where the next of
// their kind starts; comments and the content of style and script are skipped.
int HtmlNestingDepth(std::string_view html, int limit = MaxHelpNesting);

// Whether bytes read from a help file may be shown.
bool IsShowableHelp(const QByteArray& bytes);

// The bytes of a file the help viewer reads: a regular file of at most
// MaxHelpFileSize bytes; HTML also nests at most MaxHelpNesting deep.
// nullopt for anything else, as for a missing file.
std::optional<QByteArray> ReadHelpResource(const QString& path, bool html);

class HelpService {
public:
    virtual ~HelpService() = default;
    // Closes the viewer.
    virtual void Quit() = 0;
    // Opens a help file at its contents. False when it cannot be opened; the
    // viewer is then left as it was.
    virtual bool OpenContents(const std::string& file) = 0;
    // Jumps to a topic of the open help file.
    virtual void JumpToTopic(const std::string& topic) = 0;
};

class HelpViewer : public HelpService {
public:
    // owner: the window the viewer is placed beside when it first opens.
    explicit HelpViewer(QWidget* owner = nullptr);
    ~HelpViewer() override;
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    void Quit() override;
    bool OpenContents(const std::string& file) override;
    void JumpToTopic(const std::string& topic) override;

    // What the viewer shows, for whoever wants to look.
    bool IsOpen() const;
    QString CurrentFile() const { return file_; }
    QString CurrentTopic() const { return topic_; }
    QWidget* Window() const { return window_; }
    QTextBrowser* Browser() const { return browser_; }

private:
    void CreateWindow();

    QPointer<QWidget> owner_;
    QPointer<QWidget> window_;
    QPointer<QTextBrowser> browser_;
    QString file_;
    QString topic_;
    bool placed_ = false;
};

} // namespace zk::platform
