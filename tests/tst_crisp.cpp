// The surfaces shown at the screen's resolution: the same drawing made again
// at a scale, not the designed picture enlarged.

#include "app/qbcolor.h"
#include "graph/graph.h"
#include "lessontest.h"

#include <QSet>
#include <QTest>

using namespace kansu;
using namespace kansu::testing;

namespace {

QSet<QRgb> coloursOf(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) | 0xFF000000u);
    return colours;
}

// Runs of `colour` met along a row (or, turned, a column) of an image.
int runsAlong(const QImage& image, int at, bool row, QRgb colour) {
    int runs = 0;
    bool inside = false;
    const int length = row ? image.width() : image.height();
    for (int i = 0; i < length; ++i) {
        const QRgb pixel = (row ? image.pixel(i, at) : image.pixel(at, i)) | 0xFF000000u;
        runs += pixel == colour && !inside;
        inside = pixel == colour;
    }
    return runs;
}

// Among the aligned 2 x 2 blocks that hold some black, the share that are
// not of one colour: 0 for a picture whose pixels were merely doubled.
double mixedBlockShare(const QImage& image) {
    int inked = 0;
    int mixed = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb block[] = {image.pixel(x, y), image.pixel(x + 1, y), image.pixel(x, y + 1),
                                  image.pixel(x + 1, y + 1)};
            if (std::none_of(std::begin(block), std::end(block),
                             [](QRgb p) { return (p | 0xFF000000u) == QBColor(0); }))
                continue;
            ++inked;
            mixed += std::any_of(std::begin(block), std::end(block),
                                 [&](QRgb p) { return p != block[0]; });
        }
    return inked ? double(mixed) / inked : 0;
}

// The grid, both panels and the yellow figure: every kind of drawing.
void showEverything(Form1& f) {
    for (QAbstractButton* box :
         std::initializer_list<QAbstractButton*>{f.Check1, f.Check2, f.Check3, f.Option1[2]})
        clickCheckBox(box);
}

std::array<PictureBox*, 3> surfacesOf(const Form1& f) {
    return {f.kokuban, f.gamen, f.hyo};
}

} // namespace

class TestCrisp : public LessonTest {
    Q_OBJECT
  private slots:
    void init() {
        fixture.start();
        showEverything(*fixture.form);
    }

    void drawnAgainAtScale_data();
    void drawnAgainAtScale();
    void gridLinesStayBelowOne();
    void changeOfScaleReplaysExactly();
    void keptOperationsStayBounded();

  private:
    void steps(int count, QPushButton* button) {
        for (int i = 0; i < count; ++i)
            QTest::mouseClick(button, Qt::LeftButton);
    }
    std::array<PictureBox*, 3> surfaces() const { return surfacesOf(*fixture.form); }
};

void TestCrisp::drawnAgainAtScale_data() {
    addRows<double>("scale", {{"2", 2.0}, {"1.5", 1.5}});
}

void TestCrisp::drawnAgainAtScale() {
    QFETCH(double, scale);
    Form1& f = *fixture.form;
    for (PictureBox* box : surfaces())
        box->canvas().showAt(scale);
    // A mark drawn and taken away again leaves nothing behind.
    const QImage before = f.gamen->canvas().shownImage();
    f.Text1->setText(QStringLiteral(" 3.0"));
    PlotGraph(f, 0);
    QVERIFY(differingPixels(before, f.gamen->canvas().shownImage()) > 0);
    PlotGraph(f, 1);
    QCOMPARE(differingPixels(before, f.gamen->canvas().shownImage()), 0);

    steps(7, f.susumu);
    for (PictureBox* box : surfaces()) {
        const Canvas& canvas = box->canvas();
        const QImage& shown = canvas.shownImage();
        QCOMPARE(shown.size(), (QSizeF(canvas.image().size()) * scale).toSize());
        // No blends: only what the designed picture has.
        QVERIFY2(coloursOf(shown).subtract(coloursOf(canvas.image())).isEmpty(),
                 qPrintable(box->objectName()));
    }
    // The yellow figure grows with the area.
    const Canvas& board = f.kokuban->canvas();
    const double designed = pixelsOfColour(board.image(), board.image().rect(), QBColor(14));
    const double shown = pixelsOfColour(board.shownImage(), board.shownImage().rect(), QBColor(14));
    QVERIFY2(qAbs(shown / (designed * scale * scale) - 1) < 0.04,
             qPrintable(QString::number(shown / (designed * scale * scale))));
    // Printed digits are set at the scale's own size, not doubled.
    if (scale == 2)
        for (PictureBox* panel : {f.gamen, f.hyo})
            QVERIFY(mixedBlockShare(panel->canvas().shownImage()) > 0.3);
}

void TestCrisp::gridLinesStayBelowOne() {
    Canvas& board = fixture.form->kokuban->canvas();
    board.showAt(0.75);
    const QImage& small = board.shownImage();
    // Across the middle of the grid's first cells: all eleven lines.
    QCOMPARE(runsAlong(board.image(), 65, true, QBColor(0)), 11);
    QCOMPARE(runsAlong(small, qRound(65 * 0.75), true, QBColor(0)), 11);
    QCOMPARE(runsAlong(board.image(), 115, false, QBColor(0)), 11);
    QCOMPARE(runsAlong(small, qRound(115 * 0.75), false, QBColor(0)), 11);
}

void TestCrisp::changeOfScaleReplaysExactly() {
    // One window drawn at the scale all along, the other shown at it only
    // after its steps: the same pictures.
    FormFixture other;
    other.start();
    showEverything(*other.form);
    for (PictureBox* box : surfaces())
        box->canvas().showAt(2);
    for (Form1* f : {fixture.form.get(), other.form.get()}) {
        steps(9, f->susumu);
        steps(3, f->modoru);
    }
    for (size_t i = 0; i < surfaces().size(); ++i) {
        Canvas& replayed = surfacesOf(*other.form)[i]->canvas();
        replayed.showAt(2);
        QCOMPARE(differingPixels(surfaces()[i]->canvas().shownImage(), replayed.shownImage()), 0);
    }
}

void TestCrisp::keptOperationsStayBounded() {
    Form1& f = *fixture.form;
    const auto kept = [&] {
        std::size_t total = 0;
        for (PictureBox* box : surfaces())
            total += box->canvas().operationsKept();
        return total;
    };
    const auto toAndFro = [&](int times) {
        for (int i = 0; i < times; ++i) {
            steps(20, f.susumu);
            steps(20, f.modoru);
        }
    };
    toAndFro(2);
    const std::size_t settled = kept();
    toAndFro(20);
    QCOMPARE(kept(), settled);
    QVERIFY(settled < 3 * DisplayList::kLimit);
}

QTEST_MAIN(TestCrisp)
#include "tst_crisp.moc"
