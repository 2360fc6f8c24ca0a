#include "keylist.h"

#include "app/numbers.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>

namespace kansu {

namespace {

QString keysOf(const QAction& action) {
    QStringList keys;
    for (const QKeySequence& key : action.shortcuts())
        keys << key.toString(QKeySequence::NativeText);
    return keys.join(QStringLiteral("、"));
}

} // namespace

QAction* addWindowKey(QWidget& window, const QString& text, QList<QKeySequence> keys) {
    auto* action = new QAction(text, &window);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    return action;
}

QStringList keyLines(const QWidget& window) {
    QStringList lines;
    for (const QAction* action : window.actions())
        if (!action->shortcuts().isEmpty() && !action->text().isEmpty())
            lines << keysOf(*action) + QStringLiteral("：") + action->text();
    return lines;
}

KeyList::KeyList(QWidget& window) : QWidget(&window) {
    setAccessibleName(QString::fromUtf8(kTitle));
    setFocusPolicy(Qt::StrongFocus);
    hide();
}

void KeyList::open() {
    lines_ = keyLines(*parentWidget());
    setAccessibleDescription(lines_.join(QLatin1Char('\n')));
    setGeometry(parentWidget()->rect());
    raise();
    show();
    setFocus(Qt::OtherFocusReason);
}

bool KeyList::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Esc closes the list before it leaves full screen.
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            event->accept();
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            hide();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::TouchBegin:
        hide();
        return true;
    case QEvent::FocusOut:
        hide();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void KeyList::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 160));
    QFont font = parentWidget()->font();
    // Sized to the window, so that the list reads at any zoom.
    font.setPixelSize(std::max(10, roundToInt(height() / 28.0)));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int line = metrics.height() + metrics.height() / 3;
    QStringList shown{QString::fromUtf8(kTitle)};
    shown << lines_ << QStringLiteral("（Esc か、押すと閉じる）");
    int widest = 0;
    for (const QString& text : shown)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    const int margin = line;
    QRect box(0, 0, widest + 2 * margin, line * int(shown.size()) + 2 * margin);
    box.moveCenter(rect().center());
    painter.fillRect(box, Qt::white);
    painter.setPen(Qt::black);
    int y = box.top() + margin;
    for (const QString& text : shown) {
        painter.drawText(QRect(box.left() + margin, y, widest, line), Qt::AlignVCenter, text);
        y += line;
    }
}

} // namespace kansu
