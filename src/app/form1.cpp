#include "form1.h"

#include "browserpage.h"

#include "accessibility.h"
#include "focusstyle.h"
#include "numbers.h"
#include "zoom.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <string_view>
#include <vector>

namespace kansu {

namespace {

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

QRect pixelRect(const ControlDescription& d) {
    return QRect(pixels(d.left), pixels(d.top), pixels(d.width), pixels(d.height));
}

void setColour(QWidget& widget, QPalette::ColorRole role, QRgb colour) {
    QPalette palette = widget.palette();
    // The default is the toolkit's own colour, not the one a coloured
    // container would pass on.
    palette.setColor(role,
                     colour == kDefault ? QGuiApplication::palette().color(role) : QColor(colour));
    widget.setPalette(palette);
}

void paintBackground(QWidget& widget, QRgb colour) {
    if (colour == kDefault)
        return; // nothing painted: a transparent label
    setColour(widget, widget.backgroundRole(), colour);
    widget.setAutoFillBackground(true);
}

// The substitute face sets Latin letters a little wider than the designed
// one: a label whose text would not fit its designed box is set narrower,
// so that the board's labels keep their places and widths.
void fitToDesign(QLabel& label, const QRect& box) {
    const int needed = QFontMetrics(label.font()).horizontalAdvance(label.text());
    if (needed <= box.width())
        return;
    QFont font = label.font();
    font.setStretch(std::max(50, box.width() * 100 / needed));
    label.setFont(font);
}

// One style for every button and box of every window.
FocusStyle* focusStyle() {
    static FocusStyle* style = [] {
        auto* created = new FocusStyle;
        created->setParent(qApp); // lives as long as the application
        return created;
    }();
    return style;
}

// The designed window: all the controls, and the line on it. It fills the
// window, except in full screen, where it stands zoomed in the middle.
class Stage : public QWidget {
  public:
    using QWidget::QWidget;
    const LineControl* line = nullptr;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.scale(zoomOf(*this), zoomOf(*this));
        painter.setPen(QPen(QColor(line->colour()), line->width(), Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(line->line());
    }
};

// A designed rectangle at a zoom; neighbours stay neighbours.
QRect scaled(const QRect& designed, double zoom) {
    const auto at = [zoom](int v) { return roundToInt(v * zoom); };
    return QRect(QPoint(at(designed.left()), at(designed.top())),
                 QPoint(at(designed.left() + designed.width()) - 1,
                        at(designed.top() + designed.height()) - 1));
}

} // namespace

QFont lessonFont(double points, bool bold, double zoom) {
    // The face of the description where it is installed; on Debian its
    // stand-in IPAPGothic, which has the same proportional Japanese glyphs.
    // Naming the installed face spares the font matcher its search for
    // fallbacks on every size. The designed face is looked for among the
    // installed families by its Japanese and its English name: asking the
    // font database whether a family exists would first have the system
    // resolve the name as an alias, which costs a third of the start-up.
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const QString& designed :
             {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic")})
            if (installed.contains(designed, Qt::CaseInsensitive))
                return designed;
        return QStringLiteral("IPAPGothic");
    }();
    QFont font(family);
    font.setPixelSize(roundToInt(points * 96.0 / 72.0 * zoom));
    font.setBold(bold);
#ifdef Q_OS_WASM
    // Without fontconfig nobody tells the toolkit how to hint the glyphs:
    // the desktop's default, slight hinting, so that the text looks the same.
    font.setHintingPreference(QFont::PreferVerticalHinting);
#endif
    return font;
}

Form1::Form1(QWidget* parent) : QWidget(parent) {
    installSurfaceAccessibility();
    setWindowTitle(QStringLiteral("４.関数"));
    // The lesson's face is the program's face: what the toolkit lays out
    // before a control is given its own font, and its pop-ups, need no
    // second face. The window itself took the old font when it was made.
    QApplication::setFont(lessonFont(kDefaultSurfacePoints));
    setFont(lessonFont(kDefaultSurfacePoints));
    paintBackground(*this, kOlive);
    stage_ = new Stage(this);
    paintBackground(*stage_, kOlive);

    struct Placed {
        std::string_view name;
        int index;
        QWidget* widget;
        QWidget* inner; // where contained controls go
    };
    std::vector<Placed> placed;
    const auto containerOf = [&](std::string_view name) -> QWidget* {
        if (name.empty())
            return stage_;
        for (const Placed& p : placed)
            if (p.name == name)
                return p.inner;
        Q_UNREACHABLE();
    };
    std::vector<std::pair<int, QWidget*>> tabOrder;

    for (const ControlDescription& d : kControls) {
        QWidget* container = containerOf(d.container);
        const QString caption = QString::fromUtf8(d.caption);
        const QFont font = d.points > 0 ? lessonFont(d.points, d.bold) : this->font();
        QWidget* widget = nullptr;
        QWidget* inner = nullptr;
        switch (d.kind) {
        case Kind::Label: {
            auto* label = d.name == "Label4" ? new LabelControl(caption, container)
                                             : new QLabel(caption, container);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setMargin(0);
            label->setIndent(0);
            setColour(*label, QPalette::WindowText, d.text);
            paintBackground(*label, d.background);
            widget = label;
            break;
        }
        case Kind::TextBox: {
            auto* edit = new QLineEdit(caption, container);
            widget = edit;
            break;
        }
        case Kind::Button: {
            auto* button = new QPushButton(caption, container);
            setColour(*button, QPalette::Button, d.background);
            widget = button;
            break;
        }
        case Kind::ComboBox: {
            auto* combo = new QComboBox(container);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            for (const char* speed : kSpeeds)
                combo->addItem(QString::fromLatin1(speed));
            combo->setEditText(caption);
            widget = combo;
            break;
        }
        case Kind::CheckBox:
        case Kind::OptionButton: {
            QAbstractButton* box =
                d.kind == Kind::CheckBox
                    ? static_cast<QAbstractButton*>(new QCheckBox(caption, container))
                    : new QRadioButton(caption, container);
            setColour(*box, QPalette::WindowText, d.text);
            setColour(*box, QPalette::ButtonText, d.text);
            paintBackground(*box, d.background);
            widget = box;
            break;
        }
        case Kind::Frame: {
            auto* frame = new QGroupBox(caption, container);
            setColour(*frame, QPalette::WindowText, d.text);
            paintBackground(*frame, d.background);
            widget = frame;
            break;
        }
        case Kind::PictureBox: {
            auto* box = new PictureBox(container, pixelRect(d), d.background, d.text, font);
            inner = &box->inner();
            widget = box;
            break;
        }
        }
        widget->setObjectName(QString::fromLatin1(d.name.data(), d.name.size()) +
                              (d.index >= 0 ? QStringLiteral("(%1)").arg(d.index) : QString()));
        widget->setFont(font);
        QRect geometry = pixelRect(d);
        if (auto* label = qobject_cast<QLabel*>(widget))
            fitToDesign(*label, geometry);
        widget->setGeometry(geometry);
        if (auto* label = qobject_cast<LabelControl*>(widget)) {
            label->setDesignSize(geometry.size());
            label->setLeft(pixels(d.left));
            label->setTop(pixels(d.top));
        }
        for (const AccessibleText& text : kAccessibleTexts)
            if (text.name == d.name && text.index == d.index) {
                if (text.accessibleName)
                    widget->setAccessibleName(QString::fromUtf8(text.accessibleName));
                widget->setAccessibleDescription(QString::fromUtf8(text.description));
            }
        if (d.kind != Kind::Label)
            widget->setStyle(focusStyle());
        if (d.tab >= 0 && widget->focusPolicy() != Qt::NoFocus)
            tabOrder.emplace_back(d.tab, widget);
        placed.push_back({d.name, d.index, widget, inner ? inner : widget});
        placements_.push_back({int(&d - kControls), widget});
    }

    const auto find = [&](std::string_view name, int index = -1) -> QWidget* {
        for (const Placed& p : placed)
            if (p.name == name && p.index == index)
                return p.widget;
        Q_UNREACHABLE();
    };
    Label6 = static_cast<QLabel*>(find("Label6"));
    Label1 = static_cast<QLabel*>(find("Label1"));
    Text1 = static_cast<QLineEdit*>(find("Text1"));
    Label2 = static_cast<QLabel*>(find("Label2"));
    Command1 = static_cast<QPushButton*>(find("Command1"));
    kokuban = static_cast<PictureBox*>(find("kokuban"));
    jidou = static_cast<QPushButton*>(find("jidou"));
    Label3 = static_cast<QLabel*>(find("Label3"));
    Combo1 = static_cast<QComboBox*>(find("Combo1"));
    tomeru = static_cast<QPushButton*>(find("tomeru"));
    modoru = static_cast<QPushButton*>(find("modoru"));
    susumu = static_cast<QPushButton*>(find("susumu"));
    Check1 = static_cast<QCheckBox*>(find("Check1"));
    Check3 = static_cast<QCheckBox*>(find("Check3"));
    Check2 = static_cast<QCheckBox*>(find("Check2"));
    Frame1 = static_cast<QGroupBox*>(find("Frame1"));
    end = static_cast<QPushButton*>(find("end"));
    hyo = static_cast<PictureBox*>(find("hyo"));
    gamen = static_cast<PictureBox*>(find("gamen"));
    for (int i = 0; i < 3; ++i)
        Option1[static_cast<size_t>(i)] = static_cast<QRadioButton*>(find("Option1", i));
    for (const int i : {0, 1, 2, 3, 4, 5, 8})
        Label4[static_cast<size_t>(i)] = static_cast<LabelControl*>(find("Label4", i));
    Label5 = static_cast<QLabel*>(find("Label5"));
    Label7 = static_cast<QLabel*>(find("Label7"));

    for (const LineDescription& d : kLines) {
        const QLineF line(pixels(d.x1), pixels(d.y1), pixels(d.x2), pixels(d.y2));
        if (d.container.empty()) {
            line4_ = std::make_unique<LineControl>(*stage_, line, d.colour, d.width);
            Line4 = line4_.get();
            static_cast<Stage*>(stage_)->line = Line4;
            continue;
        }
        auto& view = static_cast<PictureBox*>(find(d.container))->inner();
        LineControl& control = view.addLine(line, d.colour, d.width);
        if (d.name == "Line5")
            Line5[static_cast<size_t>(d.index)] = &control;
        else if (d.name == "Line3")
            Line3 = &control;
        else
            Line2 = &control;
    }

    kokuban->canvas().setPenWidth(kBoardPenWidth);
    kokuban->canvas().setFillColour(kBoardFillColour);

    std::stable_sort(tabOrder.begin(), tabOrder.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);

    // The designed inner area, until start-up gives the window its size.
    designSize_ = QSize(pixels(14865), pixels(10410));
    fitWindow();
    // The window's keys, wherever the focus is: the presenter's, the zoom's,
    // and Enter and the arrows on buttons and boxes.
    qApp->installEventFilter(this);

    endProgram = [this] {
        markEnding();
        hide();
        endApplication();
    };
}

Form1::~Form1() = default;

void Form1::setOuterWidth(int twips) {
    designSize_.setWidth(roundToInt(static_cast<double>(twips) / kTwipsPerPixel) -
                         kNominalFrame.width());
    fitWindow();
}

void Form1::setOuterHeight(int twips) {
    designSize_.setHeight(roundToInt(static_cast<double>(twips) / kTwipsPerPixel) -
                          kNominalFrame.height());
    fitWindow();
}

void Form1::fitWindow() {
    if (fullScreen_)
        zoom_ = std::min(double(width()) / designSize_.width(),
                         double(height()) / designSize_.height());
    applyZoom();
    const QSize shown = scaled(QRect(QPoint(), designSize_), zoom_).size();
    // In full screen the lesson stands in the middle of the window.
    const QPoint at = fullScreen_
                          ? QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2)
                          : QPoint();
    stage_->setGeometry(QRect(at, shown));
    if (!fullScreen_)
        setFixedSize(shown);
    // A panel outside the window takes no keyboard focus, and screen
    // readers learn that it came into view or went out of it.
    for (PictureBox* panel : {gamen, hyo})
        if (panel) {
            panel->setFocusPolicy(insideWindow(*panel) ? Qt::StrongFocus : Qt::NoFocus);
            panel->announceLater();
        }
}

void Form1::applyZoom() {
    if (zoom_ == appliedZoom_)
        return;
    appliedZoom_ = zoom_;
    setProperty(kZoomProperty, zoom_);
    setFont(lessonFont(kDefaultSurfacePoints, false, zoom_));
    for (const Placement& p : placements_) {
        const ControlDescription& d = kControls[p.control];
        p.widget->setFont(
            lessonFont(d.points > 0 ? d.points : kDefaultSurfacePoints, d.bold, zoom_));
        const QRect geometry = scaled(pixelRect(d), zoom_);
        if (auto* label = qobject_cast<QLabel*>(p.widget))
            fitToDesign(*label, geometry);
        // The board's labels stand where the lesson has put them.
        if (auto* placed = qobject_cast<LabelControl*>(p.widget))
            placed->applyZoom();
        else
            p.widget->setGeometry(geometry);
    }
    stage_->update();
}

void Form1::setZoom(double zoom) {
    if (!(zoom > 0) || fullScreen_)
        return;
    zoom_ = zoom;
    fitWindow();
    // Grown, the window moves back into the screen's free area if it now
    // reaches beyond it.
    if (!isVisible() || !screen())
        return;
    const QRect area = screen()->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size() + size();
    const QPoint at(std::max(area.left(), std::min(pos().x(), area.right() + 1 - frame.width())),
                    std::max(area.top(), std::min(pos().y(), area.bottom() + 1 - frame.height())));
    if (at != pos())
        move(at);
}

namespace {

// The largest zoom step that is at most `wanted` and shows the window, with
// its nominal frame, within the screen's free area.
double fittingStep(double wanted, QSize design, const QScreen* screen) {
    const QSize area = screen ? screen->availableGeometry().size() : QSize(INT_MAX, INT_MAX);
    double best = kZoomSteps.front();
    for (const double step : kZoomSteps)
        if (step <= wanted && design.width() * step + kNominalFrame.width() <= area.width() &&
            design.height() * step + kNominalFrame.height() <= area.height())
            best = step;
    return best;
}

} // namespace

void Form1::zoomIn() {
    // The screen must hold the window at its largest, with both panels.
    const QSize largest(pixels(kWideWidth) - kNominalFrame.width(),
                        pixels(kTallHeight) - kNominalFrame.height());
    for (const double step : kZoomSteps)
        if (step > zoom_ + 1e-9) {
            setZoom(std::max(zoom_, fittingStep(step, largest, screen())));
            return;
        }
}

void Form1::zoomOut() {
    for (auto step = kZoomSteps.rbegin(); step != kZoomSteps.rend(); ++step)
        if (*step < zoom_ - 1e-9) {
            setZoom(*step);
            return;
        }
}

void Form1::toggleFullScreen() {
    if (!fullScreen_) {
        normalZoom_ = zoom_;
        // Where the window's inside was: the window manager may have taken
        // it to full screen already.
        normalPosition_ = normalGeometry().topLeft();
        fullScreen_ = true;
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        showFullScreen();
        fitWindow();
        return;
    }
    fullScreen_ = false;
    showNormal();
    zoom_ = normalZoom_;
    fitWindow();
    setGeometry(QRect(normalPosition_, size()));
    // Once the window manager has framed the window again, it goes back
    // where it was.
    QTimer::singleShot(0, this, [this] {
        if (!fullScreen_)
            setGeometry(QRect(normalPosition_, size()));
    });
}

void Form1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The window manager's maximize button or full-screen action, and its
    // way back, do what F11 does.
    if (event->type() != QEvent::WindowStateChange)
        return;
    const auto differs = [this] {
        return bool(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != fullScreen_;
    };
    if (differs())
        QTimer::singleShot(0, this, [this, differs] {
            if (differs())
                toggleFullScreen();
        });
}

bool Form1::handleLessonKey(QKeyEvent& event) {
    const int key = event.key();
    const bool control = event.modifiers() & Qt::ControlModifier;
    // A presenter's remote sends Page Down and Page Up: the steps, as a
    // click on them does, wherever the focus is; not while they are disabled.
    if (key == Qt::Key_PageDown || key == Qt::Key_PageUp) {
        QPushButton* step = key == Qt::Key_PageDown ? susumu : modoru;
        if (step->isEnabled())
            step->click();
        return true;
    }
    if (key == Qt::Key_F11 || (key == Qt::Key_Escape && fullScreen_)) {
        toggleFullScreen();
        return true;
    }
    if (!control || fullScreen_)
        return false;
    if (key == Qt::Key_Plus || key == Qt::Key_Equal)
        zoomIn();
    else if (key == Qt::Key_Minus)
        zoomOut();
    else if (key == Qt::Key_0)
        setZoom(1);
    else
        return false;
    return true;
}

void Form1::placeAreaLabel(double left, double top) {
    constexpr double kExponentOffset = 48;
    Label4[4]->setLeft(left);
    Label4[5]->setLeft(left + kExponentOffset);
    Label4[4]->setTop(top);
    Label4[5]->setTop(top);
}

void Form1::setQuantityCaptions(CaptionForm form) {
    for (size_t i = 0; i < Option1.size(); ++i)
        Option1[i]->setText(QString::fromUtf8(form == CaptionForm::Long
                                                  ? kQuantityCaptions[i].longForm
                                                  : kQuantityCaptions[i].shortForm));
}

bool Form1::selected(int element) const {
    return Option1[static_cast<size_t>(element)]->isChecked();
}

void Form1::requestNewRun() {
    newRunWaiting_ = true;
    emit pauseCutShort();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (auto* target = qobject_cast<QWidget*>(watched);
        target && target->window() == this && handleLessonKey(*keyEvent))
        return true;
    const int key = keyEvent->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    // In a window that is no dialog, a focused button takes Space but not
    // Enter, and a box ignores Enter; pupils at the keyboard expect both.
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (enter && (qobject_cast<QPushButton*>(watched) || qobject_cast<QCheckBox*>(watched))) {
        if (button->isEnabled())
            button->click();
        return true;
    }
    // The quantity buttons stand in a row: Up and Down move along it as
    // Left and Right do.
    if (qobject_cast<QRadioButton*>(watched) && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        QKeyEvent along(QEvent::KeyPress, key == Qt::Key_Up ? Qt::Key_Left : Qt::Key_Right,
                        keyEvent->modifiers(), keyEvent->text(), keyEvent->isAutoRepeat());
        QCoreApplication::sendEvent(watched, &along);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (fullScreen_)
        fitWindow();
}

void Form1::closeEvent(QCloseEvent* event) {
    // A run waiting between two steps must not go on with a closed window.
    markEnding();
    QWidget::closeEvent(event);
}

} // namespace kansu
