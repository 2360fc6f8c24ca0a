#include "table.h"

#include "app/numbers.h"
#include "app/qbcolor.h"
#include "app/window/form1.h"

#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

namespace kansu {

namespace {

constexpr double kColumnWidth = 53;
constexpr double kFirstColumn = 60;
constexpr double kChiRow = 25;
constexpr double kValueRow = 70;

} // namespace

void DrawTable(Form1& form, qint16 EraseColumn) {
    Canvas& table = form.hyo->canvas();
    table.setDrawingColour(EraseColumn != 0 ? table.backgroundColour() : QBColor(0));
    const double chi = numericValue(form.Text1->text());
    // Columns exist only for whole chi; an infinite text has none either.
    if (!std::isfinite(chi) || chi != std::trunc(chi))
        return;
    const double column = kColumnWidth * chi + kFirstColumn;
    table.setPenPosition(QPointF(column, kChiRow));
    table.printNumber(chi);
    QPointF pen(column, kValueRow);
    // The y row shifts so that numbers of two or three digits stay under chi.
    if (form.selected(0)) {
        if (chi == 0)
            pen.rx() -= 10;
        if (chi == 10)
            pen.rx() += 10;
        table.setPenPosition(pen);
        table.printNumber(10 - chi);
    }
    if (form.selected(1)) {
        if (chi > 3)
            pen.rx() -= 10;
        table.setPenPosition(pen);
        table.printNumber(chi * chi);
    }
    if (form.selected(2)) {
        if (chi == 0)
            pen.rx() -= 20;
        if (chi > 0 && chi < 10)
            pen.rx() -= 10;
        if (chi == 10)
            pen.rx() += 10;
        table.setPenPosition(pen);
        table.printNumber(100 - chi * chi);
    }
}

QString describeTable(const Form1& form) {
    auto numbers = form.hyo->canvas().numbersInView();
    std::sort(numbers.begin(), numbers.end(),
              [](const auto& a, const auto& b) { return a.pen.x() < b.pen.x(); });
    QStringList chiRow;
    QStringList valueRow;
    for (const auto& n : numbers)
        (n.pen.y() == kChiRow ? chiRow : valueRow) << signedNumberText(n.value).trimmed();
    if (chiRow.isEmpty() && valueRow.isEmpty())
        return QStringLiteral("表：まだ値はない");
    // With no quantity chosen only the chi row is printed.
    if (valueRow.isEmpty())
        return QStringLiteral("表：χ = %1；ｙ は選ばれていない")
            .arg(chiRow.join(QStringLiteral(", ")));
    return QStringLiteral("表：χ = %1；ｙ = %2")
        .arg(chiRow.join(QStringLiteral(", ")), valueRow.join(QStringLiteral(", ")));
}

void Check3_Click(Form1& form) {
    if (form.Check3->checkState() != Qt::Unchecked) {
        form.setQuantityCaptions(CaptionForm::Long);
        form.setOuterHeight(kTallHeight);
        form.hyo->canvas().clear();
        DrawTable(form, 0);
    } else {
        form.setOuterHeight(kShortHeight);
        form.setQuantityCaptions(CaptionForm::Short);
    }
}

} // namespace kansu
