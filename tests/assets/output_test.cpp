// Encoding and writing: the BMP layout the program loads, and files that are
// rewritten only when their bytes change.
#include "AssetTestSupport.h"
#include "Output.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(Output, BmpIsA24BitBottomUpBitmapThatLoadsBack) {
    QImage image(5, 3, QImage::Format_RGB32); // 15 bytes a row, padded to 16
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            image.setPixel(x, y, qRgb(x * 50, y * 100, 7));
        }
    }
    const zk::art::Bytes bmp = zk::art::EncodeBmp(image);
    ASSERT_EQ(bmp.size(), 54u + 16u * 3u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(bmp[2] | bmp[3] << 8, static_cast<int>(bmp.size()));
    EXPECT_EQ(bmp[28], 24); // bits per pixel
    // the first row in the file is the bottom row of the image, blue first
    EXPECT_EQ(bmp[54], 7);
    EXPECT_EQ(bmp[55], 200);
    EXPECT_EQ(bmp[56], 0);
    QImage back;
    ASSERT_TRUE(back.loadFromData(bmp.data(), static_cast<int>(bmp.size()), "BMP"));
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image);
}

TEST(Output, FilesAreRewrittenOnlyWhenTheirBytesChange) {
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath(QStringLiteral("b9.bmp")).toStdString();
    const zk::art::Bytes a = {1, 2, 3};
    const zk::art::Bytes b = {1, 2, 3, 4};
    EXPECT_EQ(zk::art::WriteIfChanged(path, a), zk::art::WriteResult::Written);
    EXPECT_EQ(zk::art::WriteIfChanged(path, a), zk::art::WriteResult::Unchanged);
    EXPECT_EQ(zk::art::WriteIfChanged(path, b), zk::art::WriteResult::Written);
    EXPECT_EQ(zk::test::Bytes(zk::test::ReadAll(QString::fromStdString(path))), b);
    // a shorter file with the same start is still a change
    EXPECT_EQ(zk::art::WriteIfChanged(path, a), zk::art::WriteResult::Written);
    EXPECT_EQ(zk::test::Bytes(zk::test::ReadAll(QString::fromStdString(path))), a);
    // no temporary files are left behind
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(Output, AFailedWriteIsReported) {
    QTemporaryDir dir;
    const std::string path =
        QDir(dir.path()).filePath(QStringLiteral("missing/dir/w1.wav")).toStdString();
    std::string error;
    EXPECT_EQ(zk::art::WriteIfChanged(path, {1}, &error), zk::art::WriteResult::Failed);
    EXPECT_FALSE(error.empty());
}

} // namespace
