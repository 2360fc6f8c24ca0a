// The program as a web page: the browser's toolkit platform draws the
// window on a canvas of the page, the page's script shows the end screen,
// and the event loop is the browser's own, which cannot be nested.

#include "platform.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <emscripten/val.h>
#include <string>

namespace kansu::platform {

void addBundledFaces() {
    QFontDatabase::addApplicationFont(QStringLiteral(":/faces/ipagp.ttf"));
}

namespace {

// Marks the moment the window has first been painted on the page's timeline
// ("kansu-window-painted"), where the browser's tools and the page's own
// script can read how long the lesson took to appear.
class FirstPaintMark : public QObject {
  public:
    explicit FirstPaintMark(QWidget& form) : QObject(&form), form_(form) {
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
                deleteLater();
            });
        }
        return false;
    }

  private:
    const QWidget& form_;
};

// Keeps the window on the page when it grows (a panel shown, a zoom): no
// window manager does it here, and the page does not scroll.
class PagePlacement : public QObject {
  public:
    explicit PagePlacement(QWidget& form) : QObject(&form), form_(form) {
        form.installEventFilter(this);
    }

    void keepOnPage(bool centred) {
        const QScreen* screen = form_.screen();
        if (!screen || form_.isFullScreen())
            return;
        const QRect page = screen->availableGeometry();
        QRect frame = form_.frameGeometry();
        if (centred)
            frame.moveCenter(page.center());
        else if (page.contains(frame))
            return;
        // Moved left and up as far as it takes; a page smaller than the
        // window shows its top left corner.
        const int left = std::min(frame.left(), page.right() + 1 - frame.width());
        const int top = std::min(frame.top(), page.bottom() + 1 - frame.height());
        form_.move(std::max(left, page.left()), std::max(top, page.top()));
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            keepOnPage(false);
        return false;
    }

  private:
    QWidget& form_;
};

} // namespace

void showLessonWindow(QWidget& form) {
    new FirstPaintMark(form);
    auto* placement = new PagePlacement(form);
    // The title bar that the toolkit draws on the page keeps only the title:
    // its maximize button would maximize the window behind the lesson's
    // back, at its fixed size, and its close button does not answer clicks
    // in this toolkit version. F11 is the way to full screen, 終了 the end.
    form.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    form.showNormal();
    placement->keepOnPage(true);
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

bool nestedEventLoops() {
    return false;
}

} // namespace kansu::platform
