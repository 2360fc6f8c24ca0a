#pragma once

#include <functional>

class QAccessibleEvent;
class QWidget;

namespace kansu {

class Form1;

// Lets screen readers ask a picture box what it shows (its describer)
// rather than read a fixed text, name the lesson window and the speed box,
// and skip what lies outside the window. Tells them, once the current
// handler has run, what changed on the window's surfaces: the description
// of a box in view, and a box or a label on it coming into view or going out
// of it. Many drawing operations in one step make one announcement.
void installSurfaceAccessibility(Form1& form);

// The lesson's own accessible interfaces (the surfaces, the speed box, the
// window): installed before the window is made, as a control told about
// while it is made keeps the interface it had then.
void installAccessibleInterfaces();

// Whether a screen reader (or a test that stands in for one) listens:
// nothing needs to be worked out for it otherwise.
bool screenReadersListening();
// Hands an event to the screen reader.
void tellScreenReaders(QAccessibleEvent& event);
// Where the events go instead, while set: tests listen there.
void redirectScreenReaderEvents(std::function<void(QAccessibleEvent&)> listener);

// Whether any part of the widget lies within its window's area.
bool insideWindow(const QWidget& widget);

} // namespace kansu
