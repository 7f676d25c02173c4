#include "Pickers.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <tuple>

namespace {

// Held as UTC so that no daylight-saving rule shifts or refuses a wall-clock time: the
// values are local wall-clock readings, compared with the local clock as such.
QDateTime toQt(const WallClock &wall)
{
    return {QDate(wall.year, wall.month, wall.day), QTime(wall.hour, wall.minute, wall.second, wall.millisecond),
            Qt::UTC};
}

WallClock fromQt(const QDateTime &dateTime)
{
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second(), time.msec()};
}

bool editsText(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete ||
           (!key.text().isEmpty() && key.text().at(0).isPrint());
}

} // namespace

DatePicker::DatePicker(PickerFormat format, const Separators &separators, QWidget *parent) : QDateTimeEdit(parent)
{
    setTimeSpec(Qt::UTC);
    setDateTimeRange(toQt(form::pickerMinimum), toQt(form::pickerMaximum));
    const std::string pattern = format == PickerFormat::TimeOfDay ? datevalue::timeOfDayPattern(separators)
                                                                  : datevalue::clockPattern(separators);
    setDisplayFormat(QString::fromStdString(pattern));
    setCalendarPopup(false);
    setWrapping(true);
    setDateTime(toQt(form::pickerDesignValue));
    // The wheel neither takes the focus nor, without it, changes the value (the window's rule).
    setFocusPolicy(Qt::StrongFocus);
    lineEdit()->installEventFilter(this);
}

DateValue DatePicker::value() const
{
    if (m_beforeEdit)
        return *m_beforeEdit;
    return datevalue::roundedToSecond(datevalue::fromWallClock(fromQt(dateTime())));
}

void DatePicker::setValue(DateValue value)
{
    if (m_beforeEdit)
        m_beforeEdit = value; // the field being typed is left alone
    else
        setDateTime(toQt(datevalue::toWallClock(datevalue::roundedToSecond(value))));
}

void DatePicker::keyPressEvent(QKeyEvent *event)
{
    const bool typed = editsText(*event);
    const bool returnKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool began = typed && !m_beforeEdit;
    if (began)
        m_beforeEdit = value();
    const bool inDay = currentSection() == DaySection;
    const auto editorState = [this] {
        return std::tuple(lineEdit()->text(), lineEdit()->cursorPosition(), lineEdit()->selectedText());
    };
    const auto before = editorState();
    QDateTimeEdit::keyPressEvent(event);
    if (began && editorState() == before)
        m_beforeEdit.reset(); // a key the field refused begins no edit
    if (typed && inDay)
        m_typedDay = date().day();
    keepTypedDay();
    const QString shown = lineEdit()->text();
    const bool lastFieldFull = currentSectionIndex() == sectionCount() - 1 &&
                               lineEdit()->cursorPosition() == shown.size() && shown == textFromDateTime(dateTime());
    const bool stepped = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down || event->key() == Qt::Key_PageUp ||
                         event->key() == Qt::Key_PageDown;
    if (returnKey || stepped || (typed && lastFieldFull))
        finishEdit();
}

void DatePicker::focusOutEvent(QFocusEvent *event)
{
    QDateTimeEdit::focusOutEvent(event);
    finishEdit();
}

bool DatePicker::eventFilter(QObject *watched, QEvent *event)
{
    // After Qt has placed the cursor where the field was clicked: the whole field selected.
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease)
        QMetaObject::invokeMethod(
            this, [this] { setSelectedSection(currentSection()); }, Qt::QueuedConnection);
    return QDateTimeEdit::eventFilter(watched, event);
}

void DatePicker::keepTypedDay()
{
    // Typing the month first cuts a day the month does not have in the year shown (29 in
    // February 2026); the day comes back once the year typed allows it (2028).
    const QDate shown = date();
    if (m_typedDay && shown.day() != *m_typedDay && QDate::isValid(shown.year(), shown.month(), *m_typedDay))
        setDate(QDate(shown.year(), shown.month(), *m_typedDay));
}

void DatePicker::finishEdit()
{
    m_beforeEdit.reset();
    m_typedDay.reset();
}
