#include "platform/FileLists.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShowEvent>
#include <QStorageInfo>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <algorithm>

#include "platform/Controls.h"
#include "platform/Pictures.h"

namespace zk::platform {

namespace {

constexpr int LevelRole = Qt::UserRole + 1;
constexpr int PathRole = Qt::UserRole + 2;
constexpr int IndentPerLevel = 7;

// Items of a fixed height, indented by their level.
class ListDelegate : public QStyledItemDelegate {
public:
    ListDelegate(QObject* parent, int height) : QStyledItemDelegate(parent), height_(height) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(height_);
        size.setWidth(size.width() + index.data(LevelRole).toInt() * IndentPerLevel);
        return size;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + index.data(LevelRole).toInt() * IndentPerLevel);
        QStyledItemDelegate::paint(painter, indented, index);
    }

private:
    int height_;
};

QString CleanDirectory(const QString& directory) {
    return QDir::cleanPath(QFileInfo(directory).absoluteFilePath());
}

bool NameLess(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

QString JoinDirectory(const QString& directory, const QString& name) {
    return directory.endsWith(QLatin1Char('/')) ? directory + name
                                                : directory + QLatin1Char('/') + name;
}

bool Contains(const QString& root, const QString& directory) {
    if (root == QLatin1String("/")) {
        return directory.startsWith(QLatin1Char('/'));
    }
    return directory == root || directory.startsWith(root + QLatin1Char('/'));
}

} // namespace

// ---------------------------------------------------------------- drives

TDriveComboBox::TDriveComboBox(QWidget* parent, const QString& name) : QComboBox(parent) {
    setObjectName(name);
    setIconSize(QSize(16, 16));
    Refresh();
    connect(this, qOverload<int>(&QComboBox::activated), this, &TDriveComboBox::Chosen);
}

QStringList TDriveComboBox::ListDrives() {
    QStringList drives{QStringLiteral("/")};
    const QString home = CleanDirectory(QDir::homePath());
    if (!home.isEmpty() && home != QLatin1String("/")) {
        drives << home;
    }
    static const QStringList systemTops{"boot", "dev",  "efi", "etc",  "proc", "run",
                                        "snap", "sys",  "tmp", "usr",  "var",  "opt",
                                        "bin",  "sbin", "lib", "lib64"};
    QStringList volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) {
            continue;
        }
        const QString root = CleanDirectory(volume.rootPath());
        if (root == QLatin1String("/") || drives.contains(root) || volumes.contains(root) ||
            !QFileInfo(root).isDir()) {
            continue;
        }
        const bool removable = root.startsWith(QLatin1String("/media/")) ||
                               root.startsWith(QLatin1String("/mnt/")) ||
                               root.startsWith(QLatin1String("/run/media/"));
        const QString device = QString::fromLocal8Bit(volume.device());
        const QString top = root.section(QLatin1Char('/'), 1, 1);
        const bool disk = device.startsWith(QLatin1String("/dev/")) &&
                          !device.startsWith(QLatin1String("/dev/loop")) &&
                          !systemTops.contains(top);
        if (removable || disk) {
            volumes << root;
        }
    }
    std::sort(volumes.begin(), volumes.end(), NameLess);
    return drives + volumes;
}

QString TDriveComboBox::DriveOf(const QStringList& drives, const QString& directory) {
    QString best;
    for (const QString& root : drives) {
        if (Contains(root, directory) && root.size() > best.size()) {
            best = root;
        }
    }
    return best;
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list) {
    dirList_ = list;
    if (list) {
        list->SetDriveCombo(this);
        ShowDriveOf(list->Directory());
    }
}

void TDriveComboBox::Refresh() {
    const QString shown = Drive();
    const QIcon icon(Picture(QStringLiteral("drive.png")));
    clear();
    for (const QString& root : ListDrives()) {
        addItem(icon, root, root);
    }
    const int index = findData(shown);
    setCurrentIndex(index >= 0 ? index : 0);
}

QString TDriveComboBox::Drive() const {
    return currentData().toString();
}

void TDriveComboBox::ShowDriveOf(const QString& directory) {
    QStringList drives;
    for (int i = 0; i < count(); ++i) {
        drives << itemData(i).toString();
    }
    const int index = findData(DriveOf(drives, directory));
    if (index >= 0) {
        setCurrentIndex(index);
    }
}

void TDriveComboBox::Chosen(int index) {
    const QString root = itemData(index).toString();
    if (!dirList_) {
        return;
    }
    if (!dirList_->SetDirectory(root)) {
        // The volume has gone: stay where the lists are.
        QApplication::beep();
        Refresh();
        ShowDriveOf(dirList_->Directory());
    }
}

// ---------------------------------------------------------------- directories

TDirectoryListBox::TDirectoryListBox(QWidget* parent, const QString& name)
    : QListWidget(parent), directory_(CleanDirectory(QDir::currentPath())) {
    setObjectName(name);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new ListDelegate(this, 16));
    setUniformItemSizes(true);
    setIconSize(QSize(16, 16));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { OpenEntry(row(item)); });
    Fill();
}

void TDirectoryListBox::SetFileList(TFileListBox* list) {
    fileList_ = list;
    if (list) {
        list->SetDirList(this);
        list->SetDirectory(directory_);
    }
}

void TDirectoryListBox::SetDriveCombo(TDriveComboBox* combo) {
    driveCombo_ = combo;
}

bool TDirectoryListBox::SetDirectory(const QString& directory) {
    if (directory.isEmpty() || !QFileInfo(directory).isDir()) {
        return false;
    }
    directory_ = CleanDirectory(directory);
    Fill();
    if (fileList_) {
        fileList_->SetDirectory(directory_);
    }
    if (driveCombo_) {
        driveCombo_->ShowDriveOf(directory_);
    }
    emit DirectoryChanged(directory_);
    return true;
}

bool TDirectoryListBox::SetDirectoryFromPath(const QString& path) {
    if (path.isEmpty()) {
        return true;
    }
    const QFileInfo info(path);
    if (info.isDir()) {
        return SetDirectory(path);
    }
    if (info.exists()) {
        return SetDirectory(info.absolutePath());
    }
    return false;
}

void TDirectoryListBox::Reread() {
    if (!QFileInfo(directory_).isDir()) {
        // Removed meanwhile: the nearest directory that is still there.
        QString up = directory_;
        while (!QFileInfo(up).isDir() && up != QLatin1String("/")) {
            up = CleanDirectory(up + QStringLiteral("/.."));
        }
        SetDirectory(up);
        return;
    }
    Fill();
    if (fileList_) {
        fileList_->Reread();
    }
}

QString TDirectoryListBox::PathAt(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry ? entry->data(PathRole).toString() : QString();
}

void TDirectoryListBox::OpenEntry(int row) {
    const QString path = PathAt(row);
    if (path.isEmpty()) {
        return;
    }
    if (!SetDirectory(path)) {
        // Gone meanwhile: show what is there now.
        Reread();
    }
}

void TDirectoryListBox::keyPressEvent(QKeyEvent* event) {
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        modifiers == Qt::NoModifier) {
        event->accept();
        OpenEntry(currentRow());
        return;
    }
    QListWidget::keyPressEvent(event);
}

void TDirectoryListBox::Fill() {
    const QIcon open(Picture(QStringLiteral("folder_open.png")));
    const QIcon closed(Picture(QStringLiteral("folder_closed.png")));
    clear();
    auto add = [this](const QIcon& icon, const QString& text, const QString& path, int level) {
        auto* entry = new QListWidgetItem(icon, text, this);
        entry->setData(PathRole, path);
        entry->setData(LevelRole, level);
        // A hint is shown as markup when it looks like markup: a directory
        // named like a tag must still show its name.
        entry->setToolTip(Qt::convertFromPlainText(path, Qt::WhiteSpaceNoWrap));
    };
    // The path from the root down.
    add(open, QStringLiteral("/"), QStringLiteral("/"), 0);
    int level = 0;
    QString path;
    for (const QString& part : directory_.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        add(open, part, path, ++level);
    }
    const int currentRow = count() - 1;
    // The subdirectories; an unreadable directory simply has none.
    QStringList names = QDir(directory_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(names.begin(), names.end(), NameLess);
    for (const QString& name : names) {
        add(closed, name, JoinDirectory(directory_, name), level + 1);
    }
    setCurrentRow(currentRow);
    scrollToItem(item(currentRow));
}

// ---------------------------------------------------------------- files

TFileListBox::TFileListBox(QWidget* parent, const QString& name)
    : QListWidget(parent), directory_(CleanDirectory(QDir::currentPath())) {
    setObjectName(name);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new ListDelegate(this, 13));
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemSelectionChanged, this, &TFileListBox::SelectionChanged);
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit FileDoubleClicked(); });
    Fill(QString());
}

void TFileListBox::SetFileEdit(QLineEdit* edit) {
    fileEdit_ = edit;
    SelectionChanged();
}

void TFileListBox::SetMask(const QString& mask) {
    mask_ = mask;
    oneFile_.clear();
    Fill(QString());
}

void TFileListBox::SetDirectory(const QString& directory) {
    directory_ = CleanDirectory(directory);
    oneFile_.clear();
    Fill(QString());
}

void TFileListBox::showEvent(QShowEvent* event) {
    QListWidget::showEvent(event);
    if (event->spontaneous() || oneFile_.isEmpty()) {
        return;
    }
    // The mask replaced for one file serves one showing of the dialog.
    if (oneFileShown_) {
        oneFile_.clear();
        Reread();
    } else {
        oneFileShown_ = true;
    }
}

void TFileListBox::Reread() {
    const QList<QListWidgetItem*> selected = selectedItems();
    Fill(selected.isEmpty() ? QString() : selected.first()->text());
}

QStringList TFileListBox::Names() const {
    QStringList names;
    for (int i = 0; i < count(); ++i) {
        names << item(i)->text();
    }
    return names;
}

QString TFileListBox::FileName() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : JoinDirectory(directory_, selected.first()->text());
}

bool TFileListBox::SetFileName(const QString& path) {
    const QFileInfo info(path);
    const QString directory = info.absolutePath();
    const QString name = info.fileName();
    if (!QFileInfo(directory).isDir()) {
        return false;
    }
    if (dirList_) {
        dirList_->SetDirectory(directory);
    } else {
        SetDirectory(directory);
    }
    auto select = [this, &name] {
        for (int i = 0; i < count(); ++i) {
            if (item(i)->text() == name) {
                setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
                scrollToItem(item(i));
                return true;
            }
        }
        return false;
    };
    if (!name.isEmpty() && !select()) {
        oneFile_ = name;
        oneFileShown_ = isVisible();
        Fill(QString());
        select();
    }
    return true;
}

namespace {

// A file mask as the platform's file lists know it: "*" any run of
// characters, "?" any one, every other character itself, letter case
// ignored. (No regular expression: a bracket in a file's own name, which
// becomes the mask, stands for itself, and matching needs no compiler.)
bool MatchesPattern(QStringView pattern, QStringView name) {
    qsizetype p = 0, n = 0, star = -1, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (pattern[p] == QLatin1Char('?') ||
                                          pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++p;
            ++n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
        ++p;
    }
    return p == pattern.size();
}

} // namespace

bool TFileListBox::Matches(const QString& mask, const QString& name) {
    for (const QString& pattern : mask.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (MatchesPattern(pattern.trimmed(), name)) {
            return true;
        }
    }
    return false;
}

void TFileListBox::Fill(const QString& keepSelected) {
    blockSignals(true);
    clear();
    QStringList names;
    const QFileInfoList entries = QDir(directory_).entryInfoList(QDir::Files, QDir::NoSort);
    for (const QFileInfo& entry : entries) {
        if (entry.isFile() && !entry.isHidden() && Matches(Mask(), entry.fileName())) {
            names << entry.fileName();
        }
    }
    std::sort(names.begin(), names.end(), NameLess);
    addItems(names);
    for (int i = 0; i < count() && !keepSelected.isEmpty(); ++i) {
        if (item(i)->text() == keepSelected) {
            setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
            break;
        }
    }
    blockSignals(false);
    SelectionChanged();
}

void TFileListBox::SelectionChanged() {
    if (!fileEdit_) {
        return;
    }
    const QList<QListWidgetItem*> selected = selectedItems();
    if (selected.isEmpty()) {
        fileEdit_->setText(Mask());
    } else {
        fileEdit_->setText(selected.first()->text());
        fileEdit_->selectAll();
    }
}

// ---------------------------------------------------------------- the group

FileGroup BuildFileGroup(QWidget* group, const FileGroupLayout& layout, const QString& mask) {
    const QFont bold = FormFont(11, true);
    auto place = [](QWidget* control, const QRect& at) {
        Place(control, at.x(), at.y(), at.width(), at.height());
    };
    auto label = [&](const QString& name, const QRect& at) {
        auto* control = new TLabel(group, name);
        place(control, at);
        control->setFont(bold);
        return control;
    };
    FileGroup g;
    g.fileLabel = label(QStringLiteral("Label1"), layout.fileLabel);
    g.fileList = new TFileListBox(group, QStringLiteral("FileListBox"));
    place(g.fileList, layout.fileList);
    g.fileList->SetMask(mask);
    g.directoryLabel = label(QStringLiteral("Label2"), layout.directoryLabel);
    g.directoryList = new TDirectoryListBox(group, QStringLiteral("DirectoryListBox"));
    place(g.directoryList, layout.directoryList);
    g.directoryList->SetFileList(g.fileList);
    g.driveLabel = label(QStringLiteral("Label3"), layout.driveLabel);
    g.driveCombo = new TDriveComboBox(group, QStringLiteral("DriveComboBox"));
    place(g.driveCombo, layout.driveCombo);
    g.driveCombo->SetDirList(g.directoryList);
    return g;
}

} // namespace zk::platform
