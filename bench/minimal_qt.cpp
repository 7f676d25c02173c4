// The floor of a Qt Widgets program, measured beside Tamsverolind by bench/perf.sh: one
// label and a one-second timer that writes the time into it.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label;
    label.setWindowTitle(QStringLiteral("Minimal"));
    label.resize(169, 271);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &label,
                     [&label] { label.setText(QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yy HH:mm:ss"))); });
    timer.start(1000);
    label.show();
    return QApplication::exec();
}
