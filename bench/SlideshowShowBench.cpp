// tickwell-slideshow-bench PICTURE.jpg
//
// The show step of the slideshow as a person sees it, in the program's own main window on the
// X server of DISPLAY: from the slideshow timer's tick to the picture drawn on the screen, and
// the program's resident memory once the picture has closed again.
//
// The main window starts on the store of TICKWELL_CONFIG_DIR with PICTURE as its only picture,
// shown until it is closed. First prints "idle KIB", the resident memory after start-up. Then,
// for every line "show" read from standard input, fires one slideshow step, waits until the
// image window is drawn and the X server has taken the picture, closes the picture as a click
// would, and prints "show MS KIB READY EXPOSED DRAWN": the milliseconds until drawn and the
// resident memory after the close, then where the time went, in milliseconds from the tick: the
// show step done (picture decoded, fitted and handed to the window, which is asked onto the
// screen), the window exposed, and the picture painted and sent to the X server. Ends at the end
// of the input.

#include "app/MainForm.h"
#include "platform/Dialogs.h"
#include "platform/IntervalTimer.h"
#include "platform/Seams.h"
#include "slideshow/ImageForm.h"
#include "slideshow/SlideshowPage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTextStream>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <xcb/xcb.h>

namespace {

using namespace tickwell;

// The one picture as the file dialog's answer; any message box ends the run.
class BenchDialogs final : public Dialogs {
public:
    explicit BenchDialogs(QString picture) : picture_(std::move(picture)) {}
    MessageAnswer message(QWidget*, const QString& text, const QString&, MessageIcon,
                          MessageButtons) override {
        std::fprintf(stderr, "tickwell-slideshow-bench: %s\n", qPrintable(text));
        std::exit(1);
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
    QStringList openFiles(QWidget*, const QString&) override { return {picture_}; }

private:
    QString picture_;
};

// Resident memory in KiB, as the kernel counts it.
long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return -1;
}

void settle(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

// Waits for the window to be exposed: its expose event is handled, and the picture painted and
// sent to the X server, before processEvents returns.
class ExposeWatch : public QObject {
public:
    explicit ExposeWatch(const QElapsedTimer& clock) : clock_(clock) {}
    bool exposed = false;
    double exposedMs = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed() &&
            !exposed) {
            exposed = true;
            exposedMs = millisecondsOn(clock_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static double millisecondsOn(const QElapsedTimer& clock) {
        return static_cast<double>(clock.nsecsElapsed()) / 1e6;
    }
    const QElapsedTimer& clock_;
};

// A round trip to the X server: every request sent before has been carried out when it returns.
void syncWithServer() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tickwell-slideshow-bench PICTURE.jpg\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    BenchDialogs answers(QString::fromLocal8Bit(argv[1]));
    const SeamsGuard seams(Seams{.dialogs = &answers});

    TMainForm form;
    SlideshowPage& images = *form.TabSheet3;
    images.Button8->click();
    // A day's period, so that only the bench fires the timer; the picture stays until closed.
    images.Edit1->setText(QStringLiteral("24"));
    images.Edit7->setText(QStringLiteral("0"));
    images.Button10->click();
    TImageForm& window = *images.ImageForm;
    settle(500);
    std::printf("idle %ld\n", residentKiB());
    std::fflush(stdout);

    std::string line;
    while (std::getline(std::cin, line)) {
        if (line != "show") {
            continue;
        }
        QElapsedTimer clock;
        ExposeWatch watch(clock);
        const auto since = [&clock] { return static_cast<double>(clock.nsecsElapsed()) / 1e6; };
        clock.start();
        form.ImagesTimer->fireForTest();
        const double ready = since();
        window.windowHandle()->installEventFilter(&watch);
        while (!watch.exposed) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        const double drawn = since();
        syncWithServer();
        const double ms = since();
        window.windowHandle()->removeEventFilter(&watch);
        window.Image1Click();
        settle(300);
        std::printf("show %.1f %ld %.1f %.1f %.1f\n", ms, residentKiB(), ready, watch.exposedMs,
                    drawn);
        std::fflush(stdout);
    }
    return 0;
}
