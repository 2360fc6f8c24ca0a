#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QTimer>

class QAction;
class QMenu;
class QWidget;

namespace kansu {

class KeyList;

// The window's one place for its options and keys: a context menu holding
// the given groups of actions, opened by a right click, the Menu key or
// Shift+F10, or a long press on the bare window; and キー一覧 (F1), the
// list of every key over the window. The designed window does not change.
class LessonMenu : public QObject {
    Q_OBJECT
  public:
    static constexpr int kLongPressMilliseconds = 600;

    LessonMenu(QWidget& window, const QList<QList<QAction*>>& groups);

    QMenu& menu() const { return *menu_; }
    KeyList& keyList() const { return *keyList_; }
    QAction* keyListAction() const { return keyListAction_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void popupAt(QPoint windowPosition);
    bool onBareWindow(QPoint windowPosition) const;

    QWidget& window_;
    QMenu* menu_;
    KeyList* keyList_;
    QAction* keyListAction_;
    QTimer longPress_;
    QPoint pressedAt_;
};

} // namespace kansu
