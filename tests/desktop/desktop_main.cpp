// The desktop tests run on a real X server with a window manager (the runner
// script starts both); unlike the other tests they never run offscreen, and
// they fail, saying why, when there is no such desktop to run on.
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
    QApplication app(argc, argv);
    QString why;
    if (!qv::desktop::WindowManagerRunning(&why)) {
        std::fprintf(stderr, "test_desktop: cannot run: %s\n", qPrintable(why));
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
