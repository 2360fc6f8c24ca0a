#pragma once

#include <QStringList>
#include <QWidget>

class QAction;

namespace kansu {

// A key of the window: an action of `window` named `text`, pressed by any
// of `keys` while the window is active. The list of keys shows it.
QAction* addWindowKey(QWidget& window, const QString& text, QList<QKeySequence> keys);

// Every key of the window, read from its actions: a line for each action
// with a shortcut, its text and its keys, in the order they were added.
QStringList keyLines(const QWidget& window);

// The list of keys over the lesson window, closed by Esc or a press.
// Screen readers read it as a dialog named キー一覧 whose description is
// the list.
class KeyList : public QWidget {
    Q_OBJECT
  public:
    static constexpr char kTitle[] = "キー一覧";

    explicit KeyList(QWidget& window);
    // Reads the keys afresh and covers the window.
    void open();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QStringList lines_;
};

} // namespace kansu
