#include "accessibility.h"

#include "picturebox.h"

#include <QAccessibleWidget>

namespace kansu {

namespace {

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

  private:
    PictureBox* box_;
};

QAccessibleInterface* surfaceFactory(const QString&, QObject* object) {
    if (auto* box = qobject_cast<PictureBox*>(object))
        return new SurfaceAccessible(box);
    return nullptr;
}

} // namespace

void installSurfaceAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(surfaceFactory);
        return true;
    }();
    (void)installed;
}

} // namespace kansu
