#pragma once

#include "drawop.h"

#include <QImage>
#include <QPointF>
#include <vector>

namespace kansu {

// What has been drawn on a surface since it was last cleared, so that it can
// be drawn again at another scale with the same result. An operation that a
// later one paints over completely (the same shape, in the background colour
// or again) is dropped, unless a flood fill lies between them: the fill may
// have depended on it. So a panel whose entries are drawn and erased over
// and over keeps one operation per place. Should the list still grow past
// its limit, it is folded into a picture of the surface at that moment,
// which is then shown enlarged at other scales.
class DisplayList {
  public:
    static constexpr std::size_t kLimit = 4096;

    struct Entry {
        DrawOp op;
        bool overdrawn = false; // a later operation covers it exactly
        bool folded = false;    // part of the folded picture, kept to be read
    };

    void clear();
    void add(DrawOp op);
    // Folds everything into `picture` when the list has reached its limit.
    bool full() const { return entries_.size() >= kLimit; }
    void fold(const QImage& picture, QRgb background);

    const std::vector<Entry>& entries() const { return entries_; }
    // The folded picture, or a null image.
    const QImage& folded() const { return folded_; }

    // The numbers printed and the circles drawn in another colour than the
    // background that nothing has painted over since: what the surface
    // shows, to be told to screen readers. Grouped drawings are not listed.
    struct PrintedNumber {
        QPointF pen;
        double value;
    };
    std::vector<PrintedNumber> numbersInView(QRgb background) const;
    std::vector<QPointF> circlesInView(QRgb background) const;

  private:
    std::vector<Entry> entries_;
    std::size_t firstDroppable_ = 0; // entries before it lie under a fill
    QImage folded_;
};

} // namespace kansu
