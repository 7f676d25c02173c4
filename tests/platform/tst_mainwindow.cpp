#include "platform/qt/MainWindow.h"
#include "platform/qt/Pickers.h"
#include "support/FakeForm.h"
#include "support/FakePlatform.h"
#include "support/PickerCases.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include <tuple>

using namespace Qt::StringLiterals;

// The Qt window built from the description, driven as a user drives it.
class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_platform = std::make_unique<FakePlatform>();
        m_window = std::make_unique<MainWindow>(*m_platform);
        m_window->load();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void builtAsDesigned()
    {
        QCOMPARE(static_cast<QDateTimeEdit *>(widget(ControlId::dtpTime))->text(), QStringLiteral("06/12/26 00:00:00"));
        // Both clock lines fit the label in its 24-point face.
        auto *label = static_cast<QLabel *>(widget(ControlId::Label1));
        const QFontMetrics metrics(label->font());
        QVERIFY(metrics.horizontalAdvance(QStringLiteral("28/12/08")) <= label->width() &&
                2 * metrics.height() <= label->height() + 1);
        // The focus starts in the action box; a screen reader reads the clock's text and the menu's name.
        QCOMPARE(QApplication::focusWidget(), widget(ControlId::cboShutdown));
        m_window->setLabelCaption("06/12/26 12:00:01");
        const auto spoken = [](QObject *object) {
            return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
        };
        QCOMPARE(spoken(label) + spoken(m_window->aboutMenu()), QStringLiteral("06/12/26 12:00:01About"));
        // Hungarian's date, French Canada's time under Wine: the date over the whole time, in a
        // face made smaller for the wider line.
        m_window->setLabelCaption("06. 12. 26 12 'h' 00 'h' 01");
        QVERIFY(label->heightForWidth(label->width()) <= 2 * QFontMetrics(label->font()).lineSpacing());
        QVERIFY(QFontMetrics(label->font()).horizontalAdvance(QStringLiteral("12 'h' 00 'h' 01")) <=
                label->contentsRect().width());
    }

    void keyboardAlone()
    {
        // From the first focus, Tab walks the designed order; every control has a name a screen reader speaks.
        QStringList walked;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focus = QApplication::focusWidget();
            while (focus && focus->objectName().isEmpty()) // an inner line edit
                focus = focus->parentWidget();
            // Qt's accessible combo box on Linux reports its text as its name and leaves the
            // label to a relation; the others speak their name.
            const QString spoken = qobject_cast<QComboBox *>(focus)
                                       ? focus->accessibleName()
                                       : QAccessible::queryAccessibleInterface(focus)->text(QAccessible::Name);
            walked << focus->objectName() + QLatin1Char('=') + spoken;
        }
        QCOMPARE(walked.join(u' '), QStringLiteral("Option1=by set Date/Time dtpTime=by set Date/Time "
                                                   "Option2=by Count Down dtpCountDown=by Count Down Command1=Ok "
                                                   "cboShutdown=Action"));
        // Shift+F10, and the context-menu key on an option, open the About menu as a right-click would.
        QTest::keyClick(widget(ControlId::Command2), Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(m_window->aboutMenu()->isVisible());
        m_window->aboutMenu()->hide();
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QApplication::sendEvent(widget(ControlId::Option2), &menuKey);
        QTRY_VERIFY(m_window->aboutMenu()->isVisible());
        m_window->aboutMenu()->hide();
        // The action box keeps its text as typed, and its three items.
        auto *box = static_cast<QComboBox *>(widget(ControlId::cboShutdown));
        for (const QString &typed : {QStringLiteral("restart"), QStringLiteral("Hibernate")}) {
            box->lineEdit()->selectAll();
            QTest::keyClicks(box->lineEdit(), typed);
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
            QCOMPARE(m_window->comboText(), typed.toStdString());
            QCOMPARE(box->count(), 3);
        }
        // Return held on Ok: one click; its repeats go to Cancel, which they must not press.
        QTest::keyClick(widget(ControlId::Command1), Qt::Key_Return);
        for (int repeat = 0; repeat < 5; ++repeat) {
            QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(QApplication::focusWidget(), &held);
        }
        QCOMPARE(m_window->form().state().blnArmed, vbTrue);
        QCOMPARE(QApplication::focusWidget(), widget(ControlId::Command2));
    }

    void rightClickSurfacesAndTheLinkMessage()
    {
        QMenu *menu = m_window->aboutMenu();
        QTest::mouseClick(widget(ControlId::Command1), Qt::RightButton);
        QTest::mouseClick(widget(ControlId::Frame1), Qt::RightButton, {}, QPoint(3, 3)); // the border
        QTest::mouseClick(widget(ControlId::Label1), Qt::LeftButton);
        QVERIFY(!menu->isVisible());
        QTest::mouseClick(widget(ControlId::Frame2), Qt::RightButton, {}, QPoint(140, 120));
        QTRY_VERIFY(menu->isVisible());
        m_platform->programsStart = false;
        m_platform->userHandlerOpens = false;
        menu->actions().at(homePageItem)->trigger();
        menu->actions().at(mailItem)->trigger(); // brings the open message forward: one at a time
        menu->hide();
        const auto messages = m_window->findChildren<QMessageBox *>(QStringLiteral("linkFailure"));
        QVERIFY(messages.size() == 1 && messages[0]->text().contains(QStringLiteral("www.example.org/tamsverolind")));
        // The window still answers while the message is open: it is modeless.
        QTest::mouseClick(widget(ControlId::Command1), Qt::LeftButton);
        QCOMPARE(m_window->form().state().blnArmed, vbTrue);
    }

    void theWheelTypingAndClicksInThePickers()
    {
        auto *countDown = static_cast<DatePicker *>(widget(ControlId::dtpCountDown));
        auto *target = static_cast<DatePicker *>(widget(ControlId::dtpTime));
        QTest::mouseClick(widget(ControlId::Option2), Qt::LeftButton);
        countDown->setTime(QTime(0, 30, 0));
        QTest::mouseClick(widget(ControlId::Command1), Qt::LeftButton); // armed; the focus on Cancel
        // A wheel notch over each control without the focus changes nothing and takes no focus;
        // nor, with another program's window active, over any.
        for (QWidget *active : {static_cast<QWidget *>(nullptr), static_cast<QWidget *>(m_window.get())}) {
            QApplication::setActiveWindow(active);
            for (const ControlId id : {ControlId::cboShutdown, ControlId::dtpTime, ControlId::dtpCountDown}) {
                QWheelEvent notch(QPointF(5, 5), widget(id)->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 120),
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(widget(id), &notch);
            }
        }
        QCOMPARE(m_window->comboText() + countDown->text().toStdString() + target->text().toStdString(),
                 "Shut Down00:30:0006/12/26 00:00:00");
        QCOMPARE(QApplication::focusWidget(), widget(ControlId::Command2));
        // The hours clicked, then 000010 typed with a tick between each two digits: no digit
        // is lost or moved, the half-typed values (00:00:00 among them) are never the
        // schedule's, and the count-down runs on from the value typed.
        clickField(countDown, 1);
        for (const char digit : std::string("000010")) {
            QTest::keyClick(countDown, digit);
            tick();
        }
        QCOMPARE(countDown->text(), QStringLiteral("00:00:09"));
        QVERIFY(m_platform->requests.empty());
        // The target's day clicked, then a leap day typed in order: kept, though 2026 has no 29 February.
        clickField(target, 1);
        QTest::keyClicks(target, QStringLiteral("290228120000"));
        QCOMPARE(target->text(), QStringLiteral("29/02/28 12:00:00"));
    }

    void noStepWrapsAndEveryTypedDayIsKept()
    {
        using S = QDateTimeEdit::Section;
        auto *target = static_cast<DatePicker *>(widget(ControlId::dtpTime));
        // Up and Down on a field, or now and then a wheel notch with the focus.
        int row = 0;
        for (const StepCase &step : stepCases) {
            auto *picker = static_cast<DatePicker *>(
                widget(step.value.year == 2000 ? ControlId::dtpCountDown : ControlId::dtpTime));
            picker->setValue(datevalue::fromWallClock(step.value));
            picker->setFocus();
            picker->setCurrentSection(std::array{S::YearSection, S::MonthSection, S::DaySection, S::HourSection,
                                                 S::MinuteSection,
                                                 S::SecondSection}[static_cast<std::size_t>(step.field)]);
            if (row++ % 3 == 2) {
                QWheelEvent notch(QPointF(5, 5), picker->mapToGlobal(QPointF(5, 5)), {},
                                  QPoint(0, 120 * step.direction), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                                  false);
                QApplication::sendEvent(picker, &notch);
            } else {
                QTest::keyClick(picker, step.direction > 0 ? Qt::Key_Up : Qt::Key_Down);
            }
            QCOMPARE(datevalue::toWallClock(picker->value()), step.expected);
        }
        // Up held on the count-down's hours: each repeat steps, as a press does.
        auto *countDown = static_cast<DatePicker *>(widget(ControlId::dtpCountDown));
        countDown->setValue(FakeForm::designDay);
        countDown->setCurrentSection(S::HourSection);
        for (int press = 0; press < 4; ++press) {
            QKeyEvent held(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), press > 0);
            QApplication::sendEvent(countDown, &held);
        }
        QCOMPARE(countDown->text(), u"04:00:00"_s);
        // The days typed field by field from a month that cuts them.
        for (const WallClock &before : typedFrom) {
            for (const int day : typedDays) {
                target->setValue(datevalue::fromWallClock(before));
                target->setFocus();
                target->setCurrentSection(S::DaySection);
                QTest::keyClicks(target, QString::number(day) + u"1226"_s);
                QCOMPARE(target->text(), QString::number(day) + u"/12/26 09:00:00"_s);
                target->clearFocus(); // the edit ends
            }
        }
    }

private:
    QWidget *widget(ControlId id) const { return m_window->control(id); }
    // A click between the characters at index and index - 1 of a picker's text.
    static void clickField(DatePicker *picker, int index)
    {
        QLineEdit *edit = picker->findChild<QLineEdit *>();
        edit->setCursorPosition(index);
        QTest::mouseClick(edit, Qt::LeftButton, {}, edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center());
        QCoreApplication::processEvents();
    }
    void tick()
    {
        m_platform->advanceMs(1000);
        m_window->form().scheduler().Timer1_Timer();
    }

    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<MainWindow> m_window;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
