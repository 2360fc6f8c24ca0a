#pragma once

#include <QProxyStyle>

namespace kansu {

// The toolkit's Fusion look, at the window's zoom, with a focus ring that
// shows on every coloured button and box and on the picture boxes: pupils at
// the keyboard must see where Space and Enter go. Group frames are drawn
// without Fusion's picture of one, whose decoding would load every image
// format the toolkit has while the window opens.
class FocusStyle : public QProxyStyle {
    Q_OBJECT
  public:
    FocusStyle();

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    // The sizes that make up a control grow with the window's zoom.
    void setZoom(double zoom) { zoom_ = zoom; }
    // Fusion's arrow of a combo box has one width at any size: it takes the
    // zoom too, and the text the rest of the box.
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

  private:
    double zoom_ = 1;
};

} // namespace kansu
