// The help viewer: one window with the help files as HTML documents under
// their fixed names; topics are named anchors.
#pragma once

#include <QPointer>
#include <QString>
#include <QTextBrowser>
#include <string>

class QWidget;

namespace zk::platform {

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
