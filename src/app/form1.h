#pragma once

#include "labelcontrol.h"
#include "linecontrol.h"
#include "picturebox.h"

#include <QWidget>
#include <array>
#include <functional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kansu {

// Captions of the quantity buttons: the short ones while no panel is shown,
// the long ones while the graph or the table panel is.
struct QuantityCaption {
    const char* shortForm;
    const char* longForm;
};
constexpr std::array<QuantityCaption, 3> kQuantityCaptions{{
    {"赤", "赤い線の長さ"},
    {"青", "青い正方形の面積"},
    {"黄", "黄色い図形の面積"},
}};

enum class CaptionForm { Short, Long };

// Outer window sizes in twips: with and without the graph and table panels.
constexpr int kNarrowWidth = 10070;
constexpr int kWideWidth = 15270;
constexpr int kShortHeight = 8775;
constexpr int kTallHeight = 10935;
// The outer sizes include a title bar and borders; one fixed nominal frame
// turns them into the client sizes this window uses.
constexpr QSize kNominalFrame{8, 27};
constexpr int kTwipsPerPixel = 15;

// The board has 30 pixels to the centimetre; StepCount, the blue square's
// side in board pixels, runs up to 300, chi = 10 cm.
constexpr double kPixelsPerCm = 30;
constexpr qint16 kLastStep = 300;

// The lesson window: every control of the window description and the lesson
// state. It draws nothing itself; the lesson's procedures take it by
// reference and work on its controls.
class Form1 : public QWidget {
    Q_OBJECT
  public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // --- controls on the window ---
    QLabel* Label6 = nullptr;
    LineControl* Line4 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command1 = nullptr;
    PictureBox* kokuban = nullptr;
    QPushButton* jidou = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* Combo1 = nullptr;
    QPushButton* tomeru = nullptr;
    QPushButton* modoru = nullptr;
    QPushButton* susumu = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* end = nullptr;
    PictureBox* hyo = nullptr;
    PictureBox* gamen = nullptr;
    // --- inside Frame1 ---
    std::array<QRadioButton*, 3> Option1{};
    // --- inside kokuban (Label4 has no elements 6 and 7) ---
    std::array<LabelControl*, 9> Label4{};
    std::array<LineControl*, 2> Line5{};
    // --- inside hyo ---
    QLabel* Label5 = nullptr;
    QLabel* Label7 = nullptr;
    LineControl* Line3 = nullptr;
    LineControl* Line2 = nullptr;

    // --- lesson state ---
    double FrameX = 0;
    double FrameY = 0;
    qint16 FrameSide = 0;
    double SquareX = 0;
    double SquareY = 0;
    qint16 StepCount = 0;
    qint16 StopRequested = 0;

    // The window's outer size in twips, as the lesson sets it.
    void setOuterWidth(int twips);
    void setOuterHeight(int twips);

    // --- presentation: the whole lesson shown larger, for a projector ---
    // The factor of the whole window over its designed size; the lesson's
    // procedures keep working in designed pixels.
    double zoom() const { return zoom_; }
    // Steps through kZoomSteps in the normal window, as far as the screen's
    // free area allows; full screen fits the lesson to the screen instead.
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();
    void toggleFullScreen();
    // The window's designed size with the panels shown at the moment.
    QSize designSize() const { return designSize_; }

    // Places the area label "ｙ cm" with its exponent "2" 48 pixels to its
    // right: both lefts, then both tops.
    void placeAreaLabel(double left, double top);

    // Sets the captions of the three quantity buttons, in the order 0, 1, 2.
    void setQuantityCaptions(CaptionForm form);

    // Whether an option button of the quantity group is selected.
    bool selected(int element) const;

    // The automatic run's wait between two steps, in milliseconds;
    // replaceable so that tests can script what happens in each pause.
    std::function<void(qint32)> pause;

    // Ends the program; replaceable so that tests can watch it happen.
    std::function<void()> endProgram;
    // Set once the program is ending: a handler that is still on the stack
    // must not touch the window any more.
    bool ending() const { return ending_; }
    void markEnding() { ending_ = true; }

    // A press of "自動" while a stopped run still waits out its last pause:
    // that pause is cut short, and the new run starts once the old one is over.
    void requestNewRun();
    bool newRunWaiting() const { return newRunWaiting_; }
    bool takeNewRunRequest() { return std::exchange(newRunWaiting_, false); }

  signals:
    // A pause in progress is to end now.
    void pauseCutShort();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Places every control at the current zoom.
    void applyZoom();
    // The window's size for the designed size at the current zoom, or, in
    // full screen, the zoom and place that fit the lesson to the screen.
    void fitWindow();
    bool handleLessonKey(QKeyEvent& event);

    QWidget* stage_ = nullptr; // the designed window, zoomed; centred in full screen
    struct Placement {
        int control; // the control's entry in the window description
        QWidget* widget;
    };
    std::vector<Placement> placements_;
    QSize designSize_;
    double zoom_ = 1;
    double appliedZoom_ = 1;
    bool fullScreen_ = false;
    double normalZoom_ = 1; // to return to from full screen
    QPoint normalPosition_;
    std::unique_ptr<LineControl> line4_;
    bool ending_ = false;
    bool newRunWaiting_ = false;
};

// The zoom steps of the normal window.
constexpr std::array<double, 7> kZoomSteps{1, 1.25, 1.5, 1.75, 2, 2.5, 3};

// The face and pixel size of a text of the window description (points at
// 96 dots per inch), at a zoom.
QFont lessonFont(double points, bool bold = false, double zoom = 1);

} // namespace kansu
