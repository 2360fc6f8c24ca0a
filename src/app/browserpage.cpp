#include "browserpage.h"

#include "form1.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QScreen>
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

void showLessonWindow(Form1& form) {
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
