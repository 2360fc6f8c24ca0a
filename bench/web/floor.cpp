// The floor the page's start is measured against: a page of the same
// toolkit, built the same way, showing one text in the lesson's face, with
// nothing of the lesson. Built by "scripts/web --report" only.

#include "app/window/lessonfont.h"
#include "platform/platform.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kansu::platform::addBundledFaces();
    QWidget window;
    window.setWindowTitle(QStringLiteral("関数"));
    auto* label = new QLabel(QStringLiteral("関数"), &window);
    label->setFont(kansu::lessonFont(27.75));
    label->move(32, 10);
    if (const QScreen* screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    kansu::platform::showLessonWindow(window);
    return app.exec();
}
