// Our scanline flood fill against CImg's draw_fill on the same board
// picture: the whole frame (chi = 0) and the L-shaped yellow figure (chi = 5).

#include "app/canvas.h"
#include "app/qbcolor.h"
#include "app/window/form1.h"
#include "app/window/lessonfont.h"

#include <CImg.h>
#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace kansu;

namespace {

constexpr QRgb kGreen = 0xFF008000;
constexpr QRgb kWhite = 0xFFFFFFFF;
const QSize kBoard(497, 397);

// The board as the lesson draws it before filling: the frame and the square.
Canvas board(double side) {
    Canvas canvas(kBoard, kGreen, kWhite, lessonFont(9));
    canvas.setPenWidth(3);
    for (const double s : {300.0, side}) {
        canvas.lineRelative(QPointF(100, 50), QPointF(s, 0));
        canvas.lineFromPen(QPointF(0, s));
        canvas.lineFromPen(QPointF(-s, 0));
        canvas.lineFromPen(QPointF(0, -s));
    }
    canvas.setFillStyle(FillStyle::Solid);
    canvas.setFillColour(QBColor(14));
    return canvas;
}

cimg_library::CImg<unsigned char> asCImg(const QImage& image) {
    cimg_library::CImg<unsigned char> out(image.width(), image.height(), 1, 3);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            out(x, y, 0, 0) = qRed(p);
            out(x, y, 0, 1) = qGreen(p);
            out(x, y, 0, 2) = qBlue(p);
        }
    return out;
}

void ours(benchmark::State& state, double side, QPoint seed) {
    for (auto _ : state) {
        Canvas canvas = board(side);
        const auto start = std::chrono::steady_clock::now();
        canvas.floodFill(seed, kWhite);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        benchmark::DoNotOptimize(canvas.pixel(seed.x(), seed.y()));
    }
}

void peer(benchmark::State& state, double side, QPoint seed) {
    const auto pristine = asCImg(board(side).image());
    const unsigned char yellow[3] = {255, 255, 0};
    for (auto _ : state) {
        auto image = pristine; // a deep copy, outside the timing
        const auto start = std::chrono::steady_clock::now();
        image.draw_fill(seed.x(), seed.y(), yellow);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        benchmark::DoNotOptimize(image(seed.x(), seed.y(), 0, 0));
    }
}

} // namespace

BENCHMARK_CAPTURE(ours, frame, 0.0, QPoint(105, 55))->UseManualTime();
BENCHMARK_CAPTURE(peer, frame, 0.0, QPoint(105, 55))->UseManualTime();
BENCHMARK_CAPTURE(ours, lshape, 150.0, QPoint(395, 345))->UseManualTime();
BENCHMARK_CAPTURE(peer, lshape, 150.0, QPoint(395, 345))->UseManualTime();

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv); // fonts need an application
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
