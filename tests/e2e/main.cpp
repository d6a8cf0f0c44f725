// GoogleTest main for the end-to-end tests. The harness itself opens no
// window: it compares pictures and drives the game through the X tools. A
// Gui application (offscreen) draws the texts a picture is compared with.
#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
