#pragma once

#include <QFont>
#include <QPointF>
#include <QString>
#include <functional>
#include <vector>

class QObject;
class QWidget;

// What the program asks of its surroundings: a desktop, or a page in a web
// browser. Each platform has its own implementation file, chosen by the
// build; nothing else in the program asks which one it runs on.
namespace kansu::platform {

// The faces the program brings with it, made known before any window is
// made (the browser has no fontconfig; the desktop has the installed ones).
void addBundledFaces();

// How the lesson's glyphs are hinted, so that they look alike everywhere.
QFont::HintingPreference lessonHinting();

// Whether the lesson window is the whole screen it stands on: a page, where
// the lesson stands in the middle as large as the page allows, the browser
// keeps its own zoom keys, and full screen is the browser's.
bool windowFillsScreen();

// Asks the browser for full screen, or to leave it (from a key press, which
// the browser requires). Nothing on the desktop, where the window itself
// goes full screen.
void toggleScreenFullScreen();

// Opens the lesson window: on the desktop where the window manager puts it;
// in a browser as the whole page, without a frame.
void showLessonWindow(QWidget& window);

// The last step of ending the program, once the window is hidden: on the
// desktop the event loop ends; in a browser, where no process ends, the page
// shows its end screen in the window's place.
void endApplication();

// Runs `end` on the event loop when the system asks the program to end
// (log-out, Ctrl+C in a terminal), so that it ends as its own quit button
// ends it. Lives as long as `owner`.
void onTerminationRequest(QObject* owner, std::function<void()> end);

// A two-finger pinch on the lesson, as the page's script hears it: begun
// (factor 1), then the fingers' spread over the spread at its start and the
// point between them, in the screen's coordinates. Nothing on the desktop,
// whose touch screens are not the lesson's place for it.
enum class PinchStep { Begin, Move };
void onPinch(std::function<void(PinchStep step, double factor, QPointF centre)> pinched);

// Plays a short tone of `hertz` for `milliseconds`, soft at both ends, and
// cuts short a tone still sounding: never more than one waits. Where nothing
// can sound (no audio device), nothing plays, the first try says why on
// standard error (the console in a page), and it returns false.
bool playTone(double hertz, int milliseconds);
// Tones of the given pitches, one every `everyMilliseconds`, played as one
// sound, which the next tone cuts short.
bool playTones(const std::vector<double>& hertz, int milliseconds, int everyMilliseconds);
// Silences the tone, fading it out.
void stopTones();

// Says `text` in Japanese with the system's speech, cutting short what it
// was saying. Fails as playTone does.
bool speak(const QString& text);
void stopSpeaking();

// Whether a handler may wait in an event loop of its own. The browser's
// event loop cannot be nested: there a handler that waits returns to it and
// goes on from a timer.
bool nestedEventLoops();

} // namespace kansu::platform
