// A scripted lesson on the real window, for the memory check: panels,
// steps, grid, quantities, typed texts, a short automatic run stopped half
// way, another run to the end, then "終了".

#include "app/window/form1.h"
#include "app/wiring.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

using namespace kansu;

namespace {

void tick(QAbstractButton* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

void click(QPushButton* button, int times = 1) {
    for (int i = 0; i < times; ++i)
        QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Form1 form;
    wireForm1(form);
    form.show();

    QTimer::singleShot(0, &form, [&] {
        tick(form.Check2);
        tick(form.Check3);
        for (QRadioButton* option : form.Option1) {
            tick(option);
            click(form.susumu, 21);
            click(form.modoru, 6);
            tick(form.Check1);
            click(form.susumu, 2);
            tick(form.Check1);
        }
        form.Text1->setText(QStringLiteral("1e400"));
        click(form.modoru);
        form.Text1->setText(QString(400, '7'));
        click(form.modoru);
        click(form.Command1);
        tick(form.Check2);
        form.Combo1->setEditText(QStringLiteral("01"));
        // Stop the first run during its fifth pause, from a real event.
        int pauses = 0;
        const auto realPause = form.pause;
        form.pause = [&](qint32 ms) {
            if (++pauses == 5)
                QTimer::singleShot(5, &form, [&] { click(form.tomeru); });
            realPause(ms);
        };
        click(form.jidou);
        tick(form.Option1[1]);
        click(form.jidou);
        QTimer::singleShot(0, &form, [&] { click(form.end); });
    });
    const int code = app.exec();
    std::printf("session ended at chi '%s'\n", qPrintable(form.Text1->text()));
    return code;
}
