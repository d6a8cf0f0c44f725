// Windows kept where the player can reach them, and the help window placed
// beside the main window.
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include <climits>

#include "QtPrinters.h"

#include "platform/Placement.h"

using namespace zk::platform;

namespace {
const QSize MainWindow(520, 440);
const QList<QRect> OneScreen{QRect(0, 0, 1920, 1080)};
// A second screen right of the first, shorter, and a panel on top of the first.
const QList<QRect> TwoScreens{QRect(0, 30, 1920, 1050), QRect(1920, 0, 1280, 1024)};
} // namespace

TEST(KeepOnScreenTest, StoredPositionsFarOffAnyScreenComeBackOntoTheNearest) {
    EXPECT_EQ(KeepOnScreen({100, 50}, MainWindow, OneScreen), QPoint(100, 50));
    EXPECT_EQ(KeepOnScreen({-5000, 50}, MainWindow, OneScreen), QPoint(0, 50));
    EXPECT_EQ(KeepOnScreen({99999, 50}, MainWindow, OneScreen), QPoint(1820, 50));
    EXPECT_EQ(KeepOnScreen({50, -5000}, MainWindow, OneScreen), QPoint(50, 0));
    EXPECT_EQ(KeepOnScreen({INT_MIN, INT_MIN}, MainWindow, OneScreen), QPoint(0, 0));
    EXPECT_EQ(KeepOnScreen({INT_MAX, INT_MAX}, MainWindow, OneScreen), QPoint(1820, 1030));
    EXPECT_EQ(KeepOnScreen({INT_MAX, INT_MIN}, QSize(INT_MAX, INT_MAX), OneScreen),
              QPoint(1820, 0));
    EXPECT_EQ(KeepOnScreen({INT_MIN, 7}, QSize(-3, -3), OneScreen), QPoint(0, 7));
    // Most of the window may hang over the edge, as long as its corner is in reach.
    EXPECT_EQ(KeepOnScreen({1820, 1030}, MainWindow, OneScreen), QPoint(1820, 1030));
    EXPECT_EQ(KeepOnScreen({1821, 1031}, MainWindow, OneScreen), QPoint(1820, 1030));
    // A window smaller than the reachable part needs all of itself on screen.
    EXPECT_EQ(KeepOnScreen({1900, 1070}, QSize(20, 10), OneScreen), QPoint(1900, 1070));
    // No screen known: nothing to keep to.
    EXPECT_EQ(KeepOnScreen({-5000, 99999}, MainWindow, {}), QPoint(-5000, 99999));
}

TEST(KeepOnScreenTest, SeveralScreensCountTogether) {
    // Straddling the two screens is in reach; the strip above the shorter
    // first screen's panel is not.
    EXPECT_EQ(KeepOnScreen({1880, 40}, MainWindow, TwoScreens), QPoint(1880, 40));
    EXPECT_EQ(KeepOnScreen({1000, 0}, MainWindow, TwoScreens), QPoint(1000, 30));
    EXPECT_EQ(KeepOnScreen({3150, 1000}, MainWindow, TwoScreens), QPoint(3100, 974));
    EXPECT_EQ(KeepOnScreen({INT_MAX, INT_MAX}, MainWindow, TwoScreens), QPoint(3100, 974));
    EXPECT_EQ(KeepOnScreen({INT_MIN, INT_MAX}, MainWindow, TwoScreens), QPoint(0, 1030));
    // The real screens of this session (one offscreen screen) take part too.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(KeepOnScreen({-5000, -5000}, MainWindow), screen.topLeft());
}

TEST(PlaceBesideTest, RightOfTheOwnerThenLeftBelowAboveThenCoveringLeast) {
    const QSize help(600, 500);
    const QRect screen(0, 0, 1920, 1080);
    EXPECT_EQ(PlaceBeside(QRect(QPoint(100, 50), MainWindow), help, screen), QPoint(620, 50));
    EXPECT_EQ(PlaceBeside(QRect(QPoint(1300, 50), MainWindow), help, screen), QPoint(700, 50));
    // Low on the screen: level with it as far as the screen allows.
    EXPECT_EQ(PlaceBeside(QRect(QPoint(100, 900), MainWindow), help, screen), QPoint(620, 580));
    // Wide windows on a narrow screen: below, or above.
    const QRect narrow(0, 0, 1000, 1200);
    EXPECT_EQ(PlaceBeside(QRect(QPoint(200, 20), MainWindow), help, narrow), QPoint(200, 460));
    EXPECT_EQ(PlaceBeside(QRect(QPoint(200, 650), MainWindow), help, narrow), QPoint(200, 150));
    // Fits nowhere: the place where the owner is covered least.
    const QRect small(0, 0, 1024, 768);
    const QRect owner(QPoint(100, 50), MainWindow);
    const QPoint least = PlaceBeside(owner, help, small);
    EXPECT_EQ(least, QPoint(424, 268));
    EXPECT_EQ(QRect(least, help).intersected(owner).size(), QSize(196, 222));
    // Owners anywhere, however far off, give a place on the area.
    for (const QPoint at : {QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX - 10, INT_MAX - 10)}) {
        EXPECT_TRUE(small.contains(QRect(PlaceBeside(QRect(at, QSize(5, 5)), help, small), help)));
    }
}
