#pragma once

#include "app/window/form1.h"
#include "app/wiring.h"
#include "presentation/presenter.h"

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace kansu::testing {

// Colours of the lesson's pictures.
inline constexpr QRgb kGreen = 0xFF008000;  // the board
inline constexpr QRgb kWhite = 0xFFFFFFFF;  // chalk
inline constexpr QRgb kYellow = 0xFFFFFF00; // the yellow figure
inline constexpr QRgb kCyan = 0xFF00FFFF;   // the blue square
inline constexpr QRgb kPaper = 0xFFFFFFC0;  // the graph panel

// The offscreen platform warns about every fixed-size change of a window;
// installed once the test logger has its own handler, which it then wraps.
inline void quietSizeHints() {
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains(QLatin1String("propagateSizeHints")) && previous)
                previous(type, context, message);
        });
}

// A freshly loaded lesson window whose "end the program" is only counted.
struct FormFixture {
    std::unique_ptr<Form1> form;
    Presenter* presenter = nullptr;
    int endRequests = 0;

    void start() {
        quietSizeHints();
        form = std::make_unique<Form1>();
        form->endProgram = [this] { ++endRequests; };
        presenter = &wireForm1(*form);
        form->show();
    }
};

// Clicks a check box or option button on its indicator, where a pupil
// would click it (the middle of a wide box misses a short caption).
inline void clickCheckBox(QAbstractButton* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

// Shows the graph and the table panels, then chooses a quantity (0 red
// line, 1 blue square, 2 yellow figure), clicking as a pupil would.
inline void showPanelsAndChoose(Form1& form, int element) {
    clickCheckBox(form.Check2);
    clickCheckBox(form.Check3);
    clickCheckBox(form.Option1[static_cast<size_t>(element)]);
}

// A _data() table of one column, a row for each named value.
template <typename T>
void addRows(const char* column, std::initializer_list<std::pair<const char*, T>> rows) {
    QTest::addColumn<T>(column);
    for (const auto& [name, value] : rows)
        QTest::newRow(name) << value;
}

inline QRgb pixelAt(const PictureBox* box, int x, int y) {
    return box->canvas().pixel(x, y);
}

// Pixels that differ between two images of the same size.
inline int differingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) | 0xFF000000u) != (b.pixel(x, y) | 0xFF000000u))
                ++count;
    return count;
}

inline int pixelsOfColour(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if ((image.pixel(x, y) | 0xFF000000u) == (colour | 0xFF000000u))
                ++count;
    return count;
}

} // namespace kansu::testing

namespace kansu::testing {

// What a blank panel like `panel` shows after printing these numbers in
// black, each at its pen position.
inline QImage printedNumbers(const Canvas& panel,
                             std::initializer_list<std::pair<QPointF, double>> numbers) {
    Canvas reference(panel.image().size(), panel.backgroundColour(), 0xFF000000u, panel.font());
    for (const auto& [pen, value] : numbers) {
        reference.setPenPosition(pen);
        reference.printNumber(value);
    }
    return reference.image();
}

} // namespace kansu::testing

namespace kansu::testing {

// The lesson's table of pen positions and values of the y row, per quantity
// (0 red line, 1 blue square, 2 yellow figure) and whole chi.
inline double tableValueX(int element, int chi) {
    static constexpr double kX[3][11] = {
        {50, 113, 166, 219, 272, 325, 378, 431, 484, 537, 600},
        {60, 113, 166, 219, 262, 315, 368, 421, 474, 527, 580},
        {40, 103, 156, 209, 262, 315, 368, 421, 474, 527, 600},
    };
    return kX[element][chi];
}

inline double quantityValue(int element, int chi) {
    return element == 0 ? 10 - chi : element == 1 ? chi * chi : 100 - chi * chi;
}

// A table panel like `table` holding the columns first ... last of a quantity.
inline QImage tableColumns(const Canvas& table, int element, int first, int last) {
    Canvas reference(table.image().size(), table.backgroundColour(), 0xFF000000u, table.font());
    for (int chi = first; chi <= last; ++chi) {
        reference.setPenPosition(QPointF(53 * chi + 60, 25));
        reference.printNumber(chi);
        reference.setPenPosition(QPointF(tableValueX(element, chi), 70));
        reference.printNumber(quantityValue(element, chi));
    }
    return reference.image();
}

} // namespace kansu::testing
