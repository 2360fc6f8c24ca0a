#include "app/browserpage.h"
#include "app/form1.h"
#include "app/screenfit.h"
#include "app/wiring.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    kansu::addBundledFaces();
    kansu::restartScaledToFitScreen(argv);
    kansu::Form1 form;
    kansu::wireForm1(form);
    kansu::showLessonWindow(form);
    return app.exec();
}
