#pragma once

#include <QtGlobal>

#include <QString>

namespace kansu {

class Form1;

// Prints (EraseColumn = 0) or erases (otherwise) the table column of the chi
// shown in Text1, when that chi is whole.
void DrawTable(Form1& form, qint16 EraseColumn);

// The table in words: the numbers of its two rows, left to right.
QString describeTable(const Form1& form);

// Shows or hides the table panel with the "表" box.
void Check3_Click(Form1& form);

} // namespace kansu
