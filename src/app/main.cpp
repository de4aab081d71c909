// sobesednik: the program. No command-line arguments, no configuration:
// it works in the current folder (Base\ with the phrase base, Sound\ with
// the six cues, ReadMe.Txt).

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

#include "platform/clock.h"
#include "platform/dispatcher.h"
#include "platform/platform.h"
#include "platform/random.h"
#include "platform/scheduler.h"
#include "platform/screen.h"
#include "qt/front_end.h"
#include "qt/qt_audio_output.h"
#include "qt/qt_convert.h"
#include "qt/qt_error_box.h"
#include "qt/qt_pickers.h"
#include "window/program.h"

namespace {

const char* const applicationTitle = "Собеседник";

bool envSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Whether a display can be reached, checked before Qt is started (which
// would abort without one).
bool displayAvailable() {
    const std::string platform = envSet("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
    if (!platform.empty() && platform.rfind("xcb", 0) != 0 && platform.rfind("wayland", 0) != 0)
        return true;  // offscreen, vnc...: Qt's own business
    if (platform.rfind("xcb", 0) == 0 || !envSet("WAYLAND_DISPLAY")) {
        if (!envSet("DISPLAY")) return false;
        // A local display ":N" has its socket in /tmp/.X11-unix.
        const std::string display = std::getenv("DISPLAY");
        if (display.size() > 1 && display[0] == ':') {
            const std::string number = display.substr(1, display.find('.') - 1);
            std::error_code error;
            if (!std::filesystem::exists("/tmp/.X11-unix/X" + number, error)) return false;
        }
    }
    return true;
}

// Reports on standard error when the main window is first painted (for the
// start-up measurement; SOBESEDNIK_REPORT_READY=1).
class ReadyReporter : public QObject {
public:
    explicit ReadyReporter(const QElapsedTimer& sinceStart) : sinceStart_(sinceStart) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            std::fprintf(stderr, "sobesednik: window shown after %lld ms\n",
                         static_cast<long long>(sinceStart_.elapsed()));
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    const QElapsedTimer& sinceStart_;
    bool reported_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "sobesednik: no display: set DISPLAY or run under a desktop session\n");
        return 2;
    }
    QElapsedTimer sinceStart;
    sinceStart.start();

    QApplication app(argc, argv);
    // The dialogue log prints the date and the time in the user's format.
    std::setlocale(LC_ALL, "");
    QApplication::setApplicationName("sobesednik");
    QApplication::setQuitOnLastWindowClosed(false);
    if (QStyle* fusion = QStyleFactory::create("Fusion")) QApplication::setStyle(fusion);
    // Qt's own dialogs (colour picker, buttons) in the user's language.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale::system(), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    sob::qt::installFontSubstitutions();
    QApplication::setFont(QFont("MS Sans Serif", 8));

    const QString title = QString::fromUtf8(applicationTitle);
    sob::SystemClock clock;
    sob::qt::QtErrorBox errorBox(title);
    sob::Dispatcher dispatcher(errorBox);
    sob::Scheduler scheduler(clock, dispatcher);
    sob::RandomGenerator random;
    sob::qt::QtAudioOutput audio;
    sob::qt::QtPickers pickers;
    sob::Screen screen;
    sob::Platform platform{clock, scheduler, dispatcher, random, audio, pickers, screen};

    const int menuBarHeight = sob::qt::measureMenuBarHeight();
    sob::qt::fillScreen(platform, menuBarHeight);

    std::unique_ptr<sob::Program> program;
    try {
        program = std::make_unique<sob::Program>(platform);
    } catch (const sob::StartupError& error) {
        const QString text = sob::qt::fromProgramText(error.what());
        std::fprintf(stderr, "sobesednik: Application Error: %s\n", text.toLocal8Bit().constData());
        sob::qt::showApplicationError(text);
        return 1;
    }

    sob::qt::FrontEnd frontEnd(platform);
    frontEnd.setMenuBarHeight(menuBarHeight);
    sob::qt::addProgramViews(frontEnd, *program);
    errorBox.setParentWidget(frontEnd.mainWindow());
    pickers.setParentWidget(frontEnd.mainWindow());

    ReadyReporter readyReporter(sinceStart);
    if (envSet("SOBESEDNIK_REPORT_READY"))
        frontEnd.mainWindow()->installEventFilter(&readyReporter);

    program->Form1->onClosed = [] { QCoreApplication::exit(0); };
    program->show();
    frontEnd.start();
    const int code = app.exec();
    // Nothing may tick while the windows are taken down.
    frontEnd.stop();
    return code;
}
