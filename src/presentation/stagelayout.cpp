#include "stagelayout.h"

#include "app/numbers.h"
#include "app/window/form1.h"
#include "app/window/lessonfont.h"

namespace kansu {

QRect scaledRect(const QRect& designed, double zoom) {
    const auto at = [zoom](int v) { return roundToInt(v * zoom); };
    return QRect(QPoint(at(designed.left()), at(designed.top())),
                 QPoint(at(designed.left() + designed.width()) - 1,
                        at(designed.top() + designed.height()) - 1));
}

void placeControls(Form1& form, double zoom) {
    form.setFont(lessonFont(design::kDefaultSurfacePoints, false, zoom));
    for (const PlacedControl& placed : form.placements) {
        const design::ControlDescription& d = *placed.description;
        QWidget& widget = *placed.widget;
        widget.setFont(
            lessonFont(d.points > 0 ? d.points : design::kDefaultSurfacePoints, d.bold, zoom));
        const QRect geometry = scaledRect(design::pixelRect(d), zoom);
        if (auto* label = qobject_cast<QLabel*>(&widget))
            fitToDesign(*label, geometry);
        if (auto* label = qobject_cast<LabelControl*>(&widget)) {
            label->setZoom(zoom);
            continue;
        }
        widget.setGeometry(geometry);
        if (auto* box = qobject_cast<PictureBox*>(&widget))
            box->setZoom(zoom);
    }
    form.stage->setZoom(zoom);
}

} // namespace kansu
