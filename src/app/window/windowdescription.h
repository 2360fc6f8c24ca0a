#pragma once

// The lesson window as designed: every control with its place in twips,
// caption, colours and font, the lines on the window and its surfaces, the
// window's sizes, and what screen readers say of the controls.

#include <QRect>
#include <QRgb>
#include <QSize>
#include <QtGlobal>
#include <array>
#include <string_view>

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

// The 10 cm frame on the board after a reset: its top-left corner, where
// the blue square grows from and the grid starts, and its side.
constexpr double kFrameLeft = 100;
constexpr double kFrameTop = 50;
constexpr qint16 kFrameSide = 300;

// The designed controls, lines and texts.
namespace design {

enum class Kind { Label, TextBox, Button, PictureBox, ComboBox, CheckBox, Frame, OptionButton };

constexpr QRgb kDefault = 0; // the toolkit's own colour
constexpr QRgb kOlive = 0xFF808000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kBoardGreen = 0xFF008000;
constexpr QRgb kTableGreen = 0xFFC0FFC0;
constexpr QRgb kGraphYellow = 0xFFFFFFC0;

struct ControlDescription {
    std::string_view name;
    int index; // element of a control array; -1 for a single control
    Kind kind;
    std::string_view container; // empty: the window itself
    const char* caption;
    int left, top, width, height; // twips
    QRgb background;
    QRgb text;
    double points; // 0: the default size
    bool bold;
    int tab; // tab order index; -1: none
};

// The window description, in twips, as designed.
constexpr ControlDescription kControls[] = {
    {"Label6", -1, Kind::Label, "", "関数", 480, 150, 1110, 555, 0xFF0000FF, kWhite, 27.75, false,
     7},
    {"Label1", -1, Kind::Label, "", "青い正方形の１辺の長さχ", 3000, 240, 4950, 435, kOlive, kWhite,
     21.75, false, 3},
    {"Text1", -1, Kind::TextBox, "", "Text1", 8040, 240, 855, 495, kDefault, kDefault, 18, false,
     2},
    {"Label2", -1, Kind::Label, "", "cm", 9000, 360, 540, 435, kOlive, kWhite, 21.75, false, 4},
    {"Command1", -1, Kind::Button, "", "初期画面", 7920, 960, 1695, 495, 0xFFC0C0FF, kDefault, 12,
     false, 30},
    {"kokuban", -1, Kind::PictureBox, "", "", 120, 960, 7515, 6015, kBoardGreen, kWhite, 0, false,
     9},
    {"jidou", -1, Kind::Button, "", "自動", 7800, 1920, 1095, 735, 0xFF80FF80, kDefault, 12, false,
     12},
    {"Label3", -1, Kind::Label, "", "速度", 9120, 2280, 570, 285, kOlive, kWhite, 14.25, false, 6},
    {"Combo1", -1, Kind::ComboBox, "", "20", 9120, 2880, 615, 315, kDefault, kDefault, 9.75, false,
     5},
    {"tomeru", -1, Kind::Button, "", "ストップ", 7920, 2760, 975, 495, 0xFFC0FFC0, kDefault, 12,
     false, 13},
    {"modoru", -1, Kind::Button, "", "戻る", 7800, 3600, 855, 855, 0xFF00FFFF, kDefault, 12, false,
     11},
    {"susumu", -1, Kind::Button, "", "進む", 8880, 3600, 855, 855, 0xFFFFFF00, kDefault, 12, false,
     10},
    {"Check1", -1, Kind::CheckBox, "", "方眼", 8280, 4800, 1695, 390, kOlive, kWhite, 18, false,
     19},
    {"Check3", -1, Kind::CheckBox, "", "表", 8280, 5880, 735, 390, kOlive, kWhite, 18, false, 14},
    {"Check2", -1, Kind::CheckBox, "", "グラフ", 8280, 6480, 1335, 390, kOlive, kWhite, 18, false,
     8},
    {"Frame1", -1, Kind::Frame, "", "ｙ", 240, 6960, 7215, 1095, kOlive, kWhite, 24, false, 23},
    {"end", -1, Kind::Button, "", "終了", 8400, 7320, 1215, 735, 0xFFC0C0FF, kDefault, 12, false,
     1},
    {"hyo", -1, Kind::PictureBox, "", "", 120, 8520, 9615, 1695, kTableGreen, kBlack, 14.25, true,
     20},
    {"gamen", -1, Kind::PictureBox, "", "", 9960, 120, 4695, 7935, kGraphYellow, kBlack, 0, false,
     0},

    {"Option1", 0, Kind::OptionButton, "Frame1", "赤", 360, 480, 1815, 495, 0xFFFF0000, kWhite, 12,
     false, 24},
    {"Option1", 1, Kind::OptionButton, "Frame1", "青", 2280, 480, 2295, 495, 0xFF00FFFF, kBlack, 12,
     false, 25},
    {"Option1", 2, Kind::OptionButton, "Frame1", "黄", 4680, 480, 2295, 495, 0xFFFFFF00, kDefault,
     12, false, 26},

    // The board's labels have no background of their own: the figure shows around their text.
    {"Label4", 0, Kind::Label, "kokuban", "Ｏ", 2520, 6240, 285, 360, kDefault, kWhite, 18, false,
     15},
    {"Label4", 1, Kind::Label, "kokuban", "χcm", 1680, 6600, 810, 360, kDefault, kWhite, 18, false,
     16},
    {"Label4", 2, Kind::Label, "kokuban", "10 cm", 2880, 6720, 915, 360, kDefault, kWhite, 18,
     false, 17},
    {"Label4", 3, Kind::Label, "kokuban", "ｙ cm", 3960, 6720, 735, 360, kDefault, kWhite, 18,
     false, 27},
    {"Label4", 4, Kind::Label, "kokuban", "ｙ cm", 5040, 6720, 735, 360, kDefault, kBlack, 18,
     false, 28},
    {"Label4", 5, Kind::Label, "kokuban", "2", 5760, 6720, 135, 240, kDefault, kBlack, 12, true,
     29},
    {"Label4", 8, Kind::Label, "kokuban", "I", 7440, 4680, 255, 375, kDefault, kWhite, 18, false,
     18},

    {"Label5", -1, Kind::Label, "hyo", "χ", 120, 240, 495, 495, kTableGreen, kDefault, 24, true,
     -1},
    {"Label7", -1, Kind::Label, "hyo", "ｙ", 240, 960, 255, 495, kTableGreen, kDefault, 24, true,
     -1},
};

struct LineDescription {
    std::string_view name;
    int index;
    std::string_view container;
    int x1, y1, x2, y2; // twips
    QRgb colour;
    int width; // pixels
};

constexpr LineDescription kLines[] = {
    {"Line4", -1, "", 3000, 720, 7920, 720, 0xFF0000FF, 3},
    {"Line5", 0, "kokuban", 1200, 6360, 1560, 6360, 0xFF0000C0, 5},
    {"Line5", 1, "kokuban", 1800, 6360, 2160, 6360, 0xFFC00000, 5},
    {"Line3", -1, "hyo", 120, 840, 9480, 840, kBlack, 3},
    {"Line2", -1, "hyo", 630, 120, 630, 1560, kBlack, 3},
};

constexpr const char* kSpeeds[] = {"01", "05", "10", "20", "40"};

// What screen readers say of the controls whose captions say too little.
struct AccessibleText {
    std::string_view name;
    int index;                  // element of a control array; -1 for a single control
    const char* accessibleName; // nullptr: the caption, as it reads at the moment
    const char* description;
};
constexpr AccessibleText kAccessibleTexts[] = {
    {"Text1", -1, "青い正方形の１辺の長さχ（cm）", "今のχ。進む・戻るで 0.5 cm ずつ変わる"},
    {"Command1", -1, nullptr, "χを 0 に戻し、ｙの選択を消す"},
    {"kokuban", -1, "黒板", "10 cm の枠と、左上の角から大きくなる青い正方形"},
    {"jidou", -1, nullptr, "χを 0 に戻し、10 cm まで自動で進める"},
    {"Combo1", -1, "速度", "自動で進むときの１歩ごとの間。20 ミリ秒の単位"},
    {"tomeru", -1, nullptr, "自動で進むのを止める"},
    {"modoru", -1, nullptr, "χを 0.5 cm 小さくする"},
    {"susumu", -1, nullptr, "χを 0.5 cm 大きくする"},
    {"Check1", -1, nullptr, "黒板に 1 cm の方眼を重ねる"},
    {"Check3", -1, nullptr, "χとｙの表を見せる"},
    {"Check2", -1, nullptr, "ｙのグラフを見せる"},
    {"Frame1", -1, "ｙの選択", "調べる量ｙを選ぶ"},
    {"end", -1, nullptr, "プログラムを終わる"},
    {"hyo", -1, "表", "χとｙの値の表"},
    {"gamen", -1, "グラフ", "χとｙのグラフ"},
    {"Option1", 0, nullptr, "赤い線の長さ ｙ = 10 − χ (cm)"},
    {"Option1", 1, nullptr, "青い正方形の面積 ｙ = χ² (cm²)"},
    {"Option1", 2, nullptr, "黄色い図形の面積 ｙ = 100 − χ² (cm²)"},
};

// Drawing state of the board beyond its colours: chalk 3 pixels wide and the
// olive fill colour of the design.
constexpr int kBoardPenWidth = 3;
constexpr QRgb kBoardFillColour = kOlive;
// The panels whose font the description leaves open print in this size.
constexpr double kDefaultSurfacePoints = 9;

constexpr int pixels(int twips) {
    return twips / kTwipsPerPixel;
}

constexpr QRect pixelRect(const ControlDescription& d) {
    return QRect(pixels(d.left), pixels(d.top), pixels(d.width), pixels(d.height));
}

} // namespace design

} // namespace kansu
