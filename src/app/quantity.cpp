#include "quantity.h"

#include "app/window/form1.h"
#include "graph/graph.h"
#include "lesson.h"
#include "table/table.h"

#include <QPushButton>

namespace kansu {

void Option1_Click(Form1& form, qint16 /*Index*/) {
    ResetLesson(form);
    form.hyo->canvas().clear();
    DrawTable(form, 0);
    DrawGraphAxes(form, 0);
    PlotGraph(form, 0);
    // jidou is disabled exactly while an automatic run goes on: the run
    // carries on from chi = 0 and must stay stoppable.
    if (!form.jidou->isEnabled())
        form.tomeru->setEnabled(true);
}

} // namespace kansu
