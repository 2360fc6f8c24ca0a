#include "browserpage.h"

#include "form1.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#ifdef Q_OS_WASM
#include <emscripten/val.h>
#include <string>
#endif

namespace kansu {

#ifdef Q_OS_WASM

void addBundledFaces() {
    QFontDatabase::addApplicationFont(QStringLiteral(":/faces/ipagp.ttf"));
}

namespace {

// Marks the moment the window has first been painted on the page's timeline
// ("kansu-window-painted"), where the browser's tools and the page's own
// script can read how long the lesson took to appear.
class FirstPaintMark : public QObject {
  public:
    explicit FirstPaintMark(Form1& form) : QObject(&form), form_(form) {
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
    const Form1& form_;
};

} // namespace

void showLessonWindow(Form1& form) {
    new FirstPaintMark(form);
    form.showNormal();
    if (const QScreen* screen = form.screen()) {
        const QRect page = screen->availableGeometry();
        QRect frame = form.frameGeometry();
        frame.moveCenter(page.center());
        // A page smaller than the window shows its top left corner.
        form.move(std::max(frame.left(), page.left()), std::max(frame.top(), page.top()));
    }
}

void endApplication() {
    // The page's own script shows the end screen; a page without one is
    // left as it is, with the window gone.
    const emscripten::val showEndScreen = emscripten::val::global("kansuLessonEnded");
    if (showEndScreen.typeOf().as<std::string>() == "function")
        showEndScreen();
}

#else

void addBundledFaces() {}

void showLessonWindow(Form1& form) {
    form.show();
}

void endApplication() {
    QCoreApplication::exit(0);
}

#endif

} // namespace kansu
