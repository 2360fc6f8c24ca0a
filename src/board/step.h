#pragma once

#include <QString>
#include <QtGlobal>

namespace kansu {

class Form1;

// One step of chi, 0.5 cm, in board pixels.
constexpr qint16 kStep = 15;

// "進む": chi one step of 0.5 cm forward (never past 10 cm), and everything
// that shows chi brought up to date.
void susumu_Click(Form1& form);

// "戻る": first removes the table column and graph mark of the chi being
// left, then moves chi one step back (never below 0).
void modoru_Click(Form1& form);

// The text a step writes into Text1: " 0.0", " 0.5", " 1.0" ... " 10.0".
QString chiText(qint16 stepCount);

} // namespace kansu
