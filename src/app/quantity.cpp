#include "quantity.h"

#include "app/window/form1.h"
#include "lesson.h"

#include <QPushButton>

namespace kansu {

void Option1_Click(Form1& form, qint16 /*Index*/) {
    StartAfresh(form);
    // jidou is disabled exactly while an automatic run goes on: the run
    // carries on from chi = 0 and must stay stoppable.
    if (!form.jidou->isEnabled())
        form.tomeru->setEnabled(true);
}

} // namespace kansu
