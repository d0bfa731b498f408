#pragma once

#include <QApplication>
#include <cstdlib>

namespace menulets::testing {

// The one Qt application of the test binary, on Qt's offscreen platform so
// the tests need no display. Made on first use, kept until the process ends.
inline QApplication& offscreenApplication() {
    static int argc = 1;
    static char name[] = "test_platform_qt";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return new QApplication(argc, argv);
    }();
    return *application;
}

} // namespace menulets::testing
