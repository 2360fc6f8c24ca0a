// The program as a web page: the browser's toolkit platform draws the
// window on a canvas of the page, the page's script shows the end screen,
// and the event loop is the browser's own, which cannot be nested.

#include "platform.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <emscripten.h>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <string>
#include <vector>

namespace kansu::platform {

void addBundledFaces() {
    QFontDatabase::addApplicationFont(QStringLiteral(":/faces/ipagp.ttf"));
}

namespace {

// Marks the moment the window has first been painted on the page's timeline
// ("kansu-window-painted"), where the browser's tools and the page's own
// script can read how long the lesson took to appear.
class FirstPaintMark : public QObject {
  public:
    explicit FirstPaintMark(QWidget& form) : QObject(&form), form_(form) {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && widget->window() == &form_) {
            qApp->removeEventFilter(this);
            // Once the whole first frame is painted and on its way.
            QTimer::singleShot(0, this, [this] {
                emscripten::val::global("performance")
                    .call<void>("mark", std::string("kansu-window-painted"));
                deleteLater();
            });
        }
        return false;
    }

  private:
    const QWidget& form_;
};

using emscripten::val;

// A press on a page element of the layer below, handed to the program.
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

// What screen readers in the browser use: the toolkit draws the window on a
// canvas, which they cannot read, and has no bridge to the page's own
// accessibility here. A layer of page elements inside the canvas (its
// fallback content, which browsers expose but do not draw) mirrors every
// control with its name, role, description and state; the canvas's active
// descendant follows the lesson's focus; a click on an element presses its
// control; and a polite live region says what the lesson's notifications
// say. The toolkit's accessibility events keep it current.
class PageReaders {
  public:
    static PageReaders& instance() {
        static PageReaders readers;
        return readers;
    }

    void build(QWidget& window) {
        const val document = val::global("document");
        canvas_ = document.call<val>("querySelector", std::string("#screen"));
        setAttribute(canvas_, "role", "group");
        setAttribute(canvas_, "aria-label", window.windowTitle().toStdString());
        live_ = document.call<val>("createElement", std::string("div"));
        live_.set("id", std::string("kansu-told"));
        setAttribute(live_, "role", "status");
        setAttribute(live_, "aria-live", "polite");
        setAttribute(live_, "class", "kansu-readers");
        document["body"].call<void>("appendChild", live_);
        // The browser's platform has no accessibility of its own: the
        // toolkit's default one is switched on, so that controls tell their
        // changes, and they come here.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler(&PageReaders::update);
        add(QAccessible::queryAccessibleInterface(&window), canvas_);
    }

    void press(int index) {
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

  private:
    struct Mirror {
        QAccessible::Id id;
        val element;
    };

    static const char* ariaRole(QAccessible::Role role) {
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

    void add(QAccessibleInterface* node, val parent) {
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
            parent.call<void>("appendChild", element);
            mirrors_.push_back({QAccessible::uniqueId(child), element});
            refresh(index);
            if (child->actionInterface())
                listenForPress(id.c_str(), index);
            add(child, element);
        }
    }

    void refresh(int index) {
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
        set("aria-label", control->text(QAccessible::Name));
        set("aria-description", control->text(QAccessible::Description));
        if (role == QAccessible::CheckBox || role == QAccessible::RadioButton)
            set("aria-checked", QString::fromLatin1(state.checked ? "true" : "false"));
        if (role == QAccessible::ComboBox)
            set("aria-expanded", QString::fromLatin1(state.expanded ? "true" : "false"));
        set("aria-disabled", state.disabled ? QStringLiteral("true") : QString());
        if (role == QAccessible::ComboBox || role == QAccessible::EditableText)
            element.set("textContent", control->text(QAccessible::Value).toStdString());
        element.set("hidden", bool(state.invisible));
    }

    static void update(QAccessibleEvent* event) {
        PageReaders& readers = instance();
        QAccessibleInterface* source = event->accessibleInterface();
        if (!source)
            return;
        if (source->role() == QAccessible::Notification) {
            if (event->type() == QAccessible::ObjectShow)
                readers.live_.set("textContent", source->text(QAccessible::Name).toStdString());
            return;
        }
        const QAccessible::Id id = QAccessible::uniqueId(source);
        for (int i = 0; i < int(readers.mirrors_.size()); ++i) {
            if (readers.mirrors_[i].id != id)
                continue;
            readers.refresh(i);
            if (event->type() == QAccessible::Focus)
                setAttribute(readers.canvas_, "aria-activedescendant",
                             readers.mirrors_[i].element["id"].as<std::string>());
            return;
        }
    }

    std::vector<Mirror> mirrors_;
    val canvas_ = val::undefined();
    val live_ = val::undefined();
};

void pressMirrored(int index) {
    PageReaders::instance().press(index);
}

} // namespace

EMSCRIPTEN_BINDINGS(kansuPageReaders) {
    emscripten::function("kansuPress", &pressMirrored);
}

bool windowFillsScreen() {
    return true;
}

void toggleScreenFullScreen() {
    // The page's own script asks the browser, and hears its answer.
    const emscripten::val toggle = emscripten::val::global("kansuToggleFullScreen");
    if (toggle.typeOf().as<std::string>() == "function")
        toggle();
}

void showLessonWindow(QWidget& form) {
    new FirstPaintMark(form);
    // The page is the window's frame: no title bar, whose buttons would
    // move or resize the lesson behind the presenter's back. 終了 ends it.
    form.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    form.show();
    PageReaders::instance().build(form);
}

void endApplication() {
    // The page's own script shows the end screen; a page without one is
    // left as it is, with the window gone.
    const emscripten::val showEndScreen = emscripten::val::global("kansuLessonEnded");
    if (showEndScreen.typeOf().as<std::string>() == "function")
        showEndScreen();
}

QFont::HintingPreference lessonHinting() {
    // Without fontconfig nobody tells the toolkit how to hint the glyphs:
    // the desktop's default, slight hinting, so that the text looks the same.
    return QFont::PreferVerticalHinting;
}

void onTerminationRequest(QObject*, std::function<void()>) {
    // A page is closed by the browser, which asks nothing of it.
}

bool nestedEventLoops() {
    return false;
}

} // namespace kansu::platform
