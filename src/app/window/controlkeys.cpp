#include "controlkeys.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

namespace kansu {

bool ControlKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
        (qobject_cast<QPushButton*>(watched) || qobject_cast<QCheckBox*>(watched))) {
        auto* button = static_cast<QAbstractButton*>(watched);
        if (button->isEnabled())
            button->click();
        return true;
    }
    if (qobject_cast<QRadioButton*>(watched) && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        QKeyEvent along(QEvent::KeyPress, key == Qt::Key_Up ? Qt::Key_Left : Qt::Key_Right,
                        keyEvent->modifiers(), keyEvent->text(), keyEvent->isAutoRepeat());
        QCoreApplication::sendEvent(watched, &along);
        return true;
    }
    return false;
}

} // namespace kansu
