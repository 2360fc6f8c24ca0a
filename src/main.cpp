#include "app/form1.h"
#include "app/screenfit.h"
#include "app/wiring.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    kansu::restartScaledToFitScreen(argv);
    kansu::Form1 form;
    kansu::wireForm1(form);
    form.show();
    return app.exec();
}
