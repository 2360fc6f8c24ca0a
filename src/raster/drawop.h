#pragma once

#include <QPointF>
#include <QRgb>
#include <QString>
#include <Qt>
#include <limits>

namespace kansu {

// One drawing operation on a surface, in designed pixels, with the drawing
// state it was made with: enough to make it again at any scale.
struct DrawOp {
    enum class Kind : quint8 { Line, Circle, Text, Fill, Layer };
    Kind kind = Kind::Line;
    QPointF at{};      // line start, circle centre, text top-left, fill seed
    QPointF to{};      // line end
    double radius = 0; // circle
    QRgb colour = 0;   // drawing colour; the fill colour of a fill
    QRgb border = 0;   // fill: the border colour
    int width = 1;     // pen width
    Qt::PenStyle style = Qt::SolidLine;
    QString text{};
    double number = std::numeric_limits<double>::quiet_NaN(); // a printed number
    int key = 0;                                              // layer: its key

    // Whether the two paint exactly the same pixels, whatever their colours:
    // the same shape drawn the same way lays down the same pixels at any
    // scale. A fill depends on what lies around it, so it is like nothing.
    bool sameCoverage(const DrawOp& other) const {
        if (kind != other.kind)
            return false;
        switch (kind) {
        case Kind::Line:
            return at == other.at && to == other.to && width == other.width && style == other.style;
        case Kind::Circle:
            return at == other.at && radius == other.radius && width == other.width &&
                   style == other.style;
        case Kind::Text:
            return at == other.at && text == other.text;
        case Kind::Layer:
            return key == other.key;
        case Kind::Fill:
            return false;
        }
        return false;
    }
};

} // namespace kansu
