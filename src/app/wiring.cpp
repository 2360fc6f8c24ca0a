#include "wiring.h"

#include "app/window/form1.h"
#include "autorun/autorun.h"
#include "board/board.h"
#include "board/gridswitch.h"
#include "board/step.h"
#include "graph/graph.h"
#include "hearing/hearing.h"
#include "lesson.h"
#include "platform/platform.h"
#include "presentation/lessonmenu.h"
#include "presentation/presenter.h"
#include "quantity.h"
#include "readers/accessibility.h"
#include "table/table.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace kansu {

Presenter& wireForm1(Form1& form) {
    Form1* f = &form;
    installSurfaceAccessibility(form);
    // Shown at a zoom from the first size the lesson sets.
    auto* presenter = new Presenter(form);
    // A check box's handler runs on every change of its state, also one made
    // by a handler, so it listens to toggled rather than clicked.
    QObject::connect(form.Check1, &QCheckBox::toggled, f, [f] { Check1_Click(*f); });
    QObject::connect(form.Check2, &QCheckBox::toggled, f, [f] { Check2_Click(*f); });
    QObject::connect(form.Check3, &QCheckBox::toggled, f, [f] { Check3_Click(*f); });
    QObject::connect(form.susumu, &QPushButton::clicked, f, [f] { susumu_Click(*f); });
    QObject::connect(form.modoru, &QPushButton::clicked, f, [f] { modoru_Click(*f); });
    // An option button's handler runs when it becomes selected, not when it
    // is cleared.
    for (qint16 i = 0; i < static_cast<qint16>(form.Option1.size()); ++i)
        QObject::connect(form.Option1[static_cast<size_t>(i)], &QRadioButton::toggled, f,
                         [f, i](bool selected) {
                             if (selected)
                                 Option1_Click(*f, i);
                         });
    QObject::connect(form.jidou, &QPushButton::clicked, f, [f] { jidou_Click(*f); });
    QObject::connect(form.tomeru, &QPushButton::clicked, f, [f] { tomeru_Click(*f); });
    form.pause = [f](qint32 milliseconds) { Pause(*f, milliseconds); };
    QObject::connect(form.Command1, &QPushButton::clicked, f, [f] { Command1_Click(*f); });
    QObject::connect(form.end, &QPushButton::clicked, f, [f] { end_Click(*f); });
    // Log-out and Ctrl+C end the lesson as "終了" does.
    platform::onTerminationRequest(f, [f] { end_Click(*f); });
    form.kokuban->setDescriber([f] { return describeBoard(*f); });
    form.hyo->setDescriber([f] { return describeTable(*f); });
    form.gamen->setDescriber([f] { return describeGraph(*f); });
    Form_Load(form);
    // Heard from the lesson as loaded; its options and keys in one menu.
    auto* hearing = new Hearing(form);
    QList<QAction*> view(presenter->zoomActions().begin(), presenter->zoomActions().end());
    view.append(presenter->fullScreenAction());
    new LessonMenu(
        form,
        {{hearing->soundAction(), hearing->voicingAction(), hearing->playGraphAction()}, view});
    return *presenter;
}

} // namespace kansu
