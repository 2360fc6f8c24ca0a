// The desktop window in the states the browser test brings the page to, for
// the browser's pixels to be compared with, filling an area of the page's
// size as the page does: start.png, both.png (both panels ticked at the
// start), tapped.png (two steps), lesson.png (three steps, the graph shown,
// 青 chosen), run.png (after a whole run) and panels.png (then the table
// too), and controls.json, where a pupil clicks
// each control the test uses in the state before and after the graph shows.

#include "app/window/form1.h"
#include "app/wiring.h"
#include "formfixture.h"
#include "presentation/presenter.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstdio>
#include <cstdlib>

using namespace kansu;

namespace {

// Where a click hits a control: on an indicator, in a box's text, or in the
// middle.
QPoint clickPoint(const Form1& form, const QWidget* control) {
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        control = combo->lineEdit();
    const bool box =
        qobject_cast<const QCheckBox*>(control) || qobject_cast<const QRadioButton*>(control);
    const QPoint inside = box ? QPoint(8, control->height() / 2) : control->rect().center();
    return control->mapTo(&form, inside);
}

bool save(Form1& form, const QDir& folder, const char* name) {
    QApplication::processEvents();
    return form.grab().toImage().save(folder.filePath(QString::fromLatin1(name) + ".png"));
}

} // namespace

QJsonObject clickPoints(const Form1& form) {
    QJsonObject controls;
    const std::pair<const char*, const QWidget*> named[] = {{"Text1", form.Text1},
                                                            {"susumu", form.susumu},
                                                            {"modoru", form.modoru},
                                                            {"Check1", form.Check1},
                                                            {"Check2", form.Check2},
                                                            {"Check3", form.Check3},
                                                            {"Option1_0", form.Option1[0]},
                                                            {"Option1_1", form.Option1[1]},
                                                            {"Combo1", form.Combo1},
                                                            {"jidou", form.jidou},
                                                            {"end", form.end}};
    for (const auto& [name, control] : named) {
        const QPoint at = clickPoint(form, control);
        // Where the control lies and what screen readers call it.
        const QRect rect(control->mapTo(&form, QPoint()), control->size());
        QAccessibleInterface* face =
            QAccessible::queryAccessibleInterface(const_cast<QWidget*>(control));
        const QString said = !control->accessibleName().isEmpty() ? control->accessibleName()
                             : face                               ? face->text(QAccessible::Name)
                                                                  : QString();
        controls.insert(
            QLatin1String(name),
            QJsonObject{{"x", at.x()},
                        {"y", at.y()},
                        {"rect", QJsonArray{rect.x(), rect.y(), rect.width(), rect.height()}},
                        {"name", said}});
    }
    const QRect board(form.kokuban->mapTo(&form, QPoint()), form.kokuban->size());
    controls.insert(QStringLiteral("board"),
                    QJsonObject{{"top", board.top()}, {"right", board.right() + 1}});
    return controls;
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s folder page-width page-height\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QSize page(std::atoi(argv[2]), std::atoi(argv[3]));
    Form1 form;
    wireForm1(form).fillArea(QRect(QPoint(), page));
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;

    QJsonObject controls{{"start", clickPoints(form)}};
    bool saved = save(form, folder, "start");
    {
        // Both panels ticked at the start, in a window of their own.
        Form1 both;
        wireForm1(both).fillArea(QRect(QPoint(), page));
        both.show();
        testing::clickCheckBox(both.Check2);
        testing::clickCheckBox(both.Check3);
        saved = save(both, folder, "both") && saved;
    }
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(form.susumu, Qt::LeftButton);
    saved = save(form, folder, "tapped") && saved;
    QTest::mouseClick(form.susumu, Qt::LeftButton);
    testing::clickCheckBox(form.Check2);
    controls.insert(QStringLiteral("lesson"), clickPoints(form));
    testing::clickCheckBox(form.Option1[1]);
    saved = save(form, folder, "lesson") && saved;
    form.Combo1->setEditText(QStringLiteral("01"));
    QTest::mouseClick(form.jidou, Qt::LeftButton); // returns when the run is over
    saved = save(form, folder, "run") && saved;
    testing::clickCheckBox(form.Check3);
    controls.insert(QStringLiteral("panels"), clickPoints(form));
    saved = save(form, folder, "panels") && saved;

    QFile json(folder.filePath(QStringLiteral("controls.json")));
    if (!json.open(QIODevice::WriteOnly) || json.write(QJsonDocument(controls).toJson()) < 0)
        return 1;
    return saved ? 0 : 1;
}
