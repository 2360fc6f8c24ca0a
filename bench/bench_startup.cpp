// Start-up to the first painted window, for kansu and for an empty Qt
// window built the same way: "bench_startup kansu|empty|label [lesson]". With
// "lesson" a whole lesson follows the first paint, and the peak resident
// memory is printed.

#include "app/window/form1.h"
#include "app/window/lessonfont.h"
#include "app/wiring.h"
#include "board/step.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/resource.h>
#include <valgrind/callgrind.h>

using namespace kansu;

namespace {

// Ends the program once the window, or a control on it, has painted for the
// first time.
class FirstPaint : public QObject {
  public:
    std::function<void()> then;
    QWidget* window = nullptr;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && then && widget && widget->window() == window) {
            auto next = std::move(then);
            then = nullptr;
            QTimer::singleShot(0, qApp, next);
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    const bool kansu = argc > 1 && std::strcmp(argv[1], "kansu") == 0;
    const bool lesson = argc > 2 && std::strcmp(argv[2], "lesson") == 0;
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    Form1* form = nullptr;
    if (kansu) {
        auto owned = std::make_unique<Form1>();
        form = owned.get();
        wireForm1(*form);
        window = std::move(owned);
    } else {
        window = std::make_unique<QWidget>();
        window->resize(663, 558);
        // "label": the empty window with one text in the lesson's face, to
        // show what any text costs (the font database, one font engine).
        if (argc > 1 && std::strcmp(argv[1], "label") == 0)
            (new QLabel(QStringLiteral("４.関数"), window.get()))->setFont(lessonFont(18));
    }
    FirstPaint watch;
    watch.then = [&] {
        // Under callgrind (started with --collect-atstart=yes) the count
        // ends here, after the first paint reached the screen; elsewhere
        // this does nothing.
        CALLGRIND_TOGGLE_COLLECT;
        if (lesson && form) {
            form->Check1->setChecked(true);
            form->Check2->setChecked(true);
            form->Check3->setChecked(true);
            for (QRadioButton* option : form->Option1) {
                option->setChecked(true);
                for (int i = 0; i < 20; ++i)
                    susumu_Click(*form);
                for (int i = 0; i < 20; ++i)
                    modoru_Click(*form);
                QCoreApplication::processEvents();
            }
        }
        QCoreApplication::quit();
    };
    watch.window = window.get();
    app.installEventFilter(&watch);
    window->show();
    const int code = app.exec();
    if (lesson) {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("peak_rss_kb=%ld\n", usage.ru_maxrss);
    }
    return code;
}
