// Prints the program directory it finds and whether a file beside it can be
// read there, through Qt and through the file layer, as the game reads its
// sheets and its level file.
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "files/AtomicFile.h"
#include "platform/Directories.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::string dir = zk::platform::ProgramDirectory();
    QFile viaQt(QString::fromStdString(dir + "marker.txt"));
    const bool qtReads = viaQt.open(QIODevice::ReadOnly) && viaQt.readAll() == "beside";
    const auto viaFiles = zk::files::ReadFilePrefix(dir + "marker.txt", 100);
    const bool filesRead = std::string(viaFiles.bytes.begin(), viaFiles.bytes.end()) == "beside";
    std::printf("%s\n%d %d\n", dir.c_str(), qtReads ? 1 : 0, filesRead ? 1 : 0);
    return 0;
}
