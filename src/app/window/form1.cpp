#include "form1.h"

#include "app/numbers.h"
#include "controlbuilder.h"
#include "platform/platform.h"

#include <QRadioButton>

namespace kansu {

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("４.関数"));
    buildControls(*this);
    // The designed inner area, until start-up gives the window its size.
    designSize_ = QSize(design::pixels(14865), design::pixels(10410));
    endProgram = [this] {
        markEnding();
        hide();
        platform::endApplication();
    };
}

Form1::~Form1() = default;

void Form1::setOuterWidth(int twips) {
    designSize_.setWidth(roundToInt(static_cast<double>(twips) / kTwipsPerPixel) -
                         kNominalFrame.width());
    emit designSizeChanged();
}

void Form1::setOuterHeight(int twips) {
    designSize_.setHeight(roundToInt(static_cast<double>(twips) / kTwipsPerPixel) -
                          kNominalFrame.height());
    emit designSizeChanged();
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

void Form1::closeEvent(QCloseEvent* event) {
    // A run waiting between two steps must not go on with a closed window.
    markEnding();
    QWidget::closeEvent(event);
}

} // namespace kansu
