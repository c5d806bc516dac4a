// Program entry: the command line, one instance of Tickwell, its main window, and the event loop
// until the user ends it.

#include "app/MainForm.h"
#include "app/ProgramIcon.h"
#include "app/ProgramOptions.h"
#include "platform/PlatformChoice.h"
#include "platform/Translations.h"
#include "program/ProgramInfo.h"
#include "widgets/AccessibleControls.h"
#include "widgets/AppTexts.h"

#include <QApplication>
#include <cstdio>

namespace {

void printLine(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    if (!text.endsWith(u'\n')) {
        std::fputc('\n', stream);
    }
}

} // namespace

int main(int argc, char** argv) {
    namespace options = tickwell::options;
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    switch (options::requestOf(arguments)) {
    case options::Request::Help:
        printLine(stdout, options::helpText());
        return 0;
    case options::Request::Version:
        printLine(stdout, options::versionLine());
        return 0;
    case options::Request::Run:
        break;
    }
    // Without a display it can use the toolkit would end the program with an abort and a
    // message about its plugins.
    if (!options::choosesDisplay(arguments)) {
        switch (tickwell::displayProblem(tickwell::SessionEnvironment::current(),
                                         tickwell::xServerAnswers)) {
        case tickwell::DisplayProblem::None:
            break;
        case tickwell::DisplayProblem::NoDisplay:
            printLine(stderr, options::noDisplayLine());
            return 1;
        case tickwell::DisplayProblem::NeedsXServer:
            printLine(stderr, options::needsXServerLine());
            return 1;
        }
    }
    // On a Wayland session the program runs through XWayland unless the user chose a platform.
    tickwell::choosePlatformBeforeStart();

    QApplication app(argc, argv);
    // The toolkit has taken its own options out of the arguments: what is left is none of ours.
    if (argc > 1) {
        printLine(stderr, options::unknownOptionLine(QString::fromLocal8Bit(argv[1])));
        return 2;
    }
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
