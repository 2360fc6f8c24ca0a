#include "app/window/form1.h"
#include "app/wiring.h"
#include "platform/platform.h"
#include "presentation/presenter.h"
#include "readers/accessibility.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    kansu::platform::addBundledFaces();
    kansu::installAccessibleInterfaces();
    kansu::Form1 form;
    kansu::wireForm1(form).fitToScreen();
    kansu::platform::showLessonWindow(form);
    return app.exec();
}
