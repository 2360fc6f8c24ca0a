// The program on a desktop: a window among others, a process that ends, and
// the system's requests to end it (log-out, Ctrl+C in a terminal).

#include "platform.h"

#include "speechworker.h"
#include "toneplayer.h"

#include <QCoreApplication>
#include <QMediaDevices>
#include <QSocketNotifier>
#include <QWidget>
#include <array>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kansu::platform {

namespace {

// A signal handler may do next to nothing: it writes one byte to a socket
// that the event loop watches, and the loop does the rest.
int signalSockets[2] = {-1, -1};

extern "C" void wakeEventLoop(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalSockets[0], &byte, 1);
}

bool installHandlers() {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSockets) != 0)
        return false;
    for (const int fd : signalSockets) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    struct sigaction action = {};
    action.sa_handler = wakeEventLoop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signal : {SIGTERM, SIGINT})
        ::sigaction(signal, &action, nullptr);
    return true;
}

} // namespace

void addBundledFaces() {
    // The installed faces serve: fontconfig finds the lesson's face.
}

QFont::HintingPreference lessonHinting() {
    return QFont::PreferDefaultHinting; // the desktop's own setting
}

bool windowFillsScreen() {
    return false;
}

void toggleScreenFullScreen() {}

void showLessonWindow(QWidget& window) {
    window.show();
}

void endApplication() {
    QCoreApplication::exit(0);
}

void onTerminationRequest(QObject* owner, std::function<void()> end) {
    static const bool installed = installHandlers();
    if (!installed)
        return;
    auto* notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [end = std::move(end)] {
        std::array<char, 16> bytes;
        while (::read(signalSockets[1], bytes.data(), bytes.size()) > 0) {
        }
        end();
    });
}

void onPinch(std::function<void(PinchStep, double, QPointF)>) {}

bool nestedEventLoops() {
    return true;
}

namespace {

// Made when first asked for: a lesson without sound or voice never opens
// the audio device or the speech service.
TonePlayer& tonePlayer() {
    static TonePlayer* player = [] {
        auto* made = new TonePlayer(QMediaDevices::defaultAudioOutput());
        // The audio sink goes while the application still stands.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [made] { made->stop(); });
        return made;
    }();
    return *player;
}

} // namespace

bool playTone(double hertz, int milliseconds) {
    return tonePlayer().play({hertz}, milliseconds, milliseconds);
}

bool playTones(const std::vector<double>& hertz, int milliseconds, int everyMilliseconds) {
    return tonePlayer().play(hertz, milliseconds, everyMilliseconds);
}

void stopTones() {
    tonePlayer().silence();
}

bool speak(const QString& text) {
    return SpeechWorker::instance().say(text);
}

void stopSpeaking() {
    SpeechWorker::instance().stop();
}

} // namespace kansu::platform
