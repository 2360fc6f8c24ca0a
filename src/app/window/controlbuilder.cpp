#include "controlbuilder.h"

#include "controlkeys.h"
#include "form1.h"
#include "lessonfont.h"
#include "wholeareabox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <vector>

namespace kansu {

using namespace design;

namespace {

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

// A control of the window as made, and where the controls it contains go.
struct Placed {
    std::string_view name;
    int index;
    QWidget* widget;
    QWidget* inner;
};

class PlacedControls {
  public:
    void add(const Placed& placed) { placed_.push_back(placed); }
    QWidget* find(std::string_view name, int index = -1) const {
        for (const Placed& p : placed_)
            if (p.name == name && p.index == index)
                return p.widget;
        Q_UNREACHABLE();
    }
    QWidget* containerOf(std::string_view name, QWidget* window) const {
        if (name.empty())
            return window;
        for (const Placed& p : placed_)
            if (p.name == name)
                return p.inner;
        Q_UNREACHABLE();
    }

  private:
    std::vector<Placed> placed_;
};

QLabel* makeLabel(const ControlDescription& d, const QString& caption, QWidget* container) {
    auto* label =
        d.name == "Label4" ? new LabelControl(caption, container) : new QLabel(caption, container);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(0);
    label->setIndent(0);
    setColour(*label, QPalette::WindowText, d.text);
    paintBackground(*label, d.background);
    return label;
}

QComboBox* makeSpeedBox(const QString& caption, QWidget* container) {
    auto* combo = new QComboBox(container);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const char* speed : kSpeeds)
        combo->addItem(QString::fromLatin1(speed));
    combo->setEditText(caption);
    // The text field's own two-pixel inner margins would leave a speed less
    // room than its two digits and the text cursor take.
    combo->lineEdit()->setTextMargins(-2, 0, -2, 0);
    return combo;
}

QAbstractButton* makeBox(const ControlDescription& d, const QString& caption, QWidget* container) {
    QAbstractButton* box =
        d.kind == Kind::CheckBox
            ? static_cast<QAbstractButton*>(new WholeAreaBox<QCheckBox>(caption, container))
            : new WholeAreaBox<QRadioButton>(caption, container);
    setColour(*box, QPalette::WindowText, d.text);
    setColour(*box, QPalette::ButtonText, d.text);
    paintBackground(*box, d.background);
    return box;
}

// The control of a description, in its container, with its colours.
Placed makeControl(const ControlDescription& d, QWidget* container, const QFont& font) {
    const QString caption = QString::fromUtf8(d.caption);
    switch (d.kind) {
    case Kind::Label:
        return {d.name, d.index, makeLabel(d, caption, container), nullptr};
    case Kind::TextBox:
        return {d.name, d.index, new QLineEdit(caption, container), nullptr};
    case Kind::Button: {
        auto* button = new QPushButton(caption, container);
        setColour(*button, QPalette::Button, d.background);
        return {d.name, d.index, button, nullptr};
    }
    case Kind::ComboBox:
        return {d.name, d.index, makeSpeedBox(caption, container), nullptr};
    case Kind::CheckBox:
    case Kind::OptionButton:
        return {d.name, d.index, makeBox(d, caption, container), nullptr};
    case Kind::Frame: {
        auto* frame = new QGroupBox(caption, container);
        setColour(*frame, QPalette::WindowText, d.text);
        paintBackground(*frame, d.background);
        return {d.name, d.index, frame, nullptr};
    }
    case Kind::PictureBox: {
        auto* box = new PictureBox(container, pixelRect(d), d.background, d.text, font);
        return {d.name, d.index, box, &box->inner()};
    }
    }
    Q_UNREACHABLE();
}

// Its name, font, designed place, and what screen readers say of it.
void placeControl(QWidget& widget, const ControlDescription& d, const QFont& font) {
    widget.setObjectName(QString::fromLatin1(d.name.data(), d.name.size()) +
                         (d.index >= 0 ? QStringLiteral("(%1)").arg(d.index) : QString()));
    widget.setFont(font);
    QRect geometry = pixelRect(d);
    if (auto* label = qobject_cast<QLabel*>(&widget))
        fitToDesign(*label, geometry);
    widget.setGeometry(geometry);
    if (auto* label = qobject_cast<LabelControl*>(&widget)) {
        label->setDesignSize(geometry.size());
        label->setLeft(pixels(d.left));
        label->setTop(pixels(d.top));
    }
    for (const AccessibleText& text : kAccessibleTexts)
        if (text.name == d.name && text.index == d.index) {
            if (text.accessibleName)
                widget.setAccessibleName(QString::fromUtf8(text.accessibleName));
            widget.setAccessibleDescription(QString::fromUtf8(text.description));
        }
}

// The window object's names for its controls.
void nameControls(Form1& form, const PlacedControls& placed) {
    const auto find = [&placed](std::string_view name, int index = -1) {
        return placed.find(name, index);
    };
    form.Label6 = static_cast<QLabel*>(find("Label6"));
    form.Label1 = static_cast<QLabel*>(find("Label1"));
    form.Text1 = static_cast<QLineEdit*>(find("Text1"));
    form.Label2 = static_cast<QLabel*>(find("Label2"));
    form.Command1 = static_cast<QPushButton*>(find("Command1"));
    form.kokuban = static_cast<PictureBox*>(find("kokuban"));
    form.jidou = static_cast<QPushButton*>(find("jidou"));
    form.Label3 = static_cast<QLabel*>(find("Label3"));
    form.Combo1 = static_cast<QComboBox*>(find("Combo1"));
    form.tomeru = static_cast<QPushButton*>(find("tomeru"));
    form.modoru = static_cast<QPushButton*>(find("modoru"));
    form.susumu = static_cast<QPushButton*>(find("susumu"));
    form.Check1 = static_cast<QCheckBox*>(find("Check1"));
    form.Check3 = static_cast<QCheckBox*>(find("Check3"));
    form.Check2 = static_cast<QCheckBox*>(find("Check2"));
    form.Frame1 = static_cast<QGroupBox*>(find("Frame1"));
    form.end = static_cast<QPushButton*>(find("end"));
    form.hyo = static_cast<PictureBox*>(find("hyo"));
    form.gamen = static_cast<PictureBox*>(find("gamen"));
    for (int i = 0; i < 3; ++i)
        form.Option1[static_cast<size_t>(i)] = static_cast<QRadioButton*>(find("Option1", i));
    for (const int i : {0, 1, 2, 3, 4, 5, 8})
        form.Label4[static_cast<size_t>(i)] = static_cast<LabelControl*>(find("Label4", i));
    form.Label5 = static_cast<QLabel*>(find("Label5"));
    form.Label7 = static_cast<QLabel*>(find("Label7"));
}

void addLines(Form1& form, const PlacedControls& placed) {
    for (const LineDescription& d : kLines) {
        const QLineF line(pixels(d.x1), pixels(d.y1), pixels(d.x2), pixels(d.y2));
        SurfaceView& host = d.container.empty()
                                ? *form.stage
                                : static_cast<PictureBox*>(placed.find(d.container))->inner();
        LineControl& control = host.addLine(line, d.colour, d.width);
        if (d.name == "Line4")
            form.Line4 = &control;
        else if (d.name == "Line5")
            form.Line5[static_cast<size_t>(d.index)] = &control;
        else if (d.name == "Line3")
            form.Line3 = &control;
        else
            form.Line2 = &control;
    }
}

void setTabOrder(std::vector<std::pair<int, QWidget*>> tabOrder) {
    std::stable_sort(tabOrder.begin(), tabOrder.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
}

} // namespace

void buildControls(Form1& form) {
    // The lesson's face is the program's face: what the toolkit lays out
    // before a control is given its own font, and its pop-ups, need no
    // second face. The window itself took the old font when it was made.
    QApplication::setFont(lessonFont(kDefaultSurfacePoints));
    form.setFont(lessonFont(kDefaultSurfacePoints));
    paintBackground(form, kOlive);
    form.stage = new SurfaceView(&form, nullptr);
    paintBackground(*form.stage, kOlive);
    auto* keys = new ControlKeys(&form);

    PlacedControls placed;
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const ControlDescription& d : kControls) {
        const QFont font = d.points > 0 ? lessonFont(d.points, d.bold) : form.font();
        Placed made = makeControl(d, placed.containerOf(d.container, form.stage), font);
        QWidget* widget = made.widget;
        placeControl(*widget, d, font);
        if (qobject_cast<QAbstractButton*>(widget))
            widget->installEventFilter(keys);
        if (d.tab >= 0 && widget->focusPolicy() != Qt::NoFocus)
            tabOrder.emplace_back(d.tab, widget);
        if (!made.inner)
            made.inner = widget;
        placed.add(made);
        form.placements.push_back({&d, widget});
    }
    nameControls(form, placed);
    addLines(form, placed);
    form.kokuban->canvas().setPenWidth(kBoardPenWidth);
    form.kokuban->canvas().setFillColour(kBoardFillColour);
    setTabOrder(std::move(tabOrder));
}

} // namespace kansu
