// GoogleTest main for the end-to-end tests. The harness itself opens no
// window (it runs on the offscreen platform): it compares pictures, drawing
// the ones the game draws at other scales, and drives the game through the X
// tools.
#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
