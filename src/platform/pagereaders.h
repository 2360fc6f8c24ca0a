#pragma once

// The page's layer for screen readers (the browser's platform only).

#include <QAccessible>
#include <QObject>
#include <QString>
#include <emscripten/val.h>
#include <vector>

class QWidget;

namespace kansu::platform {

// What screen readers, screen magnifiers and a reader's explore-by-touch use
// in the browser: the toolkit draws the window on a canvas, which they
// cannot read, and has no bridge to the page's own accessibility here. A
// layer of page elements beside the canvas mirrors every control with its
// name, role, description and state, each element lying over its control
// wherever the lesson stands; the focused control's element has the page's
// focus (a roving tab index), and the keys pressed there go to the lesson; a
// click on an element (a reader's press) presses its control; and a polite
// live region says what the lesson's notifications say.
class PageReaders : public QObject {
  public:
    static PageReaders& instance();

    void build(QWidget& window);
    void press(int index);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Mirror {
        QAccessible::Id id;
        emscripten::val element;
        int parent; // index of the enclosing mirror; -1: the layer itself
    };

    void add(QAccessibleInterface* node, int parent);
    void refresh(int index);
    // Every element over its control, after the lesson has moved or resized.
    void placeLater();
    void place();
    void focus(int index);
    void tell(const QString& text);
    static void update(QAccessibleEvent* event);

    std::vector<Mirror> mirrors_;
    emscripten::val layer_ = emscripten::val::undefined();
    emscripten::val live_ = emscripten::val::undefined();
    int focused_ = -1;
    QString spokenSpeed_;
    bool placing_ = false;
};

} // namespace kansu::platform
