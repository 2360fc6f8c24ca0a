#pragma once

#include <QColor>

namespace kansu {

// The 16-colour QBasic palette that the lesson names colours by.
constexpr QRgb kQBColors[16] = {
    0xFF000000, 0xFF000080, 0xFF008000, 0xFF008080, 0xFF800000, 0xFF800080, 0xFF808000, 0xFFC0C0C0,
    0xFF808080, 0xFF0000FF, 0xFF00FF00, 0xFF00FFFF, 0xFFFF0000, 0xFFFF00FF, 0xFFFFFF00, 0xFFFFFFFF,
};

constexpr QRgb QBColor(int index) {
    return kQBColors[index & 15];
}

} // namespace kansu
