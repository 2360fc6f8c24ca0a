#include "accessibility.h"

#include "app/window/form1.h"
#include "app/window/picturebox.h"
#include "stepnotice.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QHash>
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

// A notification is in view when it is told, though it is never painted.
class NoticeAccessible : public QAccessibleWidget {
  public:
    explicit NoticeAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Notification) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = false;
        state.offscreen = false;
        return state;
    }
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
    // What a step changed: a notification, named by what it tells.
    if (auto* widget = qobject_cast<QWidget*>(object);
        widget && widget->objectName() == QLatin1String(StepNotice::kObjectName))
        return new NoticeAccessible(widget);
    // The lesson window is a window to screen readers, named by its caption.
    if (auto* form = qobject_cast<Form1*>(object))
        return new QAccessibleWidget(form, QAccessible::Window);
    return nullptr;
}

std::function<void(QAccessibleEvent&)>& redirectedEvents() {
    static std::function<void(QAccessibleEvent&)> listener;
    return listener;
}

// Tells screen readers what changed on one picture box.
class SurfaceAnnouncer : public QObject {
  public:
    SurfaceAnnouncer(PictureBox& box, StepNotice* notice = nullptr)
        : QObject(&box), box_(box), notice_(notice) {
        connect(&box, &PictureBox::drawn, this, &SurfaceAnnouncer::announceLater);
    }

    void announceLater() {
        if (pending_ || !screenReadersListening())
            return;
        pending_ = true;
        QMetaObject::invokeMethod(this, &SurfaceAnnouncer::announce, Qt::QueuedConnection);
    }

  private:
    void announce() {
        pending_ = false;
        const auto shownNow = [](const QWidget& w) { return w.isVisible() && insideWindow(w); };
        const auto tellState = [](QWidget* w) {
            QAccessible::State changed;
            changed.invisible = true;
            QAccessibleStateChangeEvent event(w, changed);
            tellScreenReaders(event);
        };
        const bool shown = shownNow(box_);
        if (shown != announcedShown_) {
            announcedShown_ = shown;
            tellState(&box_);
        }
        for (QLabel* label : box_.inner().findChildren<QLabel*>()) {
            const bool labelShown = shownNow(*label);
            auto known = labelsShown_.find(label);
            if (known == labelsShown_.end() || *known != labelShown) {
                labelsShown_.insert(label, labelShown);
                tellState(label);
            }
        }
        if (!shown) {
            // Shown again, it is announced afresh.
            announcedDescription_.clear();
            return;
        }
        const QString description = box_.describe();
        if (description == announcedDescription_)
            return;
        announcedDescription_ = description;
        QAccessibleEvent event(&box_, QAccessible::DescriptionChanged);
        tellScreenReaders(event);
        if (notice_)
            notice_->tell(description);
    }

    PictureBox& box_;
    StepNotice* notice_;
    bool pending_ = false;
    bool announcedShown_ = false;
    QString announcedDescription_;
    QHash<const QWidget*, bool> labelsShown_;
};

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

void installAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(lessonFactory);
        return true;
    }();
    (void)installed;
}

void installSurfaceAccessibility(Form1& form) {
    installAccessibleInterfaces();
    // The board's changes are also told as notifications: screen readers
    // read a description when the focus comes to it, not as it changes.
    new SurfaceAnnouncer(*form.kokuban, new StepNotice(form));
    // The panels also come into view or go out of it as the window's size
    // changes.
    for (PictureBox* panel : {form.gamen, form.hyo}) {
        auto* announcer = new SurfaceAnnouncer(*panel);
        QObject::connect(&form, &Form1::designSizeChanged, announcer,
                         &SurfaceAnnouncer::announceLater);
    }
}

} // namespace kansu
