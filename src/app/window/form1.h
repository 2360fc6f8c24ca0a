#pragma once

#include "labelcontrol.h"
#include "linecontrol.h"
#include "picturebox.h"
#include "surfaceview.h"
#include "windowdescription.h"

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

// A control of the window and the entry of the window description it was
// made from.
struct PlacedControl {
    const design::ControlDescription* description;
    QWidget* widget;
};

// The lesson window: every control of the window description and the lesson
// state. It draws nothing itself; the lesson's procedures take it by
// reference and work on its controls. How large it shows them is the
// presentation's business: the procedures work in designed pixels.
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
    // The window's designed inner size with the panels shown at the moment.
    QSize designSize() const { return designSize_; }

    // The designed window that holds the controls, and every control with
    // its description, for the presentation to place.
    SurfaceView* stage = nullptr;
    std::vector<PlacedControl> placements;

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
    // The lesson has set another size: a panel was shown or hidden.
    void designSizeChanged();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QSize designSize_;
    bool ending_ = false;
    bool newRunWaiting_ = false;
};

} // namespace kansu
