// Runtime errors at the dispatch boundary: a control refuses one write in
// the middle of a handler. The handler must stop exactly there (every write
// before it kept, none after it made), the boundary reports one line on
// stderr and counts the error, and the next event runs normally.
#include "referee.h"
#include "support/stderr.h"

#include <QTest>

#include <algorithm>

using namespace robustness;

namespace
{

// Matches the nth write of one property to one control.
struct WriteMatcher {
    const ui::Control *target;
    ui::Property property;
    int nth;
    int seen = 0;
    bool matches(const ui::Control &c, ui::Property p)
    {
        return &c == target && p == property && ++seen == nth;
    }
};

// The test double of a failing control: raises the control-failure error
// from writing(), before the value changes, as a refusing backend would.
class RefuseOneWrite : public ui::ControlObserver
{
public:
    explicit RefuseOneWrite(WriteMatcher m) : match(m) {}
    void writing(const ui::Control &c, ui::Property p) override
    {
        if (!raised && match.matches(c, p)) {
            raised = true;
            ui::raise(ui::ErrorCode::ControlFailure);
        }
    }
    WriteMatcher match;
    bool raised = false;
};

// Captures the whole window just before the matching write, in a run where
// nothing fails: the state that the failing run must be left in.
class CaptureBeforeWrite : public ui::ControlObserver
{
public:
    CaptureBeforeWrite(const Form1 &f, WriteMatcher m) : form(f), match(m) {}
    void writing(const ui::Control &c, ui::Property p) override
    {
        if (!captured && match.matches(c, p)) {
            captured = true;
            state = capture(form);
        }
    }
    const Form1 &form;
    WriteMatcher match;
    bool captured = false;
    WindowState state;
};

const ui::Control *findControl(const Form1 &f, const std::string &name, int index)
{
    for (const ui::Control *c : f.controls())
        if (c->name() == name && c->index() == index)
            return c;
    return nullptr;
}

void setUp(Game &g, const QString &setup)
{
    if (setup == "near" || setup == "won")
        g.oneMoveFromWin();
    if (setup == "won")
        g.click(7);
}

void deliverAll(Game &g, const QString &events)
{
    const auto parsed = parseEvents(events.toStdString());
    QVERIFY2(parsed.has_value(), qPrintable(events));
    for (const Event &e : *parsed)
        deliver(g, e);
}

// Checks "Name(i).prop=value" words (prop: top, left, caption, enabled,
// visible; "Label3=v" reads its caption) and "clickNum=v", "isShift=v".
std::string mismatch(Form1 &f, const QString &expectations)
{
    for (const QString &word : expectations.split(' ', Qt::SkipEmptyParts)) {
        const QString key = word.section('=', 0, 0), want = word.section('=', 1);
        std::string got;
        if (key == "clickNum") {
            got = std::to_string(f.clickNum);
        } else if (key == "isShift") {
            got = std::to_string(f.isShift);
        } else {
            QString name = key.section('.', 0, 0), prop = key.section('.', 1);
            int index = -1;
            if (name.endsWith(')')) {
                index = name.section('(', 1).chopped(1).toInt();
                name = name.section('(', 0, 0);
            }
            const ui::Control *c = findControl(f, name.toStdString(), index);
            if (!c)
                return "no control " + key.toStdString();
            if (prop.isEmpty() || prop == "caption")
                got = c->caption();
            else if (prop == "top")
                got = std::to_string(int(c->top()));
            else if (prop == "left")
                got = std::to_string(int(c->left()));
            else if (prop == "enabled")
                got = std::to_string(int(c->enabled()));
            else if (prop == "visible")
                got = std::to_string(int(c->visible()));
            else
                return "unknown property in " + key.toStdString();
        }
        if (got != want.toStdString())
            return key.toStdString() + " is " + got + ", expected " + want.toStdString();
    }
    return {};
}

} // namespace

class TestBoundaryErrors : public QObject
{
    Q_OBJECT

private slots:
    void failedWriteStopsTheHandlerThere_data();
    void failedWriteStopsTheHandlerThere();
};

void TestBoundaryErrors::failedWriteStopsTheHandlerThere_data()
{
    QTest::addColumn<QString>("setup");  // start, near (one move from a win) or won
    QTest::addColumn<QString>("before"); // events that lead up to it
    QTest::addColumn<QString>("event");  // the event whose handler meets the failure
    QTest::addColumn<QString>("handler");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("property");
    QTest::addColumn<int>("nth"); // which write of that property fails
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("next"); // the following events, which must run cleanly
    QTest::addColumn<QString>("after");

    const int top = int(ui::Property::Top), left = int(ui::Property::Left),
              caption = int(ui::Property::Caption), enabled = int(ui::Property::Enabled),
              position = int(ui::Property::Position);
    QTest::newRow("move, Top of the tile")
        << "start"
        << ""
        << "c5"
        << "Command1_Click"
        << "Command1" << 5 << top << 1
        << "Command1(5).top=1000 Command1(5).left=2000 Label3=0 clickNum=0"
        << "c5"
        << "Command1(5).top=2000 Label3=1";
    QTest::newRow("shortcut jump, Left of the tile after its Top")
        << "start"
        << "k4:97"
        << "c4"
        << "Command1_Click"
        << "Command1" << 4 << left << 1
        << "Command1(4).top=2000 Command1(4).left=1000 Label3=0 clickNum=0 isShift=-1"
        << "n"
        << "Command1(4).top=1000 Label3=0 isShift=-1";
    QTest::newRow("move, Label3 after the count")
        << "start"
        << ""
        << "c5"
        << "Command1_Click"
        << "Label3" << -1 << caption << 1 << "Command1(5).top=2000 Label3=0 clickNum=1"
        << "c5"
        << "Command1(5).top=1000 Label3=2 clickNum=2";
    QTest::newRow("new game, caption of the fourth tile in the deal")
        << "start"
        << "c5"
        << "n"
        << "Command2_Click"
        << "Command1" << 3 << caption << 1 << "Command1(5).top=2000 Label3=1 clickNum=1"
        << "n"
        << "Command1(5).top=1000 Label3=0 clickNum=0";
    QTest::newRow("new game from the menu, Top of a tile put back")
        << "start"
        << "c5"
        << "m"
        << "mnuStart_Click"
        << "Command1" << 5 << top << 1 << "Command1(5).top=2000 Label3=1 clickNum=1"
        << "m"
        << "Command1(5).top=1000 Label3=0 clickNum=0";
    QTest::newRow("winning move, Label1 announcing it")
        << "near"
        << ""
        << "c7"
        << "Command1_Click"
        << "Label1" << -1 << caption << 1
        << "Command1(7).left=1000 Label3=1 Picture1.enabled=1 Timer1.enabled=0"
        << "c0"
        << "Picture1.enabled=0 Timer1.enabled=1 Image1(0).visible=1 Label3=1";
    QTest::newRow("winning move, Timer1 starting the celebration")
        << "near"
        << ""
        << "c7"
        << "Command1_Click"
        << "Timer1" << -1 << enabled << 1
        << "Picture1.enabled=0 Image1(0).visible=1 Image1(3).visible=1 Timer1.enabled=0"
        << "n"
        << "Picture1.enabled=1 Timer1.enabled=0 Label3=0";
    QTest::newRow("celebration tick, Move of the third smiley")
        << "won"
        << "t10"
        << "t1"
        << "Timer1_Timer"
        << "Image1" << 2 << position << 1
        << "Image1(0).left=650 Image1(1).top=550 Image1(2).left=4900 Image1(3).top=5740"
        << "t1"
        << "Image1(0).left=700 Image1(1).top=600 Image1(2).left=4850 Image1(3).top=5690";
}

void TestBoundaryErrors::failedWriteStopsTheHandlerThere()
{
    QFETCH(QString, setup);
    QFETCH(QString, before);
    QFETCH(QString, event);
    QFETCH(QString, handler);
    QFETCH(QString, control);
    QFETCH(int, index);
    QFETCH(int, property);
    QFETCH(int, nth);
    QFETCH(QString, left);
    QFETCH(QString, next);
    QFETCH(QString, after);
    const auto prop = ui::Property(property);

    // Where the handler stands at that write when nothing fails. Each Game
    // starts the same random series, so both runs deal alike.
    WindowState expected;
    {
        Game g;
        setUp(g, setup);
        deliverAll(g, before);
        const ui::Control *target = findControl(g.form, control.toStdString(), index);
        QVERIFY(target);
        CaptureBeforeWrite probe(g.form, {target, prop, nth});
        g.form.setObserver(&probe);
        deliverAll(g, event);
        g.form.setObserver(nullptr);
        QVERIFY2(probe.captured, "the handler never makes that write");
        expected = probe.state;
    }

    Game g;
    setUp(g, setup);
    deliverAll(g, before);
    const int errors = ui::errorCount();
    RefuseOneWrite refuse({findControl(g.form, control.toStdString(), index), prop, nth});
    std::string report;
    {
        StderrCapture cerr;
        g.form.setObserver(&refuse);
        deliverAll(g, event);
        g.form.setObserver(nullptr);
        report = cerr.text();
    }
    QVERIFY(refuse.raised);
    QCOMPARE(ui::errorCount(), errors + 1);
    QCOMPARE(std::count(report.begin(), report.end(), '\n'), std::ptrdiff_t(1));
    const std::string line = "quarvel: runtime error 380 in " + handler.toStdString() + ": ";
    QVERIFY2(report.rfind(line, 0) == 0, report.c_str());

    // Everything written before the refused write stays, nothing after it.
    const WindowState now = capture(g.form);
    QVERIFY2(now == expected, difference(g.form, expected, now).c_str());
    const std::string wrong = mismatch(g.form, left);
    QVERIFY2(wrong.empty(), wrong.c_str());

    // The program goes on: the next events run to their end.
    {
        StderrCapture cerr;
        deliverAll(g, next);
        QCOMPARE(cerr.text(), std::string());
    }
    QCOMPARE(ui::errorCount(), errors + 1);
    const std::string problem = boardProblem(g.form);
    QVERIFY2(problem.empty(), problem.c_str());
    const std::string wrongAfter = mismatch(g.form, after);
    QVERIFY2(wrongAfter.empty(), wrongAfter.c_str());
}

QTEST_APPLESS_MAIN(TestBoundaryErrors)
#include "tst_boundary_errors.moc"
