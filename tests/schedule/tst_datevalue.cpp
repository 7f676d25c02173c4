#include "platform/LocaleSeparators.h"
#include "schedule/DateValue.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <ctime>
#include <random>

using namespace datevalue;

class TestDateValue : public QObject {
    Q_OBJECT
private slots:
    void wallClockConversion_data();
    void wallClockConversion();
    void roundTripOverThePickersRange();
    void timeOfDayToSecond_data();
    void timeOfDayToSecond();
    void wholeSecondsFollowTheCalendar();
    void countDownStepKeepsTheDate();
    void oneSecondFromText();
    void rejectsMalformedTimeText_data();
    void rejectsMalformedTimeText();
    void clockText_data();
    void clockText();
    void daylightSavingDaysKeepEveryWallClockSecond();
    void localeSeparators_data();
    void localeSeparators();
};

void TestDateValue::wallClockConversion_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QDateTime>("wallClock");
    const auto at = [](int y, int mo, int d, int h, int mi, int s) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
    };
    QTest::newRow("epoch") << 0.0 << at(1899, 12, 30, 0, 0, 0);
    QTest::newRow("epoch at six") << 0.25 << at(1899, 12, 30, 6, 0, 0);
    QTest::newRow("negative day, time counts forward") << -1.25 << at(1899, 12, 29, 6, 0, 0);
    QTest::newRow("negative whole day") << -1.0 << at(1899, 12, 29, 0, 0, 0);
    QTest::newRow("design value") << 36887.0 << at(2000, 12, 27, 0, 0, 0);
    QTest::newRow("first picker day") << -109205.0 << at(1601, 1, 1, 0, 0, 0);
    QTest::newRow("last picker second") << 2958465.0 + 86399.0 / 86400.0 << at(9999, 12, 31, 23, 59, 59);
}

void TestDateValue::wallClockConversion()
{
    QFETCH(double, value);
    QFETCH(QDateTime, wallClock);
    QCOMPARE(toWallClock(value), wallClock);
    QCOMPARE(fromWallClock(wallClock), value);
}

void TestDateValue::roundTripOverThePickersRange()
{
    // Whole seconds from 1601 to 9999 survive value -> wall clock -> value, to the second.
    std::mt19937_64 random(20261206);
    const QDateTime first(QDate(1601, 1, 1), QTime(0, 0), Qt::UTC);
    const qint64 span = first.secsTo(QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC));
    std::uniform_int_distribution<qint64> pick(0, span);
    for (int i = 0; i < 20000; ++i) {
        const QDateTime wall = first.addSecs(pick(random));
        const DateValue value = fromWallClock(wall);
        QCOMPARE(toWallClock(value), wall);
        QCOMPARE(toWallClock(roundedToSecond(value + 0.4 / 86400.0)), wall);
    }
}

void TestDateValue::timeOfDayToSecond_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("seconds");
    QTest::newRow("bare date") << 36887.0 << 0;
    QTest::newRow("one second") << 36887.0 + 1.0 / 86400.0 << 1;
    QTest::newRow("23:59:59.6 rounds to a whole day, so midnight") << 36887.0 + 86399.6 / 86400.0 << 0;
    QTest::newRow("23:59:59.4 stays") << 36887.0 + 86399.4 / 86400.0 << 86399;
    QTest::newRow("negative date, six o'clock") << -1.25 << 6 * 3600;
    QTest::newRow("half a second rounds up") << 10.5 / 86400.0 << 11;
}

void TestDateValue::timeOfDayToSecond()
{
    QFETCH(double, value);
    QFETCH(int, seconds);
    const DateValue time = datevalue::timeOfDayToSecond(value);
    QVERIFY(time >= 0.0 && time < 1.0);
    QCOMPARE(std::llround(time * 86400.0), seconds);
}

void TestDateValue::wholeSecondsFollowTheCalendar()
{
    // Across the epoch a negative value's time still counts forward.
    const DateValue before = fromWallClock(QDate(1899, 12, 29), QTime(23, 59, 59));
    const DateValue midnight = fromWallClock(QDate(1899, 12, 30), QTime(0, 0));
    QCOMPARE(wholeSeconds(midnight) - wholeSeconds(before), 1);
    QCOMPARE(wholeSeconds(fromWallClock(QDate(1899, 12, 29), QTime(6, 0))), -86400 + 6 * 3600);
}

void TestDateValue::countDownStepKeepsTheDate()
{
    const DateValue oneSecond = timeFromText(u"00:00:01").value();
    const DateValue value = fromWallClock(QDate(2000, 12, 27), QTime(0, 0, 1));
    QVERIFY(sameTimeOfDay(value - oneSecond, 0.0));
    QCOMPARE(toWallClock(roundedToSecond(value - oneSecond)), QDateTime(QDate(2000, 12, 27), QTime(0, 0), Qt::UTC));
    QCOMPARE(toWallClock(secondsEarlier(value, 1)), QDateTime(QDate(2000, 12, 27), QTime(0, 0), Qt::UTC));
    // Before the epoch, stepping back must move towards the earlier second, not the later.
    const DateValue old = fromWallClock(QDate(1850, 6, 1), QTime(10, 0, 5));
    QCOMPARE(toWallClock(secondsEarlier(old, 5)).time(), QTime(10, 0, 0));
}

void TestDateValue::oneSecondFromText()
{
    QCOMPARE(timeFromText(u"00:00:01").value(), 1.0 / 86400.0);
    QCOMPARE(timeFromText(u"00:00:00").value(), 0.0);
    QCOMPARE(timeFromText(u"23:59:59").value(), 86399.0 / 86400.0);
}

void TestDateValue::rejectsMalformedTimeText_data()
{
    QTest::addColumn<QString>("text");
    for (const char *text : {"", "24:00:00", "00:60:00", "00:00:60", "1:2", "aa:bb:cc", "00:00:01 "})
        QTest::newRow(text) << QString::fromLatin1(text);
}

void TestDateValue::rejectsMalformedTimeText()
{
    QFETCH(QString, text);
    QVERIFY(!timeFromText(text).has_value());
}

void TestDateValue::clockText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("dateSeparator");
    QTest::addColumn<QString>("timeSeparator");
    QTest::addColumn<QString>("text");
    const DateValue march = fromWallClock(QDate(2001, 3, 5), QTime(7, 4, 9));
    QTest::newRow("slash and colon") << march << "/"
                                     << ":"
                                     << "05/03/01 07:04:09";
    QTest::newRow("dot and dot") << march << "."
                                 << "."
                                 << "05.03.01 07.04.09";
    QTest::newRow("two-digit year of 1601") << -109205.0 << "/"
                                            << ":"
                                            << "01/01/01 00:00:00";
    QTest::newRow("year 2000") << 36887.0 << "/"
                               << ":"
                               << "27/12/00 00:00:00";
    QTest::newRow("rounded to the second") << march + 0.6 / 86400.0 << "/"
                                           << ":"
                                           << "05/03/01 07:04:10";
    QTest::newRow("before the epoch") << -1.25 << "/"
                                      << ":"
                                      << "29/12/99 06:00:00";
}

void TestDateValue::clockText()
{
    QFETCH(double, value);
    QFETCH(QString, dateSeparator);
    QFETCH(QString, timeSeparator);
    QFETCH(QString, text);
    QCOMPARE(datevalue::clockText(value, {dateSeparator, timeSeparator}), text);
}

void TestDateValue::daylightSavingDaysKeepEveryWallClockSecond()
{
    // Date values are wall-clock readings: the hour that Berlin skips in spring and the
    // hour it repeats in autumn convert like any other, whatever the zone.
    qputenv("TZ", "Europe/Berlin");
    tzset();
    for (const QDate day : {QDate(2026, 3, 29), QDate(2026, 10, 25)}) {
        for (int second = 0; second < 86400; second += 7) {
            const QTime time = QTime(0, 0).addSecs(second);
            QCOMPARE(toWallClock(fromWallClock(day, time)), QDateTime(day, time, Qt::UTC));
        }
    }
    QCOMPARE(datevalue::clockText(fromWallClock(QDate(2026, 3, 29), QTime(2, 30)), {}),
             QStringLiteral("29/03/26 02:30:00"));
    qunsetenv("TZ");
    tzset();
}

void TestDateValue::localeSeparators_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::newRow("en_US") << "en_US"
                           << "/"
                           << ":";
    QTest::newRow("de_DE") << "de_DE"
                           << "."
                           << ":";
    QTest::newRow("nl_NL") << "nl_NL"
                           << "-"
                           << ":";
    QTest::newRow("fi_FI") << "fi_FI"
                           << "."
                           << ".";
}

void TestDateValue::localeSeparators()
{
    QFETCH(QString, locale);
    QFETCH(QString, date);
    QFETCH(QString, time);
    const Separators separators = separatorsOf(QLocale(locale));
    QCOMPARE(separators.date, date);
    QCOMPARE(separators.time, time);
}

QTEST_APPLESS_MAIN(TestDateValue)
#include "tst_datevalue.moc"
