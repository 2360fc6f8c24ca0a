#include "accessibility.h"

#include "form1.h"
#include "picturebox.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>

namespace kansu {

namespace {

// Out of the window's area a control is there for the toolkit but not for
// anybody looking: screen readers must not read it.
QAccessible::State withViewState(QAccessible::State state, const QWidget& widget) {
    if (!insideWindow(widget))
        state.invisible = true;
    return state;
}

class SurfaceAccessible : public QAccessibleWidget {
  public:
    explicit SurfaceAccessible(PictureBox* box)
        : QAccessibleWidget(box, QAccessible::Graphic), box_(box) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Description) {
            const QString live = box_->describe();
            if (!live.isEmpty())
                return live;
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        return withViewState(QAccessibleWidget::state(), *box_);
    }

  private:
    PictureBox* box_;
};

// The inner area of a surface and the labels on it: hidden while they lie
// outside the window; a label reads as its text.
class OnSurfaceAccessible : public QAccessibleWidget {
  public:
    OnSurfaceAccessible(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text kind) const override {
        auto* label = qobject_cast<QLabel*>(widget());
        if (label && kind == QAccessible::Name && label->accessibleName().isEmpty())
            return label->text();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        return withViewState(QAccessibleWidget::state(), *widget());
    }
};

// The speed box is named by its purpose; what is typed in it is its value.
// (The toolkit's own combo box names itself by its text on this platform.)
class SpeedBoxAccessible : public QAccessibleWidget {
  public:
    explicit SpeedBoxAccessible(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox), combo_(combo) {
        addControllingSignal(QStringLiteral("currentTextChanged(QString)"));
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return combo_->currentText();
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << showMenuAction();
    }

    void doAction(const QString& action) override {
        if (action == showMenuAction())
            combo_->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

  private:
    QComboBox* combo_;
};

bool onSurface(const QWidget& widget) {
    for (const QWidget* w = widget.parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<const PictureBox*>(w))
            return true;
    return false;
}

QAccessibleInterface* lessonFactory(const QString&, QObject* object) {
    if (auto* box = qobject_cast<PictureBox*>(object))
        return new SurfaceAccessible(box);
    if (auto* view = qobject_cast<SurfaceView*>(object))
        return new OnSurfaceAccessible(view, QAccessible::Client);
    if (auto* label = qobject_cast<QLabel*>(object); label && onSurface(*label))
        return new OnSurfaceAccessible(label, QAccessible::StaticText);
    if (auto* combo = qobject_cast<QComboBox*>(object); combo && combo->isEditable())
        return new SpeedBoxAccessible(combo);
    // The lesson window is a window to screen readers, named by its caption.
    if (auto* form = qobject_cast<Form1*>(object))
        return new QAccessibleWidget(form, QAccessible::Window);
    return nullptr;
}

std::function<void(QAccessibleEvent&)>& redirectedEvents() {
    static std::function<void(QAccessibleEvent&)> listener;
    return listener;
}

} // namespace

bool screenReadersListening() {
    return redirectedEvents() || QAccessible::isActive();
}

void tellScreenReaders(QAccessibleEvent& event) {
    if (redirectedEvents())
        redirectedEvents()(event);
    else
        QAccessible::updateAccessibility(&event);
}

void redirectScreenReaderEvents(std::function<void(QAccessibleEvent&)> listener) {
    redirectedEvents() = std::move(listener);
}

bool insideWindow(const QWidget& widget) {
    QRect area = widget.rect();
    for (const QWidget* w = &widget; !w->isWindow() && w->parentWidget(); w = w->parentWidget()) {
        area.translate(w->pos());
        area &= w->parentWidget()->rect();
    }
    return !area.isEmpty();
}

void installSurfaceAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(lessonFactory);
        return true;
    }();
    (void)installed;
}

} // namespace kansu
