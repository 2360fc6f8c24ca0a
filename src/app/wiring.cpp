#include "wiring.h"

#include "form1.h"
#include "graph/graph.h"
#include "lesson.h"
#include "table/table.h"

#include <QCheckBox>
#include <QPushButton>

namespace kansu {

void wireForm1(Form1& form)
{
    Form1* f = &form;
    // A check box's handler runs on every change of its state, also one made
    // by a handler, so it listens to toggled rather than clicked.
    QObject::connect(form.Check2, &QCheckBox::toggled, f, [f] { Check2_Click(*f); });
    QObject::connect(form.Check3, &QCheckBox::toggled, f, [f] { Check3_Click(*f); });
    QObject::connect(form.Command1, &QPushButton::clicked, f, [f] { Command1_Click(*f); });
    QObject::connect(form.end, &QPushButton::clicked, f, [f] { end_Click(*f); });
    Form_Load(form);
}

} // namespace kansu
