#include "gridswitch.h"

#include "app/window/form1.h"
#include "board.h"
#include "step.h"

#include <QCheckBox>

namespace kansu {

void Check1_Click(Form1& form) {
    if (form.Check1->checkState() != Qt::Unchecked) {
        DrawGrid(form);
        return;
    }
    // One step back and the forward step's full redraw bring the board back
    // to the same chi, now without the grid.
    form.StepCount = static_cast<qint16>(form.StepCount - kStep);
    susumu_Click(form);
}

} // namespace kansu
