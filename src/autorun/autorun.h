#pragma once

#include <QString>
#include <QtGlobal>

namespace kansu {

class Form1;

// How a run waits between two steps: in a pause inside the handler that
// handles the window's events (Form1::pause), or by returning to the event
// loop and going on from a timer, for the browser, whose event loop cannot
// be nested. Both make the same moves in the same order.
enum class RunDriver { NestedPause, Timer };

// "自動": back to the initial screen, then chi steps by itself to 10 cm with
// a pause after every step; the other controls work between two steps.
// Driven as the platform allows, or as asked.
void jidou_Click(Form1& form);
void jidou_Click(Form1& form, RunDriver driver);

// "ストップ": asks the run to end after its current pause.
void tomeru_Click(Form1& form);

// Waits the given number of milliseconds while the window keeps handling
// its events; a wait of 0 or less returns at once and handles none. It ends
// early only when the program is ending.
void Pause(Form1& form, qint32 milliseconds);

// The pause after each step for a text of the speed box: its number in
// units of 20 ms, rounded halves to even and kept within 32 bits.
qint32 pauseMilliseconds(const QString& speedText);

} // namespace kansu
