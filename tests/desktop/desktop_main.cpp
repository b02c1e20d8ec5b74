// The desktop tests run on a real X server with a window manager (the runner
// script starts both); unlike the other tests they never run offscreen, and
// they fail, saying why, when there is no such desktop to run on. With
// QV_DESKTOP_PANEL set to a height, a panel that tall stands across the top
// of the screen for the whole run.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "desktop/x_desktop.h"

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "test_desktop: DISPLAY is not set: no X server to run on "
                             "(run it through tests/desktop/run_desktop_tests)\n");
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    QString why;
    // A panel the runner asks for is reserved before the application starts,
    // so its screen knows the shrunken area from the first.
    if (const char* panel = std::getenv("QV_DESKTOP_PANEL"); panel && std::atoi(panel) > 0) {
        if (!qv::desktop::ReservePanel(std::atoi(panel), &why)) {
            std::fprintf(stderr, "test_desktop: cannot run: %s\n", qPrintable(why));
            return 1;
        }
    }
    QApplication app(argc, argv);
    if (!qv::desktop::WindowManagerRunning(&why)) {
        std::fprintf(stderr, "test_desktop: cannot run: %s\n", qPrintable(why));
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
