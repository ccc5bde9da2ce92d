#include "shell/CLumidexApp.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Qt aborts when it cannot reach a display; say so plainly instead.
bool HasDisplay()
{
    const char* pszPlatform = std::getenv("QT_QPA_PLATFORM");
    if (pszPlatform && *pszPlatform)
        return true;
    const char* pszX = std::getenv("DISPLAY");
    const char* pszWayland = std::getenv("WAYLAND_DISPLAY");
    return (pszX && *pszX) || (pszWayland && *pszWayland);
}

}  // namespace

int main(int argc, char** argv)
{
    if (!HasDisplay()) {
        std::fprintf(stderr, "lumidex: no display to show the window on (DISPLAY is not set).\n"
                             "Start it from a desktop session, or under xvfb-run.\n");
        return 1;
    }
    QApplication application(argc, argv);
    CLumidexApp app;
    if (!app.InitInstance())
        return 1;
    return application.exec();
}
