// Program entry: one instance of Tickwell, its main window, and the event loop until the user
// ends it.

#include "app/MainForm.h"
#include "app/ProgramIcon.h"
#include "platform/PlatformChoice.h"
#include "platform/Translations.h"
#include "program/ProgramInfo.h"
#include "widgets/AccessibleControls.h"
#include "widgets/AppTexts.h"

#include <QApplication>

int main(int argc, char** argv) {
    // On a Wayland session the program runs through XWayland unless the user chose a platform.
    tickwell::choosePlatformBeforeStart();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(tickwell::texts::applicationName));
    // No display name: the window system would append it to every window's caption
    // ("Напоминание — Tickwell v2.0"), and each window carries its exact caption itself.
    QApplication::setApplicationVersion(QString::fromLatin1(tickwell::program::version));
    // A Wayland desktop finds the program's entry by this name; an X11 one by the windows' class
    // (the application name), which the entry names as its StartupWMClass.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(tickwell::program::desktopId));
    QApplication::setWindowIcon(tickwell::programIcon());
    tickwell::installRussianQtTranslations(app);
    tickwell::installAccessibleControls();
    // The program ends by "Выход" or the main window's close box only: closing the editor or a
    // notice while the main window is hidden in the tray must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    tickwell::TMainForm mainForm;
    if (mainForm.startupRefused()) {
        return 0;
    }
    mainForm.showAfterStartup();
    return QApplication::exec();
}
