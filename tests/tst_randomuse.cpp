// Thousands of random actions on the real window, as a class of pupils
// would click it, with the lesson's invariants checked after every one.
// KANSU_RANDOM_SEED replays one seed; KANSU_RANDOM_ACTIONS sets the count.

#include "app/qbcolor.h"
#include "autorun/autorun.h"
#include "board/step.h"
#include "formfixture.h"

#include <QComboBox>
#include <QTest>
#include <random>

using namespace kansu;
using namespace kansu::testing;

namespace {

QStringList hostileTexts() {
    return {"",
            " ",
            "-",
            "+",
            ".",
            "e5",
            "1e308",
            "-1e308",
            "1e400",
            "-1e400",
            "nan",
            "inf",
            "-inf",
            "0x10",
            "&H10",
            QString(400, '9'),
            "2147483648",
            "-2147483649",
            "２０",
            "－３",
            "２．５",
            "12abc",
            "  7.5",
            "\t3",
            "1e-400",
            "-0",
            "0.05",
            "01",
            "0.6",
            "5",
            "10",
            "3.0",
            " 4.5",
            "abc",
            "1 2",
            QString(10000, 'x'),
            QString(5000, '1') + "e-5000",
            "\u3000５",
            "−7"};
}

enum class Action {
    Forward,
    Back,
    InitialScreen,
    Run,
    Stop,
    Quit,
    Grid,
    Graph,
    Table,
    Option,
    TypeChi,
    TypeSpeed,
};

} // namespace

class TestRandomUse : public QObject {
    Q_OBJECT
  private slots:
    void randomUse_data();
    void randomUse();

  private:
    void act();
    void fail(const QString& what);
    void checkBoard();
    void checkAtRest();
    void checkInPause();

    Form1& form() { return *fixture.form; }

    FormFixture fixture;
    std::mt19937 random;
    QStringList corpus;
    quint32 seed = 0;
    long actions = 0;
    long checks = 0;
    long typed = 0;
    long runsStarted = 0;
    bool textTyped = false;    // Text1 holds a typed text, not chi
    bool longCaptions = false; // the last panel box change was a tick
    QString failure;
};

void TestRandomUse::fail(const QString& what) {
    if (failure.isEmpty())
        failure = QStringLiteral("seed %1, action %2: %3").arg(seed).arg(actions).arg(what);
}

void TestRandomUse::checkBoard() {
    ++checks;
    Form1& f = form();
    const int s = f.StepCount;
    if (s % 15 != 0 || s < 0 || s > 300)
        return fail(QStringLiteral("StepCount %1").arg(s));
    const Canvas& board = f.kokuban->canvas();
    if (s >= 15 && board.pixel(100 + s - 2, 50 + s - 2) != kCyan)
        return fail(QStringLiteral("no blue square of side %1").arg(s));
    if (s <= 285 && board.pixel(100 + s + 3, 50 + s + 3) != kYellow)
        return fail(QStringLiteral("no yellow figure at %1").arg(s));
    const bool grid = f.Check1->isChecked();
    if ((board.pixel(130, 65) == QBColor(0)) != grid)
        return fail(QStringLiteral("grid shown: %1, ticked: %2").arg(!grid).arg(grid));
    if ((!grid || s % 30 != 0) && board.pixel(100 + s, 50 + s) != QBColor(15))
        return fail(QStringLiteral("no chalk corner at %1").arg(s));
    if (board.pixel(50, 370) != kGreen)
        return fail(QStringLiteral("board not green outside the frame"));
    if (!textTyped) {
        const QString text = f.Text1->text();
        if (text != chiText(qint16(s)) && !(s == 0 && text == QStringLiteral("0.0")))
            return fail(QStringLiteral("Text1 '%1' at StepCount %2").arg(text).arg(s));
    }
}

void TestRandomUse::checkAtRest() {
    checkBoard();
    Form1& f = form();
    if (!f.jidou->isEnabled() || f.tomeru->isEnabled() || !f.susumu->isEnabled() ||
        !f.modoru->isEnabled() || !f.Command1->isEnabled() || f.StopRequested != 0)
        return fail(QStringLiteral("buttons not idle with no run going"));
    const QSize size(f.Check2->isChecked() ? 1010 : 663, f.Check3->isChecked() ? 702 : 558);
    if (f.size() != size)
        return fail(QStringLiteral("window %1 x %2").arg(f.width()).arg(f.height()));
    const bool isLong = f.Option1[0]->text().size() > 1;
    if (isLong != longCaptions)
        return fail(QStringLiteral("captions %1").arg(f.Option1[0]->text()));
}

void TestRandomUse::checkInPause() {
    checkBoard();
    Form1& f = form();
    if (f.susumu->isEnabled() || f.modoru->isEnabled() || f.Command1->isEnabled())
        return fail(QStringLiteral("step buttons usable during a run"));
    const bool running = !f.jidou->isEnabled() && f.tomeru->isEnabled() && f.StopRequested == 0;
    const bool stopping = f.jidou->isEnabled() && f.StopRequested == 1;
    if (!running && !stopping)
        return fail(QStringLiteral("buttons neither running nor stopping"));
}

void TestRandomUse::act() {
    ++actions;
    Form1& f = form();
    const auto pick = [this](int n) {
        return std::uniform_int_distribution<int>(0, n - 1)(random);
    };
    // Steps and panel boxes are what pupils click most.
    static constexpr Action kWeighted[] = {
        Action::Forward,       Action::Forward,   Action::Forward, Action::Back,   Action::Back,
        Action::InitialScreen, Action::Run,       Action::Stop,    Action::Quit,   Action::Grid,
        Action::Grid,          Action::Graph,     Action::Table,   Action::Option, Action::Option,
        Action::TypeChi,       Action::TypeSpeed,
    };
    const Action action = kWeighted[pick(std::size(kWeighted))];
    const auto rewritesChi = [&](bool happened) {
        if (happened)
            textTyped = false;
    };
    switch (action) {
    case Action::Forward:
        rewritesChi(f.susumu->isEnabled());
        QTest::mouseClick(f.susumu, Qt::LeftButton);
        break;
    case Action::Back:
        rewritesChi(f.modoru->isEnabled());
        QTest::mouseClick(f.modoru, Qt::LeftButton);
        break;
    case Action::InitialScreen:
        rewritesChi(f.Command1->isEnabled());
        QTest::mouseClick(f.Command1, Qt::LeftButton);
        break;
    case Action::Run:
        if (f.jidou->isEnabled() && f.StopRequested == 0) {
            rewritesChi(true);
            ++runsStarted;
        }
        // A short speed; the pause itself is scripted below.
        if (pick(2) == 0)
            f.Combo1->setEditText(QStringLiteral("01"));
        QTest::mouseClick(f.jidou, Qt::LeftButton);
        break;
    case Action::Stop:
        QTest::mouseClick(f.tomeru, Qt::LeftButton);
        break;
    case Action::Quit:
        QTest::mouseClick(f.end, Qt::LeftButton);
        break;
    case Action::Grid:
        rewritesChi(f.Check1->isChecked());
        clickCheckBox(f.Check1);
        break;
    case Action::Graph:
    case Action::Table: {
        QCheckBox* box = action == Action::Graph ? f.Check2 : f.Check3;
        longCaptions = !box->isChecked();
        clickCheckBox(box);
        break;
    }
    case Action::Option: {
        const size_t i = static_cast<size_t>(pick(3));
        rewritesChi(!f.Option1[i]->isChecked());
        clickCheckBox(f.Option1[i]);
        break;
    }
    case Action::TypeChi:
        ++typed;
        textTyped = true;
        f.Text1->setText(corpus[pick(int(corpus.size()))]);
        break;
    case Action::TypeSpeed:
        ++typed;
        f.Combo1->setEditText(corpus[pick(int(corpus.size()))]);
        break;
    }
}

void TestRandomUse::randomUse_data() {
    QTest::addColumn<quint32>("seed");
    const QByteArray chosen = qgetenv("KANSU_RANDOM_SEED");
    if (!chosen.isEmpty()) {
        QTest::newRow("chosen") << chosen.toUInt();
        return;
    }
    for (const quint32 s : {20261208u, 4242u, 77u})
        QTest::addRow("seed %u", s) << s;
}

void TestRandomUse::randomUse() {
    QFETCH(quint32, seed);
    this->seed = seed;
    random.seed(seed);
    corpus = hostileTexts();
    const long wanted = qEnvironmentVariableIntValue("KANSU_RANDOM_ACTIONS") > 0
                            ? qEnvironmentVariableIntValue("KANSU_RANDOM_ACTIONS")
                            : 7000;
    fixture.start();
    actions = checks = typed = runsStarted = 0;
    textTyped = longCaptions = false;
    failure.clear();

    int budget = 0; // actions a run may still take inside its pauses
    form().pause = [&](qint32 milliseconds) {
        // Now and then a real, very short pause, so that real events run too.
        if (milliseconds > 0 && std::uniform_int_distribution<int>(0, 9)(random) == 0)
            Pause(form(), std::min(milliseconds, 2));
        checkInPause();
        while (budget > 0 && failure.isEmpty() &&
               std::uniform_int_distribution<int>(0, 2)(random) == 0) {
            --budget;
            act();
            checkInPause();
        }
    };
    while (actions < wanted && failure.isEmpty()) {
        budget = 12;
        act();
        checkAtRest();
    }
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    qInfo("seed %u: %ld actions (%ld runs, %ld hostile texts), %ld invariant checks", seed, actions,
          runsStarted, typed, checks);
}

QTEST_MAIN(TestRandomUse)
#include "tst_randomuse.moc"
