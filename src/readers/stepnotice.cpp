#include "stepnotice.h"

#include "accessibility.h"
#include "app/window/form1.h"

#include <QAccessible>
#include <QEvent>
#include <QPushButton>

namespace kansu {

StepNotice::StepNotice(Form1& form)
    : QObject(&form), stop_(form.tomeru), widget_(new QWidget(&form)) {
    // Never painted: it exists for screen readers alone.
    widget_->setObjectName(QString::fromLatin1(kObjectName));
    widget_->hide();
    stop_->installEventFilter(this);
}

void StepNotice::tell(const QString& text) {
    if (stop_->isEnabled()) {
        untold_ = text;
        return;
    }
    show(text);
}

void StepNotice::show(const QString& text) {
    widget_->setAccessibleName(text);
    untold_.clear();
    QAccessibleEvent event(widget_, QAccessible::ObjectShow);
    tellScreenReaders(event);
}

bool StepNotice::eventFilter(QObject* watched, QEvent* event) {
    // (Checked in this order: the window may be closing, its controls going.)
    if (event->type() == QEvent::EnabledChange && watched == stop_ && !stop_->isEnabled() &&
        !untold_.isEmpty())
        show(untold_);
    return false;
}

} // namespace kansu
