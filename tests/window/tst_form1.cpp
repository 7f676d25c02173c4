#include "support/FakePlatform.h"
#include "window/Form1.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void captionsAndInitialValues();
    void variablesAfterLoad();
    void loadAsksForTopmostWithoutMoving();
    void geometryAt96Dpi_data();
    void geometryAt96Dpi();
    void tabOrderSkipsADisabledButton();
    void pickerFormatsAndRanges();
    void countDownStopsAtBothEnds();
    void targetPickerKeepsTheCenturyWhenTheYearIsTyped();
    void clockTextFitsTheLabel_data();
    void clockTextFitsTheLabel();
    void optionsAreOneGroup();

private:
    template <typename T> T *control(const char *name)
    {
        auto *found = m_form->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<Form1> m_form;
};

void TestForm1::init()
{
    m_platform = std::make_unique<FakePlatform>();
    m_platform->now = QDateTime(QDate(2026, 12, 6), QTime(15, 42, 7, 300));
    m_form = std::make_unique<Form1>(*m_platform);
}

void TestForm1::cleanup()
{
    m_form.reset();
}

void TestForm1::captionsAndInitialValues()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Tamsverolind"));
    QCOMPARE(control<QGroupBox>("Frame1")->title(), QStringLiteral("Now"));
    QCOMPARE(control<QGroupBox>("Frame2")->title(), QStringLiteral("Action"));
    QCOMPARE(control<QPushButton>("Command1")->text(), QStringLiteral("Ok"));
    QCOMPARE(control<QPushButton>("Command2")->text(), QStringLiteral("Cancel"));
    QVERIFY(control<QPushButton>("Command1")->isEnabled());
    QVERIFY(!control<QPushButton>("Command2")->isEnabled());
    QCOMPARE(control<QRadioButton>("Option1")->text(), QStringLiteral("by set Date/Time"));
    QCOMPARE(control<QRadioButton>("Option2")->text(), QStringLiteral("by Count Down"));
    QVERIFY(control<QRadioButton>("Option1")->isChecked());
    QVERIFY(!control<QRadioButton>("Option2")->isChecked());
    QCOMPARE(control<QLabel>("Label1")->text(), QString()); // empty until the first tick
    QCOMPARE(control<QLabel>("Label1")->parentWidget()->objectName(), QStringLiteral("Frame1"));
    for (const char *name : {"dtpTime", "dtpCountDown", "cboShutdown", "Option1", "Option2"})
        QCOMPARE(control<QWidget>(name)->parentWidget()->objectName(), QStringLiteral("Frame2"));

    auto *box = control<QComboBox>("cboShutdown");
    QVERIFY(box->isEditable());
    QCOMPARE(box->currentText(), QStringLiteral("Shut Down"));
    QCOMPARE(box->count(), 3);
    const QStringList items{QStringLiteral("Shut Down"), QStringLiteral("Restart"), QStringLiteral("Log Off")};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(box->itemText(i), items[i]);
        QCOMPARE(box->itemData(i).toInt(), 0);
    }
    const QDateTime design(QDate(2000, 12, 27), QTime(0, 0), Qt::UTC);
    QCOMPARE(control<QDateTimeEdit>("dtpCountDown")->dateTime(), design);
    QCOMPARE(control<QDateTimeEdit>("dtpTime")->dateTime(), design); // until load
    QVERIFY(!m_form->timer().isActive());
}

void TestForm1::variablesAfterLoad()
{
    QCOMPARE(m_form->state().blnArmed, vbFalse);
    QCOMPARE(m_form->state().intPosFlags, 0);
    m_form->load();
    QCOMPARE(m_form->state().datOneSecond, 1.0 / 86400.0);
    QCOMPARE(m_form->state().blnArmed, vbFalse);
    QCOMPARE(m_form->state().intPosFlags, 3);
    QCOMPARE(control<QDateTimeEdit>("dtpTime")->dateTime(), QDateTime(QDate(2026, 12, 6), QTime(0, 0), Qt::UTC));
    QCOMPARE(control<QDateTimeEdit>("dtpTime")->text(), QStringLiteral("06/12/26 00:00:00"));
    QVERIFY(m_form->timer().isActive());
}

void TestForm1::loadAsksForTopmostWithoutMoving()
{
    const QRect before = m_form->geometry();
    m_form->load();
    QCOMPARE(m_platform->windowPosCalls.size(), 1);
    QCOMPARE(m_platform->windowPosCalls[0].window, m_form.get());
    QCOMPARE(m_platform->windowPosCalls[0].insertAfter, -1);
    QCOMPARE(m_platform->windowPosCalls[0].flags, 3);
    QCOMPARE(m_form->geometry(), before);
}

void TestForm1::geometryAt96Dpi_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("Form1") << "Form1" << QRect(626, 295, 169, 271);
    QTest::newRow("Command2") << "Command2" << QRect(88, 240, 73, 25);
    QTest::newRow("Command1") << "Command1" << QRect(8, 240, 73, 25);
    QTest::newRow("Frame1") << "Frame1" << QRect(8, 0, 153, 97);
    QTest::newRow("Label1") << "Label1" << QRect(16, 16, 129, 73);
    QTest::newRow("Frame2") << "Frame2" << QRect(8, 96, 153, 137);
    QTest::newRow("dtpCountDown") << "dtpCountDown" << QRect(40, 104, 73, 25);
    QTest::newRow("dtpTime") << "dtpTime" << QRect(16, 48, 121, 25);
    QTest::newRow("cboShutdown") << "cboShutdown" << QRect(48, 0, 81, 22);
    QTest::newRow("Option2") << "Option2" << QRect(16, 80, 113, 17);
    QTest::newRow("Option1") << "Option1" << QRect(16, 24, 113, 17);
}

void TestForm1::geometryAt96Dpi()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    if (m_form->logicalDpiX() != 96)
        QSKIP("this screen is not at 96 DPI");
    QWidget *widget = name == u"Form1" ? m_form.get() : control<QWidget>(name.toLatin1().constData());
    QCOMPARE(widget->geometry(), pixels);
    if (widget == m_form.get()) {
        QCOMPARE(m_form->minimumSize(), pixels.size());
        QCOMPARE(m_form->maximumSize(), pixels.size());
    }
}

void TestForm1::tabOrderSkipsADisabledButton()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    control<QWidget>("cboShutdown")->setFocus();
    const QStringList expected{QStringLiteral("Option1"),  QStringLiteral("dtpTime"),
                               QStringLiteral("Option2"),  QStringLiteral("dtpCountDown"),
                               QStringLiteral("Command1"), QStringLiteral("cboShutdown")};
    QStringList walked;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        // The editable box and the pickers focus an inner line edit; name the control.
        while (focus && focus->objectName().isEmpty())
            focus = focus->parentWidget();
        walked << (focus ? focus->objectName() : QString());
    }
    QCOMPARE(walked, expected);
    // Once armed, "Ok" is skipped and "Cancel" takes its turn.
    m_form->scheduler().Command1_Click();
    QCOMPARE(QApplication::focusWidget(), control<QWidget>("Command2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), control<QWidget>("dtpCountDown"));
}

void TestForm1::pickerFormatsAndRanges()
{
    auto *target = control<QDateTimeEdit>("dtpTime");
    QCOMPARE(target->minimumDateTime(), QDateTime(QDate(1601, 1, 1), QTime(0, 0), Qt::UTC));
    QCOMPARE(target->maximumDateTime(), QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC));
    QVERIFY(!target->calendarPopup());
    QCOMPARE(target->displayFormat(), QStringLiteral("dd'/'MM'/'yy HH':'mm':'ss"));
    QCOMPARE(target->text(), QStringLiteral("27/12/00 00:00:00"));
    auto *countDown = control<QDateTimeEdit>("dtpCountDown");
    QCOMPARE(countDown->displayFormat(), QStringLiteral("HH':'mm':'ss"));
    QCOMPARE(countDown->text(), QStringLiteral("00:00:00"));
    // Showing only the time keeps the count-down within its own day.
    QCOMPARE(countDown->minimumDateTime(), QDateTime(QDate(2000, 12, 27), QTime(0, 0), Qt::UTC));
    QCOMPARE(countDown->maximumDateTime(), QDateTime(QDate(2000, 12, 27), QTime(23, 59, 59), Qt::UTC));
    QCOMPARE(countDown->displayedSections(),
             QDateTimeEdit::HourSection | QDateTimeEdit::MinuteSection | QDateTimeEdit::SecondSection);
    // Values are kept to the whole second.
    m_form->setPickerValue(Picker::dtpTime, datevalue::fromWallClock(QDate(2026, 12, 6), QTime(10, 0, 0, 600)));
    QCOMPARE(target->dateTime().time(), QTime(10, 0, 1));
}

void TestForm1::countDownStopsAtBothEnds()
{
    auto *countDown = control<QDateTimeEdit>("dtpCountDown");
    countDown->setCurrentSection(QDateTimeEdit::SecondSection);
    countDown->stepBy(-1);
    QCOMPARE(countDown->time(), QTime(0, 0, 0));
    countDown->setCurrentSection(QDateTimeEdit::HourSection);
    countDown->stepBy(30);
    countDown->setCurrentSection(QDateTimeEdit::MinuteSection);
    countDown->stepBy(70);
    countDown->setCurrentSection(QDateTimeEdit::SecondSection);
    countDown->stepBy(70);
    QCOMPARE(countDown->time(), QTime(23, 59, 59));
    QCOMPARE(countDown->date(), QDate(2000, 12, 27));
}

void TestForm1::targetPickerKeepsTheCenturyWhenTheYearIsTyped()
{
    m_form->load();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    auto *target = control<QDateTimeEdit>("dtpTime");
    target->setFocus();
    target->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(target, QStringLiteral("27"));
    QCOMPARE(target->date().year(), 2027);
    // Far from today, typing two digits stays in the century the picker shows.
    target->setDateTime(QDateTime(QDate(1650, 6, 1), QTime(0, 0), Qt::UTC));
    target->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(target, QStringLiteral("27"));
    QCOMPARE(target->date().year(), 1627);
}

void TestForm1::clockTextFitsTheLabel_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("widest digits") << "28/12/08 08:08:08";
    QTest::newRow("example") << "05/03/01 07:04:09";
    QTest::newRow("late") << "28/12/26 23:58:58";
}

void TestForm1::clockTextFitsTheLabel()
{
    QFETCH(QString, text);
    auto *label = control<QLabel>("Label1");
    const QFontMetrics metrics(label->font());
    const QStringList lines = text.split(QLatin1Char(' '));
    for (const QString &line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= label->width(),
                 qPrintable(QStringLiteral("%1 needs %2 px in %3, font %4")
                                .arg(line)
                                .arg(metrics.horizontalAdvance(line))
                                .arg(label->width())
                                .arg(QFontInfo(label->font()).family())));
    QVERIFY2(
        2 * metrics.height() <= label->height() + 1,
        qPrintable(
            QStringLiteral("two lines need %1 px, the label has %2").arg(2 * metrics.height()).arg(label->height())));
    QCOMPARE(QFontInfo(label->font()).pointSize(), 24);
}

void TestForm1::optionsAreOneGroup()
{
    auto *setTime = control<QRadioButton>("Option1");
    auto *countDown = control<QRadioButton>("Option2");
    countDown->click();
    QCOMPARE(m_form->optionValue(Option::Option2), vbTrue);
    QCOMPARE(m_form->optionValue(Option::Option1), vbFalse);
    QVERIFY(!setTime->isChecked());
    setTime->click();
    QCOMPARE(m_form->optionValue(Option::Option1), vbTrue);
    QCOMPARE(m_form->optionValue(Option::Option2), vbFalse);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
