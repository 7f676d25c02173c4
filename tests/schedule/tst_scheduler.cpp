#include "schedule/Scheduler.h"
#include "support/FakeForm.h"
#include "support/FakePlatform.h"
#include "window/FormLoad.h"
#include "window/FormState.h"

#include <QTest>

#include <memory>

using Action = SessionAction;

class TestScheduler : public QObject {
    Q_OBJECT
private slots:
    void init();

    void disarmedTicksOnlyWriteTheClock();
    void countDownStepsEachSecondAndFiresAtZero();
    void countDownAtZeroFiresOnEveryArmedTick();
    void logOffRequestsOnceThenEndsTheProgram();
    void actionTextMustMatchExactly_data();
    void actionTextMustMatchExactly();
    void setTimeFiresOnceInItsSecond();
    void setTimeAlreadyPassedNeverFires();
    void stalledTickAcrossTheTargetFiresOnceAtTheNextTick();
    void clockSteppedForwardAndBackOverTheTarget();
    void targetAWholeCenturyAwayDoesNotFire();
    void countDownCatchesUpLostTicks();
    void countDownIgnoresJitterAndDoubledTicks();
    void countDownDoesNotCountSleep();
    void cancelPausesAndOkResumes();
    void armingSwitchesFlagButtonsAndFocus();
    void changesWhileArmedCountFromTheNextTick();

private:
    void tick(std::int64_t ms = 1000)
    {
        m_platform->advanceMs(ms);
        m_scheduler->Timer1_Timer();
    }
    void armCountDown(QTime countDown)
    {
        m_form->setTimeSelected = false;
        m_form->setCountDown(countDown);
        m_scheduler->Command1_Click();
    }
    void armTarget(const QDateTime &target)
    {
        m_form->setTarget(target);
        m_scheduler->Command1_Click();
    }

    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<FakeForm> m_form;
    std::unique_ptr<FormState> m_state;
    std::unique_ptr<Scheduler> m_scheduler;
};

void TestScheduler::init()
{
    m_platform = std::make_unique<FakePlatform>();
    // Ticks land a couple of milliseconds after each second begins, as the real timer's do.
    m_platform->now = QDateTime(QDate(2026, 12, 6), QTime(12, 0, 0, 2));
    m_form = std::make_unique<FakeForm>();
    m_state = std::make_unique<FormState>();
    m_scheduler = std::make_unique<Scheduler>(*m_state, *m_form, *m_platform);
    Form_Load(*m_state, *m_form, *m_platform);
}

void TestScheduler::disarmedTicksOnlyWriteTheClock()
{
    m_form->setTimeSelected = false;
    m_form->setCountDown(QTime(0, 0, 5));
    tick();
    QCOMPARE(m_form->caption, QStringLiteral("06/12/26 12:00:01"));
    tick();
    QCOMPARE(m_form->caption, QStringLiteral("06/12/26 12:00:02"));
    QCOMPARE(m_form->countDown(), QTime(0, 0, 5));
    QVERIFY(m_platform->requests.isEmpty());
}

void TestScheduler::countDownStepsEachSecondAndFiresAtZero()
{
    m_form->actionText = QStringLiteral("Restart");
    armCountDown(QTime(0, 0, 3));
    tick();
    QCOMPARE(m_form->countDown(), QTime(0, 0, 2));
    tick();
    QCOMPARE(m_form->countDown(), QTime(0, 0, 1));
    QVERIFY(m_platform->requests.isEmpty());
    tick();
    QCOMPARE(m_form->countDown(), QTime(0, 0, 0));
    QCOMPARE(m_platform->requests, QList<Action>{Action::Restart});
    // The date part of the count-down is never touched.
    QCOMPARE(datevalue::toWallClock(m_form->pickers[Picker::dtpCountDown]).date(), QDate(2000, 12, 27));
}

void TestScheduler::countDownAtZeroFiresOnEveryArmedTick()
{
    // Armed at zero: the first tick fires; a refused request is simply asked again.
    armCountDown(QTime(0, 0, 0));
    tick();
    tick();
    tick();
    QCOMPARE(m_platform->requests, QList<Action>(3, Action::ShutDown));
    QCOMPARE(m_state->blnArmed, vbTrue);
    QCOMPARE(m_platform->endProgramCalls, 0);
}

void TestScheduler::logOffRequestsOnceThenEndsTheProgram()
{
    m_form->actionText = QStringLiteral("Log Off");
    armCountDown(QTime(0, 0, 1));
    tick();
    QCOMPARE(m_platform->requests, QList<Action>{Action::LogOff});
    QCOMPARE(m_platform->endProgramCalls, 1);
}

void TestScheduler::actionTextMustMatchExactly_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("lower case") << "restart";
    QTest::newRow("trailing blank") << "Shut Down ";
    QTest::newRow("other word") << "Reboot";
    QTest::newRow("empty") << "";
}

void TestScheduler::actionTextMustMatchExactly()
{
    QFETCH(QString, text);
    m_form->actionText = text;
    armCountDown(QTime(0, 0, 2));
    for (int i = 0; i < 5; ++i)
        tick();
    // The count-down still runs down and stops at zero; nothing is asked of the system.
    QCOMPARE(m_form->countDown(), QTime(0, 0, 0));
    QVERIFY(m_platform->requests.isEmpty());
}

void TestScheduler::setTimeFiresOnceInItsSecond()
{
    armTarget(QDateTime(QDate(2026, 12, 6), QTime(12, 0, 3)));
    tick();
    tick();
    QVERIFY(m_platform->requests.isEmpty());
    tick(); // 12:00:03
    QCOMPARE(m_platform->requests.size(), 1);
    tick(300); // a second tick within the same second
    tick();
    tick();
    QCOMPARE(m_platform->requests.size(), 1);
}

void TestScheduler::setTimeAlreadyPassedNeverFires()
{
    m_form->setCountDown(QTime(0, 0, 9));
    armTarget(QDateTime(QDate(2026, 12, 6), QTime(8, 0, 0)));
    for (int i = 0; i < 5; ++i)
        tick();
    QVERIFY(m_platform->requests.isEmpty());
    QCOMPARE(m_form->countDown(), QTime(0, 0, 9)); // set-time mode does not step it
}

void TestScheduler::stalledTickAcrossTheTargetFiresOnceAtTheNextTick()
{
    armTarget(QDateTime(QDate(2026, 12, 6), QTime(12, 0, 3)));
    tick();
    tick(3000); // the event loop was stopped over 12:00:03; this tick is at 12:00:04
    QCOMPARE(m_platform->requests.size(), 1);
    tick();
    QCOMPARE(m_platform->requests.size(), 1);
}

void TestScheduler::clockSteppedForwardAndBackOverTheTarget()
{
    armTarget(QDateTime(QDate(2026, 12, 6), QTime(12, 30, 0)));
    tick();
    m_platform->now = m_platform->now.addSecs(3600); // stepped an hour ahead, over the target
    tick();
    QCOMPARE(m_platform->requests.size(), 1);
    m_platform->now = m_platform->now.addSecs(-7200); // and back again, over it
    tick();
    tick();
    QCOMPARE(m_platform->requests.size(), 1);
    // Time then runs forward over the target once more: a new crossing, a new request.
    m_platform->now = QDateTime(QDate(2026, 12, 6), QTime(12, 29, 59, 2));
    tick();
    QCOMPARE(m_platform->requests.size(), 2);
}

void TestScheduler::targetAWholeCenturyAwayDoesNotFire()
{
    // Same two-digit year, same clock text: still another second.
    armTarget(QDateTime(QDate(2126, 12, 6), QTime(12, 0, 2)));
    for (int i = 0; i < 4; ++i)
        tick();
    QVERIFY(m_platform->requests.isEmpty());
}

void TestScheduler::countDownCatchesUpLostTicks()
{
    armCountDown(QTime(0, 0, 10));
    tick();
    QCOMPARE(m_form->countDown(), QTime(0, 0, 9));
    tick(4000); // three ticks lost
    QCOMPARE(m_form->countDown(), QTime(0, 0, 5));
    tick(60000); // far longer than is left: stops at zero and fires
    QCOMPARE(m_form->countDown(), QTime(0, 0, 0));
    QCOMPARE(m_platform->requests.size(), 1);
}

void TestScheduler::countDownIgnoresJitterAndDoubledTicks()
{
    // Ten minutes of ticks a few milliseconds early or late, with an extra tick now and
    // then: the count-down reaches zero at the 600th second, not before or after.
    armCountDown(QTime(0, 10, 0));
    const int jitter[] = {998, 1003, 1000, 996, 1004};
    for (int second = 1; second < 600; ++second) {
        tick(jitter[second % 5]);
        if (second % 97 == 0)
            tick(2);
    }
    QCOMPARE(m_form->countDown(), QTime(0, 0, 1));
    QVERIFY(m_platform->requests.isEmpty());
    tick(1000 - 2);
    QCOMPARE(m_platform->requests.size(), 1);
}

void TestScheduler::countDownDoesNotCountSleep()
{
    armCountDown(QTime(0, 1, 0));
    tick();
    m_platform->now = m_platform->now.addSecs(3 * 3600); // asleep: the monotonic clock stood still
    m_scheduler->Timer1_Timer();
    tick();
    QCOMPARE(m_form->countDown(), QTime(0, 0, 58));
}

void TestScheduler::cancelPausesAndOkResumes()
{
    armCountDown(QTime(0, 0, 30));
    tick();
    tick();
    m_scheduler->Command2_Click();
    for (int i = 0; i < 10; ++i)
        tick();
    QCOMPARE(m_form->countDown(), QTime(0, 0, 28));
    m_scheduler->Command1_Click();
    tick(400); // the first tick after "Ok" steps one second
    QCOMPARE(m_form->countDown(), QTime(0, 0, 27));
    tick();
    QCOMPARE(m_form->countDown(), QTime(0, 0, 26));
}

void TestScheduler::armingSwitchesFlagButtonsAndFocus()
{
    m_scheduler->Command1_Click();
    QCOMPARE(m_state->blnArmed, vbTrue);
    QVERIFY(!m_form->command1Enabled);
    QVERIFY(m_form->command2Enabled);
    QCOMPARE(m_form->focused, Button::Command2);
    m_scheduler->Command2_Click();
    QCOMPARE(m_state->blnArmed, vbFalse);
    QVERIFY(m_form->command1Enabled);
    QVERIFY(!m_form->command2Enabled);
    QCOMPARE(m_form->focused, Button::Command1);
}

void TestScheduler::changesWhileArmedCountFromTheNextTick()
{
    m_form->actionText = QStringLiteral("Nothing");
    armCountDown(QTime(0, 0, 1));
    tick();
    QVERIFY(m_platform->requests.isEmpty());
    m_form->actionText = QStringLiteral("Restart");
    tick();
    QCOMPARE(m_platform->requests, QList<Action>{Action::Restart});
    // Switching to the set-time mode with a target ahead stops the requests.
    m_form->setTimeSelected = true;
    m_form->setTarget(QDateTime(QDate(2026, 12, 6), QTime(23, 0, 0)));
    tick();
    tick();
    QCOMPARE(m_platform->requests.size(), 1);
}

QTEST_APPLESS_MAIN(TestScheduler)
#include "tst_scheduler.moc"
