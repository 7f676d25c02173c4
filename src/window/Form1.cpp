#include "Form1.h"

#include "FormLoad.h"
#include "Pickers.h"
#include "Twips.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace {

// Where the window's client area opens on the screen, and its size.
constexpr TwipsRect formPlace{9390, 4425, 2535, 4065};

// The clock's design font is a Windows bitmap face; these stand in for it, in order.
// Liberation Sans (or its twin Arimo) fits both clock lines inside the label at 24 points.
const QStringList designFontFamilies{
    QStringLiteral("MS Sans Serif"),   QStringLiteral("Microsoft Sans Serif"),
    QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
    QStringLiteral("Arial"),
};
constexpr int clockFontPoints = 24;
// The controls' design font: the same face at 8 points.
constexpr int controlFontPoints = 8;

QFont designFont(int points)
{
    QFont font;
    font.setFamilies(designFontFamilies);
    font.setPointSize(points);
    font.setWeight(QFont::Normal);
    return font;
}

std::int16_t buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return vbLeftButton;
    case Qt::RightButton:
        return vbRightButton;
    case Qt::MiddleButton:
        return vbMiddleButton;
    default:
        return 0;
    }
}

std::int16_t shiftCode(Qt::KeyboardModifiers modifiers)
{
    return static_cast<std::int16_t>((modifiers & Qt::ShiftModifier ? 1 : 0) |
                                     (modifiers & Qt::ControlModifier ? 2 : 0) | (modifiers & Qt::AltModifier ? 4 : 0));
}

template <typename Widget> Widget *makeControl(QWidget *parent, const char *name)
{
    auto *control = new Widget(parent);
    control->setObjectName(QString::fromLatin1(name));
    // A press that a control does not take stays with it: only the window's background,
    // the "Action" frame and the clock open the About menu.
    control->setAttribute(Qt::WA_NoMousePropagation);
    return control;
}

} // namespace

Form1::Form1(Platform &platform, QWidget *parent)
    : QWidget(parent), m_platform(platform), m_scheduler(m_state, *this, platform), m_about(*this, platform),
      Timer1(
          platform, [this] { m_scheduler.Timer1_Timer(); }, this)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tamsverolind"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tamsverolind.png")));
    setFont(designFont(controlFontPoints));
    createControls();
    placeControls();
    wireHandlers();
}

void Form1::createControls()
{
    const Separators separators = m_platform.separators();
    Command2 = makeControl<QPushButton>(this, "Command2");
    Command2->setText(QStringLiteral("Cancel"));
    Command2->setEnabled(false);
    Command1 = makeControl<QPushButton>(this, "Command1");
    Command1->setText(QStringLiteral("Ok"));
    Frame1 = makeControl<QGroupBox>(this, "Frame1");
    Frame1->setTitle(QStringLiteral("Now"));
    Label1 = makeControl<QLabel>(Frame1, "Label1");
    Label1->setFont(designFont(clockFontPoints));
    Label1->setWordWrap(true); // the date above the time
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Frame2 = makeControl<QGroupBox>(this, "Frame2");
    Frame2->setTitle(QStringLiteral("Action"));
    dtpCountDown = makeControl<DatePicker>(Frame2, "dtpCountDown");
    pickers::makeCountDownPicker(*dtpCountDown, separators);
    dtpTime = makeControl<DatePicker>(Frame2, "dtpTime");
    pickers::makeTargetPicker(*dtpTime, separators);
    cboShutdown = makeControl<QComboBox>(Frame2, "cboShutdown");
    cboShutdown->setEditable(true);
    for (const char *action : {"Shut Down", "Restart", "Log Off"})
        cboShutdown->addItem(QString::fromLatin1(action), 0);
    cboShutdown->setEditText(QStringLiteral("Shut Down"));
    Option2 = makeControl<QRadioButton>(Frame2, "Option2");
    Option2->setText(QStringLiteral("by Count Down"));
    Option1 = makeControl<QRadioButton>(Frame2, "Option1");
    Option1->setText(QStringLiteral("by set Date/Time"));
    Option1->setChecked(true);
    mnuAbout = buildAboutMenu(this, [this](std::int16_t index) { m_about.mnusubAbout_Click(index); });

    m_tabOrder = {cboShutdown, Option1, dtpTime, Option2, dtpCountDown, Command1, Command2};
    for (std::size_t i = 1; i < m_tabOrder.size(); ++i)
        setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
}

bool Form1::focusNextPrevChild(bool next)
{
    // Every control keeps its own place in the tab order, the unchecked option too (Qt
    // would pass over it), and a disabled button is skipped.
    QWidget *focus = QApplication::focusWidget();
    auto current = std::find_if(m_tabOrder.begin(), m_tabOrder.end(),
                                [focus](QWidget *control) { return control == focus || control->isAncestorOf(focus); });
    const auto count = static_cast<std::ptrdiff_t>(m_tabOrder.size());
    std::ptrdiff_t index = current == m_tabOrder.end() ? (next ? -1 : 0) : current - m_tabOrder.begin();
    for (std::ptrdiff_t step = 0; step < count; ++step) {
        index = (index + (next ? 1 : count - 1)) % count;
        QWidget *candidate = m_tabOrder[static_cast<std::size_t>(index)];
        if (candidate->isEnabled() && candidate->isVisibleTo(this)) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void Form1::placeControls()
{
    const double dpi = dotsPerInch();
    const std::pair<QWidget *, TwipsRect> places[] = {
        {Command2, {1320, 3600, 1095, 375}}, {Command1, {120, 3600, 1095, 375}}, {Frame1, {120, 0, 2295, 1455}},
        {Label1, {240, 240, 1935, 1095}},    {Frame2, {120, 1440, 2295, 2055}},  {dtpCountDown, {600, 1560, 1095, 375}},
        {dtpTime, {240, 720, 1815, 375}},    {cboShutdown, {720, 0, 1215, 330}}, {Option2, {240, 1200, 1695, 255}},
        {Option1, {240, 360, 1695, 255}},
    };
    for (const auto &[control, place] : places)
        control->setGeometry(place.toPixels(dpi));
    m_designedPlace = formPlace.toPixels(dpi);
    setGeometry(m_designedPlace);
    setFixedSize(m_designedPlace.size());
}

void Form1::wireHandlers()
{
    connect(Command1, &QPushButton::clicked, this, [this] { m_scheduler.Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { m_scheduler.Command2_Click(); });
    for (QObject *surface :
         {static_cast<QObject *>(this), static_cast<QObject *>(Frame2), static_cast<QObject *>(Label1)})
        surface->installEventFilter(this);
}

void Form1::load()
{
    Form_Load(m_state, *this, m_platform);
    Timer1.start();
}

void Form1::showEvent(QShowEvent *event)
{
    // The designed place is that of the client area, not of the frame. Placed through the
    // native window before it is first mapped, the window manager is told so (static
    // gravity). QWindow ignores a geometry equal to the one it has, hence the two steps.
    if (!event->spontaneous() && !m_placed && windowHandle()) {
        m_placed = true;
        windowHandle()->setGeometry(m_designedPlace.translated(1, 0));
        windowHandle()->setGeometry(m_designedPlace);
    }
    QWidget::showEvent(event);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return QWidget::eventFilter(watched, event);
    const auto *press = static_cast<QMouseEvent *>(event);
    const double dpi = dotsPerInch();
    const std::int16_t buttonDown = buttonCode(press->button());
    const std::int16_t shift = shiftCode(press->modifiers());
    const float x = pixelsToTwips(press->position().x(), dpi);
    const float y = pixelsToTwips(press->position().y(), dpi);
    if (watched == this)
        m_about.Form_MouseDown(buttonDown, shift, x, y);
    else if (watched == Frame2)
        m_about.Frame2_MouseDown(buttonDown, shift, x, y);
    else if (watched == Label1)
        m_about.Label1_MouseDown(buttonDown, shift, x, y);
    return true;
}

double Form1::dotsPerInch() const
{
    return logicalDpiX();
}

QString Form1::labelCaption() const
{
    return Label1->text();
}

void Form1::setLabelCaption(const QString &caption)
{
    Label1->setText(caption);
}

QPushButton *Form1::button(Button which) const
{
    return which == Button::Command1 ? Command1 : Command2;
}

QDateTimeEdit *Form1::picker(Picker which) const
{
    return which == Picker::dtpTime ? dtpTime : dtpCountDown;
}

void Form1::setButtonEnabled(Button which, bool enabled)
{
    button(which)->setEnabled(enabled);
}

void Form1::giveFocus(Button which)
{
    button(which)->setFocus(Qt::OtherFocusReason);
}

VbBoolean Form1::optionValue(Option option) const
{
    const QRadioButton *radio = option == Option::Option1 ? Option1 : Option2;
    return radio->isChecked() ? vbTrue : vbFalse;
}

QString Form1::comboText() const
{
    return cboShutdown->currentText();
}

DateValue Form1::pickerValue(Picker which) const
{
    return pickers::value(*picker(which));
}

void Form1::setPickerValue(Picker which, DateValue value)
{
    pickers::setValue(*picker(which), value);
}

void Form1::popUpAboutMenu()
{
    // popup(), not exec(): no nested event loop, so the clock goes on while the menu is open.
    mnuAbout->popup(QCursor::pos());
}

void Form1::showLinkFailure(const QString &address)
{
    auto *message = new QMessageBox(QMessageBox::Warning, windowTitle(),
                                    QStringLiteral("No program could be started to open this address:\n\n%1\n\n"
                                                   "You can copy it from here.")
                                        .arg(address),
                                    QMessageBox::Ok, this);
    message->setObjectName(QStringLiteral("linkFailure"));
    message->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->open();
}
