// The program on a desktop: a window among others, a process that ends, and
// the system's requests to end it (log-out, Ctrl+C in a terminal).

#include "platform.h"

#include <QCoreApplication>
#include <QLibrary>
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

// The desktop's sound and speech live in a module of their own, loaded when
// first asked for: the audio and speech libraries and all they bring cost a
// lesson without sound nothing, at start-up above all.
struct SoundModule {
    bool (*playTones)(const double* hertz, int count, int milliseconds, int every) = nullptr;
    void (*silence)() = nullptr;
    bool (*say)(const char16_t* text, int length) = nullptr;
    void (*hush)() = nullptr;
};

const SoundModule* soundModule() {
    static const SoundModule* loaded = []() -> const SoundModule* {
        const QString here = QCoreApplication::applicationDirPath();
        QLibrary library;
        for (const QString& path : {here + QStringLiteral("/../lib/kansu/libkansu_sound.so"),
                                    QStringLiteral(KANSU_SOUND_MODULE_BUILT)}) {
            library.setFileName(path);
            if (library.load())
                break;
        }
        static SoundModule module;
        module.playTones =
            reinterpret_cast<decltype(module.playTones)>(library.resolve("kansu_play_tones"));
        module.silence =
            reinterpret_cast<decltype(module.silence)>(library.resolve("kansu_silence"));
        module.say = reinterpret_cast<decltype(module.say)>(library.resolve("kansu_say"));
        module.hush = reinterpret_cast<decltype(module.hush)>(library.resolve("kansu_hush"));
        if (!module.playTones || !module.silence || !module.say || !module.hush) {
            qWarning("kansu: 音と読み上げの部品がありません (%s)",
                     qPrintable(library.errorString()));
            return nullptr;
        }
        return &module;
    }();
    return loaded;
}

} // namespace

bool playTone(double hertz, int milliseconds) {
    return playTones({hertz}, milliseconds, milliseconds);
}

bool playTones(const std::vector<double>& hertz, int milliseconds, int everyMilliseconds) {
    const SoundModule* module = soundModule();
    return module &&
           module->playTones(hertz.data(), int(hertz.size()), milliseconds, everyMilliseconds);
}

void stopTones() {
    if (const SoundModule* module = soundModule())
        module->silence();
}

bool speak(const QString& text) {
    const SoundModule* module = soundModule();
    return module && module->say(reinterpret_cast<const char16_t*>(text.utf16()), int(text.size()));
}

void stopSpeaking() {
    if (const SoundModule* module = soundModule())
        module->hush();
}

} // namespace kansu::platform
