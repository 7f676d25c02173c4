#include "Pickers.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <cstdlib>
#include <tuple>
#include <utility>

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

std::optional<char> digitOf(const QKeyEvent &key)
{
    const QString text = key.text();
    if (text.size() == 1 && text.at(0) >= u'0' && text.at(0) <= u'9')
        return static_cast<char>(text.at(0).unicode());
    return std::nullopt;
}

PickerField fieldOf(QDateTimeEdit::Section section)
{
    switch (section) {
    case QDateTimeEdit::YearSection:
        return PickerField::Year;
    case QDateTimeEdit::MonthSection:
        return PickerField::Month;
    case QDateTimeEdit::DaySection:
        return PickerField::Day;
    case QDateTimeEdit::HourSection:
        return PickerField::Hour;
    case QDateTimeEdit::MinuteSection:
        return PickerField::Minute;
    default:
        return PickerField::Second;
    }
}

} // namespace

DatePicker::DatePicker(PickerFormat format, const Separators &separators, QWidget *parent)
    : QDateTimeEdit(parent), m_format(format)
{
    setTimeSpec(Qt::UTC);
    setDateTimeRange(toQt(form::pickerMinimum), toQt(form::pickerMaximum));
    const std::string pattern = format == PickerFormat::TimeOfDay ? datevalue::timeOfDayPattern(separators)
                                                                  : datevalue::clockPattern(separators);
    setDisplayFormat(QString::fromStdString(pattern));
    setCalendarPopup(false);
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

void DatePicker::stepBy(int steps)
{
    const auto [first, last] = form::pickerEnds(m_format, fromQt(dateTime()));
    WallClock stepped = fromQt(dateTime());
    for (int step = 0; step < std::abs(steps); ++step)
        stepped = steppedField(stepped, fieldOf(currentSection()), steps > 0 ? 1 : -1, first, last);
    const Section section = currentSection();
    setDateTime(toQt(stepped));
    setSelectedSection(section);
}

void DatePicker::typeDigit(char digit)
{
    if (!m_beforeEdit)
        m_beforeEdit = value();
    const int index = currentSectionIndex();
    if (std::exchange(m_typingSection, index) != index)
        m_typing.digits.clear();
    const auto [first, last] = form::pickerEnds(m_format, fromQt(dateTime()));
    const Typed typed = typedDigit(fromQt(dateTime()), fieldOf(currentSection()), digit, m_typing, first, last);
    setDateTime(toQt(typed.value));
    const bool lastField = index == sectionCount() - 1;
    setCurrentSectionIndex(typed.full && !lastField ? index + 1 : index);
    setSelectedSection(currentSection());
    if (typed.full && lastField)
        finishEdit();
}

void DatePicker::keyPressEvent(QKeyEvent *event)
{
    if (const auto digit = digitOf(*event)) {
        typeDigit(*digit);
        event->accept();
        return;
    }
    // Up and Down step once a press, and once a repeat while held, as the Windows picker does:
    // the spin box's own repeat would add a timer's steps to the key's, and keep stepping.
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && event->modifiers() == Qt::NoModifier) {
        finishEdit();
        stepBy(event->key() == Qt::Key_Up ? 1 : -1);
        event->accept();
        return;
    }
    const bool typed = editsText(*event);
    const bool returnKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool began = typed && !m_beforeEdit;
    if (began)
        m_beforeEdit = value();
    const auto editorState = [this] {
        return std::tuple(lineEdit()->text(), lineEdit()->cursorPosition(), lineEdit()->selectedText());
    };
    const auto before = editorState();
    QDateTimeEdit::keyPressEvent(event);
    if (began && editorState() == before)
        m_beforeEdit.reset(); // a key the field refused begins no edit
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

void DatePicker::finishEdit()
{
    m_beforeEdit.reset();
    m_typing = {};
    m_typingSection = -1;
}
