#include "lessonmenu.h"

#include "keylist.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>
#include <QWindow>

namespace kansu {

namespace {

constexpr int kLongPressSlack = 10; // pixels a finger may drift

} // namespace

LessonMenu::LessonMenu(QWidget& window, const QList<QList<QAction*>>& groups)
    : QObject(&window), window_(window), menu_(new QMenu(&window)), keyList_(new KeyList(window)) {
    menu_->setAccessibleName(QStringLiteral("メニュー"));
    for (const QList<QAction*>& group : groups) {
        if (!menu_->isEmpty())
            menu_->addSeparator();
        menu_->addActions(group);
    }
    keyListAction_ = addWindowKey(window, QString::fromUtf8(KeyList::kTitle), {Qt::Key_F1});
    connect(keyListAction_, &QAction::triggered, keyList_, &KeyList::open);
    menu_->addSeparator();
    menu_->addAction(keyListAction_);
    // Not every system turns these keys into a context menu request.
    QAction* menuKeys = addWindowKey(window, QStringLiteral("メニュー"),
                                     {Qt::Key_Menu, QKeySequence(Qt::SHIFT | Qt::Key_F10)});
    connect(menuKeys, &QAction::triggered, this, [this] {
        QWidget* focus = window_.focusWidget();
        popupAt(focus ? focus->mapTo(&window_, focus->rect().center()) : window_.rect().center());
    });
    longPress_.setSingleShot(true);
    longPress_.setTimerType(Qt::PreciseTimer);
    longPress_.setInterval(kLongPressMilliseconds);
    connect(&longPress_, &QTimer::timeout, this, [this] { popupAt(pressedAt_); });
    window.installEventFilter(this);
}

void LessonMenu::popupAt(QPoint windowPosition) {
    menu_->popup(window_.mapToGlobal(windowPosition));
}

bool LessonMenu::onBareWindow(QPoint windowPosition) const {
    // A long press on a control is that control's; elsewhere it is the menu's.
    for (QWidget* w = window_.childAt(windowPosition); w && w != &window_; w = w->parentWidget())
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
            qobject_cast<QLineEdit*>(w))
            return false;
    return true;
}

bool LessonMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        if (event->type() == QEvent::ContextMenu) {
            popupAt(window_.mapFromGlobal(static_cast<QContextMenuEvent*>(event)->globalPos()));
            return true;
        }
        if (event->type() == QEvent::Show && window_.windowHandle())
            window_.windowHandle()->installEventFilter(this);
        return false;
    }
    // Presses from a finger, at the platform window in its coordinates.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    const QPoint at = mouse.position().toPoint();
    // A right press opens the menu itself: the browser's platform turns no
    // right press into a context menu request. The χ box keeps its own menu.
    if (type == QEvent::MouseButtonPress && mouse.button() == Qt::RightButton &&
        !qobject_cast<QLineEdit*>(window_.childAt(at))) {
        popupAt(at);
        return true;
    }
    if (type == QEvent::MouseButtonPress) {
        longPress_.stop();
        if (mouse.source() != Qt::MouseEventNotSynthesized && onBareWindow(at)) {
            pressedAt_ = at;
            longPress_.start();
        }
    } else if (type == QEvent::MouseButtonRelease ||
               (at - pressedAt_).manhattanLength() > kLongPressSlack) {
        longPress_.stop();
    }
    return false;
}

} // namespace kansu
