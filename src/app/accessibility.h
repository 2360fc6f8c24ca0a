#pragma once

#include <functional>

class QAccessibleEvent;
class QWidget;

namespace kansu {

// Lets screen readers ask a picture box what it shows (its describer)
// rather than read a fixed text, name the lesson window and the speed box,
// and skip what lies outside the window.
void installSurfaceAccessibility();

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
