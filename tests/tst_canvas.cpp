#include "app/canvas.h"
#include "app/qbcolor.h"
#include "app/window/form1.h"
#include "app/window/lessonfont.h"
#include "formfixture.h"
#include "raster/surfacememory.h"

#include <QFile>
#include <QFontMetrics>
#include <QTest>
#include <cmath>

using namespace kansu;
using namespace kansu::testing;

namespace {

Canvas makeBoard() {
    Canvas board(QSize(200, 150), kGreen, kWhite, lessonFont(9));
    board.setPenWidth(3);
    return board;
}

void outline(Canvas& c, QPointF corner, double side) {
    c.lineRelative(corner, QPointF(side, 0));
    c.lineFromPen(QPointF(0, side));
    c.lineFromPen(QPointF(-side, 0));
    c.lineFromPen(QPointF(0, -side));
}

} // namespace

class TestCanvas : public QObject {
    Q_OBJECT
  private slots:
    void fillStopsAtClosedOutline();
    void fillReachesSurfaceEdges();
    void fillSeededOnBorderPaintsNothing();
    void fillNeedsSolidStyle();
    void fillThroughFilledRegionKeepsGoing();
    void clearKeepsDrawingState();
    void linesMoveThePen();
    void zeroLengthChalkLineIsADot();
    void onePixelLineCoversItsEnds();
    void eraseByRedrawRestoresEveryPixel_data();
    void eraseByRedrawRestoresEveryPixel();
    void printPutsTopLeftAtPen();
    void printNumberHasBlankForSign();
    void farAwayDrawingIsSkipped();
    void changesAreReported();
    void rememberedDrawingEqualsDrawing();
    void surfaceImagesKeepTheirOwnPixels();
    void surfaceMemoryIsGivenBack();
    void surfaceImageOfNoSize();
};

void TestCanvas::fillStopsAtClosedOutline() {
    Canvas board = makeBoard();
    outline(board, QPointF(20, 20), 100);
    board.setFillStyle(FillStyle::Solid);
    board.setFillColour(kYellow);
    board.floodFill(QPoint(25, 25), board.drawingColour());
    // Inside: all yellow, including the corners next to the outline.
    for (const QPoint p :
         {QPoint(22, 22), QPoint(118, 22), QPoint(22, 118), QPoint(118, 118), QPoint(70, 70)})
        QCOMPARE(board.pixel(p.x(), p.y()), kYellow);
    // The outline is closed: nothing outside changed.
    QCOMPARE(pixelsOfColour(board.image(), QRect(0, 0, 200, 18), kYellow), 0);
    QCOMPARE(pixelsOfColour(board.image(), QRect(122, 0, 78, 150), kYellow), 0);
    QCOMPARE(pixelsOfColour(board.image(), QRect(0, 122, 200, 28), kYellow), 0);
    QCOMPARE(board.pixel(19, 19), kWhite); // square caps close the corner
    QCOMPARE(board.pixel(18, 18), kGreen);
    // Everything inside the 3-pixel chalk is filled: 97 x 97 pixels.
    QCOMPARE(pixelsOfColour(board.image(), board.image().rect(), kYellow), 97 * 97);
}

void TestCanvas::fillReachesSurfaceEdges() {
    Canvas board = makeBoard();
    outline(board, QPointF(20, 20), 100);
    board.setFillStyle(FillStyle::Solid);
    board.setFillColour(kYellow);
    board.floodFill(QPoint(5, 5), kWhite);
    QCOMPARE(board.pixel(0, 0), kYellow);
    QCOMPARE(board.pixel(199, 149), kYellow);
    QCOMPARE(board.pixel(70, 70), kGreen); // the inside is another region
    QCOMPARE(pixelsOfColour(board.image(), board.image().rect(), kYellow), 200 * 150 - 103 * 103);
}

void TestCanvas::fillSeededOnBorderPaintsNothing() {
    Canvas board = makeBoard();
    outline(board, QPointF(20, 20), 100);
    const QImage before = board.image();
    board.setFillStyle(FillStyle::Solid);
    board.setFillColour(kYellow);
    board.floodFill(QPoint(20, 50), kWhite);
    board.floodFill(QPoint(-1, 5), kWhite);
    board.floodFill(QPoint(200, 5), kWhite);
    QCOMPARE(differingPixels(before, board.image()), 0);
}

void TestCanvas::fillNeedsSolidStyle() {
    Canvas board = makeBoard();
    outline(board, QPointF(20, 20), 100);
    const QImage before = board.image();
    board.setFillColour(kYellow);
    board.setFillStyle(FillStyle::None);
    board.floodFill(QPoint(25, 25), kWhite);
    QCOMPARE(differingPixels(before, board.image()), 0);
}

void TestCanvas::fillThroughFilledRegionKeepsGoing() {
    // The border mode ignores the colours inside: a second fill in another
    // colour repaints the whole region, and a fill in the border colour ends.
    Canvas board = makeBoard();
    outline(board, QPointF(20, 20), 100);
    board.setFillStyle(FillStyle::Solid);
    board.setFillColour(kYellow);
    board.floodFill(QPoint(25, 25), kWhite);
    board.setFillColour(QBColor(11));
    board.floodFill(QPoint(100, 100), kWhite);
    QCOMPARE(pixelsOfColour(board.image(), board.image().rect(), QBColor(11)), 97 * 97);
    board.setFillColour(kWhite);
    board.floodFill(QPoint(25, 25), kWhite);
    QCOMPARE(board.pixel(70, 70), kWhite);
}

void TestCanvas::clearKeepsDrawingState() {
    Canvas board = makeBoard();
    board.setPenWidth(5);
    board.setPenStyle(Qt::DashLine);
    board.setDrawingColour(kYellow);
    board.setFillStyle(FillStyle::Solid);
    board.setFillColour(QBColor(9));
    board.line(QPointF(10, 10), QPointF(50, 50));
    QCOMPARE(board.penPosition(), QPointF(50, 50));
    board.clear();
    QCOMPARE(board.penPosition(), QPointF(0, 0));
    QCOMPARE(board.penWidth(), 5);
    QCOMPARE(board.penStyle(), Qt::DashLine);
    QCOMPARE(board.drawingColour(), kYellow);
    QCOMPARE(board.fillStyle(), FillStyle::Solid);
    QCOMPARE(board.fillColour(), QBColor(9));
    QCOMPARE(pixelsOfColour(board.image(), board.image().rect(), kGreen), 200 * 150);
}

void TestCanvas::linesMoveThePen() {
    Canvas board = makeBoard();
    board.lineRelative(QPointF(10, 20), QPointF(30, 0));
    QCOMPARE(board.penPosition(), QPointF(40, 20));
    board.lineFromPen(QPointF(0, 15));
    QCOMPARE(board.penPosition(), QPointF(40, 35));
    QCOMPARE(board.pixel(40, 30), kWhite);
}

void TestCanvas::zeroLengthChalkLineIsADot() {
    Canvas board = makeBoard();
    outline(board, QPointF(50, 50), 0);
    QCOMPARE(pixelsOfColour(board.image(), board.image().rect(), kWhite), 9);
    QCOMPARE(pixelsOfColour(board.image(), QRect(49, 49, 3, 3), kWhite), 9);
}

void TestCanvas::onePixelLineCoversItsEnds() {
    Canvas board = makeBoard();
    board.setPenWidth(1);
    board.line(QPointF(10, 40), QPointF(110, 40), QBColor(0));
    QCOMPARE(pixelsOfColour(board.image(), board.image().rect(), QBColor(0)), 101);
    QCOMPARE(board.pixel(10, 40), QBColor(0));
    QCOMPARE(board.pixel(110, 40), QBColor(0));
}

void TestCanvas::eraseByRedrawRestoresEveryPixel_data() {
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<bool>("text");
    QTest::newRow("mark on whole pixel") << QPointF(35, 20) << false;
    QTest::newRow("mark at 495.2") << QPointF(59, 95.2) << false;
    QTest::newRow("mark at 24.8") << QPointF(59, 24.8) << false;
    QTest::newRow("mark at 63.2") << QPointF(107, 63.2) << false;
    QTest::newRow("number") << QPointF(40, 70) << true;
    QTest::newRow("number at half pixel") << QPointF(40.5, 70.5) << true;
}

void TestCanvas::eraseByRedrawRestoresEveryPixel() {
    QFETCH(QPointF, at);
    QFETCH(bool, text);
    const QRgb background = 0xFFFFFFC0;
    Canvas panel(QSize(200, 150), background, QBColor(0), lessonFont(14.25, true));
    panel.setPenWidth(2);
    const QImage blank = panel.image();
    const auto draw = [&] {
        if (text) {
            panel.setPenPosition(at);
            panel.printNumber(100);
        } else {
            panel.circle(at, 2);
        }
    };
    // Drawing twice must not thicken anything either.
    draw();
    const QImage once = panel.image();
    QVERIFY(differingPixels(blank, once) > 4);
    draw();
    QCOMPARE(differingPixels(once, panel.image()), 0);
    panel.setDrawingColour(background);
    draw();
    QCOMPARE(differingPixels(blank, panel.image()), 0);
}

void TestCanvas::printPutsTopLeftAtPen() {
    const QRgb background = 0xFFC0FFC0;
    Canvas panel(QSize(300, 120), background, QBColor(0), lessonFont(14.25, true));
    panel.setPenPosition(QPointF(60, 25));
    panel.print(QStringLiteral("8"));
    // The ink lies right of and below the pen position, within one line.
    const QFontMetrics metrics(panel.font());
    QCOMPARE(pixelsOfColour(panel.image(), QRect(0, 0, 300, 25), QBColor(0)), 0);
    QCOMPARE(pixelsOfColour(panel.image(), QRect(0, 0, 60, 120), QBColor(0)), 0);
    QVERIFY(pixelsOfColour(panel.image(), QRect(60, 25, 30, metrics.height()), QBColor(0)) > 10);
    QCOMPARE(pixelsOfColour(panel.image(), QRect(0, 25 + metrics.height(), 300, 120), QBColor(0)),
             0);
    // Afterwards the pen is at the start of the next line.
    QCOMPARE(panel.penPosition(), QPointF(0, 25 + metrics.height()));
}

void TestCanvas::printNumberHasBlankForSign() {
    const QRgb background = 0xFFC0FFC0;
    Canvas a(QSize(200, 60), background, QBColor(0), lessonFont(14.25, true));
    Canvas b(QSize(200, 60), background, QBColor(0), lessonFont(14.25, true));
    a.setPenPosition(QPointF(10, 10));
    a.printNumber(5);
    b.setPenPosition(QPointF(10, 10));
    b.print(QStringLiteral(" 5"));
    QCOMPARE(differingPixels(a.image(), b.image()), 0);
    a.clear();
    b.clear();
    a.setPenPosition(QPointF(10, 10));
    a.printNumber(-5);
    b.setPenPosition(QPointF(10, 10));
    b.print(QStringLiteral("-5"));
    QCOMPARE(differingPixels(a.image(), b.image()), 0);
}

void TestCanvas::farAwayDrawingIsSkipped() {
    Canvas panel(QSize(100, 100), 0xFFFFFFC0, QBColor(0), lessonFont(9));
    const QImage blank = panel.image();
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::nan("");
    panel.circle(QPointF(35 + 24e300, 50), 2);
    panel.circle(QPointF(inf, nan), 2);
    panel.circle(QPointF(50, 50), 1e300);
    panel.setPenPosition(QPointF(-1e300, 25));
    panel.printNumber(1e300);
    panel.setPenPosition(QPointF(nan, 25));
    panel.printNumber(7);
    panel.line(QPointF(nan, 0), QPointF(10, 10));
    panel.line(QPointF(-1e300, -1e300), QPointF(-1e299, -1e300));
    panel.line(QPointF(-1e300, 50), QPointF(1e300, 50));
    QCOMPARE(differingPixels(blank, panel.image()), 0);
    // Just outside the surface is fine: the visible part shows.
    panel.circle(QPointF(-1, 50), 2);
    panel.line(QPointF(-500, 60), QPointF(500, 60));
    QVERIFY(differingPixels(blank, panel.image()) > 100);
}

void TestCanvas::changesAreReported() {
    Canvas board = makeBoard();
    QRect reported;
    board.setChangedHandler([&](const QRect& r) { reported |= r; });
    board.line(QPointF(10, 10), QPointF(30, 10));
    QVERIFY(reported.contains(QRect(9, 9, 23, 3)));
    QVERIFY(!reported.contains(QPoint(100, 100)));
    reported = {};
    board.clear();
    QCOMPARE(reported, board.image().rect());
}

void TestCanvas::rememberedDrawingEqualsDrawing() {
    const auto draw = [](Canvas& c) {
        c.setPenWidth(1);
        c.line(QPointF(10, 10), QPointF(150, 10), QBColor(0));
        c.setPenPosition(QPointF(20, 30));
        c.setDrawingColour(QBColor(0));
        c.printNumber(42);
        c.setPenWidth(2);
        c.circle(QPointF(60.5, 80.2), 2, QBColor(12));
    };
    Canvas drawn = makeBoard();
    Canvas remembered = makeBoard();
    drawn.setDrawingColour(kYellow);
    remembered.setDrawingColour(kYellow);
    for (Canvas* c : {&drawn, &remembered}) {
        c->setFillStyle(FillStyle::Solid);
        c->setFillColour(QBColor(11));
        c->floodFill(QPoint(5, 5), kWhite); // something under the drawing
    }
    draw(drawn);
    remembered.drawRemembered(7, draw);
    QCOMPARE(differingPixels(drawn.image(), remembered.image()), 0);
    // The state it set, and only that.
    QCOMPARE(remembered.penWidth(), 2);
    QCOMPARE(remembered.penPosition(), drawn.penPosition());
    QCOMPARE(remembered.drawingColour(), QBColor(0));
    const auto shortLine = [](Canvas& c) { c.line(QPointF(0, 0), QPointF(5, 0), kWhite); };
    shortLine(drawn);
    for (int time = 0; time < 3; ++time) { // drawn, recorded, copied
        remembered.setDrawingColour(kYellow);
        remembered.setPenPosition(QPointF(9, 9));
        remembered.drawRemembered(8, shortLine);
        QCOMPARE(remembered.drawingColour(), kYellow);
        QCOMPARE(remembered.penWidth(), 2);
        QCOMPARE(remembered.penPosition(), QPointF(5, 0));
    }
    // Drawn the first time, recorded the second, copied from then on.
    int reports = 0;
    remembered.setChangedHandler([&](const QRect&) { ++reports; });
    remembered.drawRemembered(7, draw);
    QCOMPARE(differingPixels(drawn.image(), remembered.image()), 0);
    bool drawnAgain = false;
    remembered.drawRemembered(7, [&](Canvas&) { drawnAgain = true; });
    QVERIFY(!drawnAgain);
    QCOMPARE(reports, 0); // nothing changed, nothing to repaint
    remembered.clear();
    drawn.clear();
    draw(drawn);
    remembered.drawRemembered(7, draw);
    QCOMPARE(differingPixels(drawn.image(), remembered.image()), 0);
    QVERIFY(reports > 0);
}

namespace {

// Whether the address lies in one of the process's mappings.
bool mapped(const void* address) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return true;
    const auto value = reinterpret_cast<quintptr>(address);
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const QList<QByteArray> range = line.left(line.indexOf(' ')).split('-');
        if (range.size() == 2 && range[0].toULongLong(nullptr, 16) <= value &&
            value < range[1].toULongLong(nullptr, 16))
            return true;
    }
    return false;
}

} // namespace

void TestCanvas::surfaceImagesKeepTheirOwnPixels() {
    // Several images share memory; each must keep exactly what is drawn on
    // it while others come and go.
    std::vector<QImage> images;
    const QImage::Format formats[] = {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied,
                                      QImage::Format_Grayscale8};
    for (int i = 0; i < 9; ++i) {
        QImage image = surfaceImage(QSize(97 + 131 * i, 61 + 17 * i), formats[i % 3]);
        QCOMPARE(image.size(), QSize(97 + 131 * i, 61 + 17 * i));
        QCOMPARE(image.format(), formats[i % 3]);
        QVERIFY(image.bytesPerLine() >= image.width() * image.depth() / 8);
        QCOMPARE(reinterpret_cast<quintptr>(image.constBits()) % 4, quintptr(0));
        image.fill(QColor::fromRgb(QRgb(0xFF000000u | (0x1F * i))));
        images.push_back(image);
    }
    images.erase(images.begin() + 3);
    images.erase(images.begin());
    images.push_back(surfaceImage(QSize(300, 200), QImage::Format_RGB32));
    images.back().fill(Qt::white);
    // A copy is the toolkit's own from the first change on.
    QImage copy = images.front();
    copy.fill(Qt::black);
    for (const QImage& image : images) {
        const QRgb corner = image.pixel(0, 0);
        const QRgb far = image.pixel(image.width() - 1, image.height() - 1);
        QCOMPARE(far, corner);
        QVERIFY(corner != qRgb(0, 0, 0));
    }
    // Painting works as on any image.
    Canvas canvas(QSize(50, 40), kGreen, kWhite, lessonFont(9));
    canvas.line(QPointF(0, 20), QPointF(49, 20));
    QCOMPARE(canvas.pixel(25, 20), kWhite);
    QCOMPARE(canvas.pixel(25, 10), kGreen);
}

void TestCanvas::surfaceMemoryIsGivenBack() {
#ifdef Q_OS_LINUX
    const uchar* first = nullptr;
    {
        QImage a = surfaceImage(QSize(800, 600), QImage::Format_RGB32);
        QImage b = surfaceImage(QSize(800, 600), QImage::Format_RGB32);
        first = a.constBits();
        QVERIFY(mapped(first));
        QVERIFY(mapped(b.constBits()));
    }
    QVERIFY(!mapped(first));
#else
    QSKIP("reads the process's mappings from /proc");
#endif
}

void TestCanvas::surfaceImageOfNoSize() {
    QVERIFY(surfaceImage(QSize(0, 10), QImage::Format_RGB32).isNull());
    QVERIFY(surfaceImage(QSize(-5, -5), QImage::Format_RGB32).isNull());
    QVERIFY(surfaceImage(QSize(10, 0), QImage::Format_RGB32).isNull());
}

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
