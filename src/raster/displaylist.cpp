#include "displaylist.h"

#include <cmath>

namespace kansu {

void DisplayList::clear() {
    entries_.clear();
    firstDroppable_ = 0;
    folded_ = QImage();
}

void DisplayList::add(DrawOp op) {
    for (std::size_t i = entries_.size(); i-- > 0;) {
        Entry& entry = entries_[i];
        if (entry.overdrawn || !entry.op.sameCoverage(op))
            continue;
        if (i >= firstDroppable_ || entry.folded)
            entries_.erase(entries_.begin() + std::ptrdiff_t(i));
        else
            entry.overdrawn = true;
        break; // earlier ones were dealt with when this one came
    }
    const bool fill = op.kind == DrawOp::Kind::Fill;
    entries_.push_back({std::move(op), false, false});
    if (fill)
        firstDroppable_ = entries_.size();
}

void DisplayList::fold(const QImage& picture, QRgb background) {
    std::vector<Entry> kept;
    for (Entry& entry : entries_) {
        const bool readable =
            (entry.op.kind == DrawOp::Kind::Circle ||
             (entry.op.kind == DrawOp::Kind::Text && !std::isnan(entry.op.number))) &&
            !entry.overdrawn && entry.op.colour != background;
        if (readable)
            kept.push_back({std::move(entry.op), false, true});
    }
    // Only what can still be read is kept, and not without end.
    if (kept.size() > kLimit / 2)
        kept.erase(kept.begin(), kept.end() - std::ptrdiff_t(kLimit / 2));
    entries_ = std::move(kept);
    firstDroppable_ = entries_.size();
    folded_ = picture.copy();
}

std::vector<DisplayList::PrintedNumber> DisplayList::numbersInView(QRgb background) const {
    std::vector<PrintedNumber> numbers;
    for (const Entry& entry : entries_)
        if (entry.op.kind == DrawOp::Kind::Text && !std::isnan(entry.op.number) &&
            !entry.overdrawn && entry.op.colour != background)
            numbers.push_back({entry.op.at, entry.op.number});
    return numbers;
}

std::vector<QPointF> DisplayList::circlesInView(QRgb background) const {
    std::vector<QPointF> circles;
    for (const Entry& entry : entries_)
        if (entry.op.kind == DrawOp::Kind::Circle && !entry.overdrawn &&
            entry.op.colour != background)
            circles.push_back(entry.op.at);
    return circles;
}

} // namespace kansu
