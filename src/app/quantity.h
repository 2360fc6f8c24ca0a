#pragma once

#include <QtGlobal>

namespace kansu {

class Form1;

// Choosing a quantity starts the lesson afresh for it: chi = 0, the table
// and the graph begin again with their entry for chi = 0.
void Option1_Click(Form1& form, qint16 Index);

} // namespace kansu
