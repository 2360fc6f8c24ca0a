#include "lessonfont.h"

#include "app/numbers.h"
#include "platform/platform.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

namespace kansu {

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
    if (const auto hinting = platform::lessonHinting(); hinting != QFont::PreferDefaultHinting)
        font.setHintingPreference(hinting);
    return font;
}

void fitToDesign(QLabel& label, const QRect& box) {
    const int needed = QFontMetrics(label.font()).horizontalAdvance(label.text());
    if (needed <= box.width())
        return;
    QFont font = label.font();
    font.setStretch(std::max(50, box.width() * 100 / needed));
    label.setFont(font);
}

} // namespace kansu
