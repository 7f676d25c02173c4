// The same window written the plain way in Qt Widgets, measured beside Tamsverolind by
// bench/perf.sh: the same controls at the same places (two frames, the clock, two date-time
// edits, a combo box, two option buttons, two buttons) and a one-second timer that writes
// the clock and steps the count-down, with none of the program's own rules.
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Plain"));
    window.setFixedSize(169, 271);
    auto *now = new QGroupBox(QStringLiteral("Now"), &window);
    now->setGeometry(8, 0, 153, 73);
    auto *clock = new QLabel(now);
    clock->setGeometry(8, 16, 137, 49);
    clock->setWordWrap(true);
    auto *action = new QGroupBox(QStringLiteral("Action"), &window);
    action->setGeometry(8, 80, 153, 161);
    auto *box = new QComboBox(action);
    box->setEditable(true);
    box->addItems({QStringLiteral("Shut Down"), QStringLiteral("Restart"), QStringLiteral("Log Off")});
    box->setGeometry(8, 20, 137, 21);
    auto *bySetTime = new QRadioButton(QStringLiteral("by set Date/Time"), action);
    bySetTime->setGeometry(8, 44, 137, 17);
    bySetTime->setChecked(true);
    auto *target = new QDateTimeEdit(QDateTime::currentDateTime(), action);
    target->setDisplayFormat(QStringLiteral("dd/MM/yy HH:mm:ss"));
    target->setGeometry(8, 64, 137, 21);
    auto *byCountDown = new QRadioButton(QStringLiteral("by Count Down"), action);
    byCountDown->setGeometry(8, 96, 137, 17);
    auto *countDown = new QTimeEdit(QTime(23, 59, 59), action);
    countDown->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    countDown->setGeometry(8, 116, 137, 21);
    auto *ok = new QPushButton(QStringLiteral("Ok"), &window);
    ok->setGeometry(8, 244, 73, 23);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), &window);
    cancel->setGeometry(88, 244, 73, 23);
    cancel->setEnabled(false);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &window, [clock, countDown] {
        clock->setText(QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yy HH:mm:ss")));
        countDown->setTime(countDown->time().addSecs(-1));
    });
    timer.start(1000);
    window.show();
    return QApplication::exec();
}
