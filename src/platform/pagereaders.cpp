#include "pagereaders.h"

#include <QAccessibleActionInterface>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <emscripten.h>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <string>

namespace kansu::platform {

using emscripten::val;

namespace {

// A press on a page element of the layer, handed to the program.
// (JavaScript, which the C++ formatter would garble.)
// clang-format off
EM_JS(void, listenForPress, (const char* id, int index), {
    document.getElementById(UTF8ToString(id)).addEventListener('click', function() {
        Module.kansuPress(index);
    });
});
// clang-format on

void setAttribute(const val& element, const char* name, const std::string& value) {
    element.call<void>("setAttribute", std::string(name), value);
}

const char* ariaRole(QAccessible::Role role) {
    switch (role) {
    case QAccessible::Button:
        return "button";
    case QAccessible::CheckBox:
        return "checkbox";
    case QAccessible::RadioButton:
        return "radio";
    case QAccessible::ComboBox:
        return "combobox";
    case QAccessible::EditableText:
        return "textbox";
    case QAccessible::Graphic:
        return "img";
    case QAccessible::Grouping:
        return "radiogroup";
    case QAccessible::StaticText:
        return "note";
    default:
        return nullptr; // a container: its controls go to its parent's place
    }
}

std::string pixels(int value) {
    return std::to_string(value) + "px";
}

} // namespace

PageReaders& PageReaders::instance() {
    static PageReaders readers;
    return readers;
}

void PageReaders::build(QWidget& window) {
    const val document = val::global("document");
    layer_ = document.call<val>("getElementById", std::string("kansu-layer"));
    live_ = document.call<val>("getElementById", std::string("kansu-told"));
    if (layer_.isNull() || live_.isNull())
        return; // a page without the layer's places
    // The browser's platform has no accessibility of its own: the toolkit's
    // default one is switched on, so that controls tell their changes, and
    // they come here.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    // The toolkit makes its canvas editable to hear the clipboard, which
    // would make every control an editable text for screen readers; the
    // page hands the lesson its keys and clipboard from wherever the focus is.
    const val canvas = document.call<val>("getElementById", std::string("screen"));
    canvas.call<void>("removeAttribute", std::string("contenteditable"));
    if (document["activeElement"].strictlyEquals(canvas))
        canvas.call<void>("blur");
    QAccessible::installUpdateHandler(&PageReaders::update);
    add(QAccessible::queryAccessibleInterface(&window), -1);
    window.installEventFilter(this);
    place();
    // Tab from outside the lesson comes to the control that has its focus.
    if (QWidget* focused = QApplication::focusWidget()) {
        const QAccessible::Id id =
            QAccessible::uniqueId(QAccessible::queryAccessibleInterface(focused));
        for (int i = 0; i < int(mirrors_.size()); ++i)
            if (mirrors_[i].id == id) {
                focused_ = i;
                setAttribute(mirrors_[i].element, "tabindex", "0");
            }
    }
}

void PageReaders::add(QAccessibleInterface* node, int parent) {
    if (!node)
        return;
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (!child || child->role() == QAccessible::Notification)
            continue;
        const char* role = ariaRole(child->role());
        if (!role) {
            add(child, parent);
            continue;
        }
        const int index = int(mirrors_.size());
        const std::string id = "kansu-control-" + std::to_string(index);
        val element = val::global("document").call<val>("createElement", std::string("div"));
        element.set("id", id);
        setAttribute(element, "role", role);
        if (child->state().focusable)
            setAttribute(element, "tabindex", "-1");
        (parent < 0 ? layer_ : mirrors_[parent].element).call<void>("appendChild", element);
        mirrors_.push_back({QAccessible::uniqueId(child), element, parent});
        refresh(index);
        if (child->actionInterface())
            listenForPress(id.c_str(), index);
        if (QWidget* widget = qobject_cast<QWidget*>(child->object())) {
            widget->installEventFilter(this);
            // A speed chosen from the list is said, as the list is the
            // toolkit's own window, out of the readers' reach.
            // (The box also reports the text it holds as chosen when it
            // loses the focus: only a new speed is said.)
            if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                spokenSpeed_ = combo->currentText();
                connect(combo, &QComboBox::activated, this, [this, combo] {
                    if (combo->currentText() == spokenSpeed_)
                        return;
                    spokenSpeed_ = combo->currentText();
                    tell(combo->accessibleName() + QLatin1Char(' ') + spokenSpeed_);
                });
            }
        }
        add(child, index);
    }
}

void PageReaders::refresh(int index) {
    QAccessibleInterface* control = QAccessible::accessibleInterface(mirrors_[index].id);
    if (!control)
        return;
    val& element = mirrors_[index].element;
    const auto set = [&element](const char* name, const QString& value) {
        if (value.isEmpty())
            element.call<void>("removeAttribute", std::string(name));
        else
            setAttribute(element, name, value.toStdString());
    };
    const QAccessible::State state = control->state();
    const QAccessible::Role role = control->role();
    QString name = control->text(QAccessible::Name);
    // The speed box's text field is the speed box.
    const int parent = mirrors_[index].parent;
    if (name.isEmpty() && parent >= 0)
        if (QAccessibleInterface* outer = QAccessible::accessibleInterface(mirrors_[parent].id))
            if (outer->role() == QAccessible::ComboBox)
                name = outer->text(QAccessible::Name);
    set("aria-label", name);
    set("aria-description", control->text(QAccessible::Description));
    if (role == QAccessible::CheckBox || role == QAccessible::RadioButton)
        set("aria-checked", QString::fromLatin1(state.checked ? "true" : "false"));
    if (role == QAccessible::ComboBox)
        set("aria-expanded", QString::fromLatin1(state.expanded ? "true" : "false"));
    set("aria-disabled", state.disabled ? QStringLiteral("true") : QString());
    if (role == QAccessible::ComboBox || role == QAccessible::EditableText)
        element.set("textContent", control->text(QAccessible::Value).toStdString());
    // The element takes no typing itself (the keys go to the lesson), which
    // browsers would otherwise report as a read-only field.
    if (role == QAccessible::EditableText)
        set("aria-readonly", QString::fromLatin1(state.readOnly ? "true" : "false"));
    element.set("hidden", bool(state.invisible));
}

bool PageReaders::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        placeLater();
        break;
    default:
        break;
    }
    return false;
}

void PageReaders::placeLater() {
    if (placing_)
        return;
    placing_ = true;
    QTimer::singleShot(0, this, [this] {
        placing_ = false;
        place();
    });
}

void PageReaders::place() {
    // The screen is the page's canvas, which the layer covers.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    std::vector<QRect> rects(mirrors_.size());
    for (size_t i = 0; i < mirrors_.size(); ++i) {
        QAccessibleInterface* control = QAccessible::accessibleInterface(mirrors_[i].id);
        if (!control)
            continue;
        // A control's whole rectangle: the toolkit's own tells only a check
        // box's box and caption.
        const auto* widget = qobject_cast<const QWidget*>(control->object());
        const QRect rect =
            widget ? QRect(widget->mapToGlobal(QPoint()), widget->size()) : control->rect();
        rects[i] = rect.translated(-origin);
        const int parent = mirrors_[i].parent;
        // Elements inside another lie in its box.
        const QPoint corner =
            rects[i].topLeft() - (parent < 0 ? QPoint() : rects[parent].topLeft());
        val style = mirrors_[i].element["style"];
        style.set("left", pixels(corner.x()));
        style.set("top", pixels(corner.y()));
        style.set("width", pixels(rects[i].width()));
        style.set("height", pixels(rects[i].height()));
        refresh(int(i));
    }
}

void PageReaders::focus(int index) {
    if (focused_ >= 0 && focused_ != index)
        setAttribute(mirrors_[focused_].element, "tabindex", "-1");
    focused_ = index;
    val element = mirrors_[index].element;
    setAttribute(element, "tabindex", "0");
    // The page's focus follows, unless it is on something else of the page
    // (the end screen's button, the toolkit's text field for a tablet's
    // on-screen keyboard).
    const val active = val::global("document")["activeElement"];
    const val body = val::global("document")["body"];
    const val canvas = val::global("document").call<val>("getElementById", std::string("screen"));
    if (active.isNull() || active.strictlyEquals(body) || active.strictlyEquals(canvas) ||
        layer_.call<bool>("contains", active)) {
        val options = val::object();
        options.set("preventScroll", true);
        element.call<void>("focus", options);
    }
}

void PageReaders::tell(const QString& text) {
    live_.set("textContent", text.toStdString());
}

void PageReaders::press(int index) {
    if (index < 0 || index >= int(mirrors_.size()))
        return;
    QAccessibleInterface* control = QAccessible::accessibleInterface(mirrors_[index].id);
    QAccessibleActionInterface* actions = control ? control->actionInterface() : nullptr;
    if (!actions)
        return;
    const QStringList names = actions->actionNames();
    for (const QString& action :
         {QAccessibleActionInterface::toggleAction(), QAccessibleActionInterface::pressAction(),
          QAccessibleActionInterface::showMenuAction(),
          QAccessibleActionInterface::setFocusAction()})
        if (names.contains(action)) {
            actions->doAction(action);
            return;
        }
}

void PageReaders::update(QAccessibleEvent* event) {
    PageReaders& readers = instance();
    QAccessibleInterface* source = event->accessibleInterface();
    if (!source)
        return;
    if (source->role() == QAccessible::Notification) {
        if (event->type() == QAccessible::ObjectShow)
            readers.tell(source->text(QAccessible::Name));
        return;
    }
    const QAccessible::Id id = QAccessible::uniqueId(source);
    for (int i = 0; i < int(readers.mirrors_.size()); ++i) {
        if (readers.mirrors_[i].id != id)
            continue;
        readers.refresh(i);
        if (event->type() == QAccessible::Focus)
            readers.focus(i);
        return;
    }
    // The focus on what has no element of its own (the menu's entries, the
    // list of keys) is said in the live region.
    if (event->type() == QAccessible::Focus) {
        const QString description = source->text(QAccessible::Description);
        const QString name = source->text(QAccessible::Name);
        readers.tell(description.isEmpty() ? name : name + QStringLiteral("。") + description);
    }
}

} // namespace kansu::platform
