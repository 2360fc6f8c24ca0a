// The program as a web page: the browser's toolkit platform draws the
// window on a canvas of the page, the page's script shows the end screen,
// and the event loop is the browser's own, which cannot be nested.

#include "platform.h"

#include "pagereaders.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QTimer>
#include <QWidget>
#include <emscripten.h>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <functional>
#include <string>

namespace kansu::platform {

void addBundledFaces() {
    QFontDatabase::addApplicationFont(QStringLiteral(":/faces/ipagp.ttf"));
}

namespace {

// Marks the moment the window has first been painted on the page's timeline
// ("kansu-window-painted"), where the browser's tools and the page's own
// script can read how long the lesson took to appear; then does what can
// wait until the pupil sees the lesson, and tells the page, which does too.
class FirstPaintMark : public QObject {
  public:
    FirstPaintMark(QWidget& form, std::function<void()> then)
        : QObject(&form), form_(form), then_(std::move(then)) {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && widget->window() == &form_) {
            qApp->removeEventFilter(this);
            // Once the whole first frame is painted and on its way.
            QTimer::singleShot(0, this, [this] {
                emscripten::val::global("performance")
                    .call<void>("mark", std::string("kansu-window-painted"));
                then_();
                const emscripten::val painted = emscripten::val::global("kansuWindowPainted");
                if (painted.typeOf().as<std::string>() == "function")
                    painted();
                deleteLater();
            });
        }
        return false;
    }

  private:
    QWidget& form_;
    std::function<void()> then_;
};

void pressMirrored(int index) {
    PageReaders::instance().press(index);
}

std::function<void(PinchStep, double, QPointF)>& pinchListener() {
    static std::function<void(PinchStep, double, QPointF)> listener;
    return listener;
}

// From the page's script: 0 begun, 1 moved.
void pinchFromPage(int step, double factor, double x, double y) {
    if (pinchListener())
        pinchListener()(step == 0 ? PinchStep::Begin : PinchStep::Move, factor, QPointF(x, y));
}

} // namespace

EMSCRIPTEN_BINDINGS(kansuPageReaders) {
    emscripten::function("kansuPress", &pressMirrored);
    emscripten::function("kansuPinch", &pinchFromPage);
}

bool windowFillsScreen() {
    return true;
}

void toggleScreenFullScreen() {
    // The page's own script asks the browser, and hears its answer.
    const emscripten::val toggle = emscripten::val::global("kansuToggleFullScreen");
    if (toggle.typeOf().as<std::string>() == "function")
        toggle();
}

void showLessonWindow(QWidget& form) {
    // The readers' layer once the lesson is painted: it changes nothing seen.
    new FirstPaintMark(form, [&form] { PageReaders::instance().build(form); });
    // The page is the window's frame: no title bar, whose buttons would
    // move or resize the lesson behind the presenter's back. 終了 ends it.
    form.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    form.show();
}

void endApplication() {
    // The page's own script shows the end screen; a page without one is
    // left as it is, with the window gone.
    const emscripten::val showEndScreen = emscripten::val::global("kansuLessonEnded");
    if (showEndScreen.typeOf().as<std::string>() == "function")
        showEndScreen();
}

QFont::HintingPreference lessonHinting() {
    // Without fontconfig nobody tells the toolkit how to hint the glyphs:
    // the desktop's default, slight hinting, so that the text looks the same.
    return QFont::PreferVerticalHinting;
}

void onTerminationRequest(QObject*, std::function<void()>) {
    // A page is closed by the browser, which asks nothing of it.
}

void onPinch(std::function<void(PinchStep, double, QPointF)> pinched) {
    pinchListener() = std::move(pinched);
}

bool nestedEventLoops() {
    return false;
}

} // namespace kansu::platform
