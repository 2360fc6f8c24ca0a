#include "presenter.h"

#include "focusstyle.h"
#include "keylist.h"
#include "stagelayout.h"
#include "touchtargets.h"

#include "app/numbers.h"
#include "app/window/form1.h"
#include "platform/platform.h"
#include "readers/accessibility.h"

#include <QAction>
#include <QEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <climits>

namespace kansu {

namespace {

// The window at its largest, both panels shown.
QSize largestDesign() {
    return QSize(design::pixels(kWideWidth) - kNominalFrame.width(),
                 design::pixels(kTallHeight) - kNominalFrame.height());
}

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

double fittingScale(QSize needed, QSize available, double current) {
    if (needed.width() <= available.width() && needed.height() <= available.height())
        return current;
    const double shrink = std::min(double(available.width()) / needed.width(),
                                   double(available.height()) / needed.height());
    return current * shrink;
}

Presenter::Presenter(Form1& form) : QObject(&form), form_(form), style_(new FocusStyle) {
    style_->setParent(this);
    for (const PlacedControl& placed : form.placements)
        if (placed.description->kind != design::Kind::Label)
            placed.widget->setStyle(style_);
    // A presenter's remote sends Page Down and Page Up: the steps, wherever
    // the focus is (the speed box would take them for its list).
    addKeys(QStringLiteral("進む"), {Qt::Key_PageDown}, &Presenter::stepForward);
    addKeys(QStringLiteral("戻る"), {Qt::Key_PageUp}, &Presenter::stepBack);
    addKeys(QStringLiteral("自動／ストップ"), {Qt::Key_J}, &Presenter::runOrStop);
    // On a page the browser's own zoom keys stay the browser's.
    if (!platform::windowFillsScreen())
        zoomKeys_ = {
            addKeys(QStringLiteral("拡大"), {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal},
                    &Presenter::zoomIn),
            addKeys(QStringLiteral("縮小"), {Qt::CTRL | Qt::Key_Minus}, &Presenter::zoomOut),
            addKeys(QStringLiteral("元の大きさ"), {Qt::CTRL | Qt::Key_0}, &Presenter::resetZoom)};
    fullScreenKey_ =
        addKeys(QStringLiteral("全画面／戻す"), {Qt::Key_F11}, &Presenter::toggleFullScreen);
    leaveFullScreen_ =
        addKeys(QStringLiteral("全画面を終える"), {Qt::Key_Escape}, &Presenter::toggleFullScreen);
    leaveFullScreen_->setEnabled(false);
    new TouchTargets(form);
    form.installEventFilter(this);
    connect(&form, &Form1::designSizeChanged, this, &Presenter::fitWindow);
    fitWindow();
}

QAction* Presenter::addKeys(const QString& text, std::initializer_list<QKeySequence> keys,
                            void (Presenter::*pressed)()) {
    QAction* action = addWindowKey(form_, text, keys);
    connect(action, &QAction::triggered, this, pressed);
    return action;
}

void Presenter::stepForward() {
    if (form_.susumu->isEnabled())
        form_.susumu->click();
}

void Presenter::runOrStop() {
    if (form_.jidou->isEnabled())
        form_.jidou->click();
    else if (form_.tomeru->isEnabled())
        form_.tomeru->click();
}

void Presenter::stepBack() {
    if (form_.modoru->isEnabled())
        form_.modoru->click();
}

void Presenter::fitWindow() {
    const QSize design = form_.designSize();
    // In full screen and in an area it fills, the window's size is given
    // and the lesson fits it.
    const bool given = fullScreen_ || area_.isValid();
    if (area_.isValid() && !fullScreen_) {
        form_.setFixedSize(area_.size());
        form_.move(area_.topLeft());
    }
    if (given)
        zoom_ = std::min(double(form_.width()) / design.width(),
                         double(form_.height()) / design.height()) *
                (fullScreen_ ? 1 : enlargement_);
    if (zoom_ != appliedZoom_) {
        appliedZoom_ = zoom_;
        style_->setZoom(zoom_);
        placeControls(form_, zoom_);
    }
    const QSize shown = scaledRect(QRect(QPoint(), design), zoom_).size();
    // In a given size the lesson stands in the middle of the window; an
    // enlarged one where the pinch left it, covering the window.
    const auto place = [](int room, int size, double wanted) {
        return size <= room ? (room - size) / 2 : std::clamp(roundToInt(wanted), room - size, 0);
    };
    const QPoint at = given ? QPoint(place(form_.width(), shown.width(), stageAt_.x()),
                                     place(form_.height(), shown.height(), stageAt_.y()))
                            : QPoint();
    form_.stage->setGeometry(QRect(at, shown));
    if (!given)
        form_.setFixedSize(shown);
    // A panel outside the window takes no keyboard focus.
    for (PictureBox* panel : {form_.gamen, form_.hyo})
        panel->setFocusPolicy(insideWindow(*panel) ? Qt::StrongFocus : Qt::NoFocus);
}

void Presenter::setZoom(double zoom) {
    if (!(zoom > 0) || fullScreen_ || area_.isValid())
        return;
    zoom_ = zoom;
    fitWindow();
    // Grown, the window moves back into the screen's free area if it now
    // reaches beyond it.
    if (!form_.isVisible() || !form_.screen())
        return;
    const QRect area = form_.screen()->availableGeometry();
    const QSize frame = form_.frameGeometry().size() - form_.geometry().size() + form_.size();
    const QPoint at(
        std::max(area.left(), std::min(form_.pos().x(), area.right() + 1 - frame.width())),
        std::max(area.top(), std::min(form_.pos().y(), area.bottom() + 1 - frame.height())));
    if (at != form_.pos())
        form_.move(at);
}

void Presenter::zoomIn() {
    // The screen must hold the window at its largest, with both panels.
    for (const double step : kZoomSteps)
        if (step > zoom_ + 1e-9) {
            setZoom(std::max(zoom_, fittingStep(step, largestDesign(), form_.screen())));
            return;
        }
}

void Presenter::zoomOut() {
    for (auto step = kZoomSteps.rbegin(); step != kZoomSteps.rend(); ++step)
        if (*step < zoom_ - 1e-9) {
            setZoom(*step);
            return;
        }
}

void Presenter::pinch(platform::PinchStep step, double factor, QPointF centre) {
    if (!area_.isValid() || fullScreen_)
        return;
    const QPointF local = centre - QPointF(form_.geometry().topLeft());
    if (step == platform::PinchStep::Begin) {
        pinchStart_.enlargement = enlargement_;
        pinchStart_.designed = (local - QPointF(form_.stage->pos())) / zoom_;
        return;
    }
    const double fitted = zoom_ / enlargement_;
    enlargement_ = std::clamp(pinchStart_.enlargement * factor, 1.0, kMostEnlargement);
    stageAt_ = local - pinchStart_.designed * fitted * enlargement_;
    fitWindow();
}

void Presenter::fillArea(const QRect& area) {
    area_ = area;
    fitWindow();
}

void Presenter::fitToScreen() {
    QScreen* screen = form_.screen();
    if (!screen)
        return;
    if (platform::windowFillsScreen()) {
        // A page resized, a tablet turned, full screen and back.
        connect(screen, &QScreen::availableGeometryChanged, this, &Presenter::fillArea);
        platform::onPinch([this](platform::PinchStep step, double factor, QPointF centre) {
            pinch(step, factor, centre);
        });
        fillArea(screen->availableGeometry());
        return;
    }
    const QSize needed = largestDesign() + kNominalFrame;
    const double fitting = fittingScale(needed, screen->availableGeometry().size(), 1.0);
    // A screen too small to be worth shrinking for shows the top left.
    if (fitting < 1 && fitting > 0.25)
        setZoom(fitting);
}

void Presenter::toggleFullScreen() {
    if (area_.isValid()) {
        // The area follows the screen, which the browser takes full screen.
        platform::toggleScreenFullScreen();
        return;
    }
    fullScreen_ = !fullScreen_;
    leaveFullScreen_->setEnabled(fullScreen_);
    for (QAction* key : zoomKeys_)
        key->setEnabled(!fullScreen_);
    if (fullScreen_) {
        normalZoom_ = zoom_;
        // Where the window's inside was: the window manager may have taken
        // it to full screen already.
        normalPosition_ = form_.normalGeometry().topLeft();
        form_.setMinimumSize(0, 0);
        form_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        form_.showFullScreen();
        fitWindow();
        return;
    }
    form_.showNormal();
    zoom_ = normalZoom_;
    fitWindow();
    form_.setGeometry(QRect(normalPosition_, form_.size()));
    // Once the window manager has framed the window again, it goes back
    // where it was.
    QTimer::singleShot(0, this, [this] {
        if (!fullScreen_)
            form_.setGeometry(QRect(normalPosition_, form_.size()));
    });
}

bool Presenter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &form_)
        return false;
    if (event->type() == QEvent::Resize && fullScreen_)
        fitWindow();
    // The window manager's maximize button or full-screen action, and its
    // way back, do what F11 does.
    // (A window that fills an area has no such ways: its size is the area's.)
    if (event->type() == QEvent::WindowStateChange && !area_.isValid()) {
        const auto differs = [this] {
            return bool(form_.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) !=
                   fullScreen_;
        };
        if (differs())
            QTimer::singleShot(0, this, [this, differs] {
                if (differs())
                    toggleFullScreen();
            });
    }
    return false;
}

} // namespace kansu
