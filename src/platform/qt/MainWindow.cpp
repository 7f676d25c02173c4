#include "MainWindow.h"

#include "Frame.h"
#include "Pickers.h"
#include "about/AboutMenu.h"
#include "ports/Platform.h"
#include "schedule/DateValue.h"
#include "window/ClockFace.h"
#include "window/Placement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGroupBox>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

// The clock's design face is a Windows bitmap face; these stand in for it, in order.
// Liberation Sans (or its twin Arimo) fits both clock lines inside the label at 24 points.
const QStringList designFontFamilies{
    QStringLiteral("MS Sans Serif"),   QStringLiteral("Microsoft Sans Serif"),
    QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
    QStringLiteral("Arial"),
};

QFont designFont(int points)
{
    QFont font;
    font.setFamilies(designFontFamilies);
    font.setPointSize(points);
    font.setWeight(QFont::Normal);
    return font;
}

// Read as the PNG it is: a reader that may guess loads every image plugin to ask it.
QImage readIcon()
{
    QImageReader reader(QStringLiteral(":/icons/tamsverolind.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QRect pixels(const TwipsRect &place, double dpi)
{
    const PixelRect rect = place.toPixels(dpi);
    return {rect.left, rect.top, rect.width, rect.height};
}

// A screen's work area in the window's pixels. Scaled (Xft.dpi 144 is 1.5, 192 is 2), Qt
// rounds a window's place and its frame to device pixels either way, and a frame's one-pixel
// edge to none: the area is taken a pixel smaller then, so that the whole frame lies inside it.
QRect workAreaOf(const QScreen *screen)
{
    const QRect area = screen->availableGeometry();
    return screen->devicePixelRatio() == 1.0 ? area : area.adjusted(0, 0, -1, -1);
}

PixelRect pixelRect(const QRect &rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

MouseButton mouseButton(Qt::MouseButton button)
{
    return button == Qt::LeftButton     ? MouseButton::Left
           : button == Qt::RightButton  ? MouseButton::Right
           : button == Qt::MiddleButton ? MouseButton::Middle
                                        : MouseButton::Other;
}

Modifiers modifiersOf(Qt::KeyboardModifiers keys)
{
    return {keys.testFlag(Qt::ShiftModifier), keys.testFlag(Qt::ControlModifier), keys.testFlag(Qt::AltModifier)};
}

// The window's own surfaces that take a press: the window, the "Action" frame and the clock.
constexpr std::array pressSurfaces{ControlId::Form1, ControlId::Frame2, ControlId::Label1};

QComboBox *makeActionBox(QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    // The text stays as typed: no completion that changes its case, no item added on Return.
    box->setCompleter(nullptr);
    // The wheel neither takes the focus nor, without it, changes the action (the window's rule).
    box->setFocusPolicy(Qt::StrongFocus);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string_view action : form::actionItems)
        box->addItem(text(action), 0);
    return box;
}

QPushButton *makeButton(QWidget *parent)
{
    auto *button = new QPushButton(parent);
    // Return and Enter press the focused button, as in a Windows dialog.
    button->setAutoDefault(true);
    return button;
}

} // namespace

MainWindow::MainWindow(Platform &platform, QWidget *parent)
    : QWidget(parent), m_platform(platform), m_form(*this, platform),
      m_timer(
          platform, [this] { m_form.scheduler().Timer1_Timer(); }, this)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(text(form::caption));
    setWindowIcon(QPixmap::fromImage(readIcon()));
    setFont(designFont(form::dialogFont.points)); // the same faces at the dialog font's size
    const Separators separators = platform.separators();
    for (const ControlDescription &description : form::controls()) {
        if (QWidget *control = makeControl(description, separators))
            m_controls[description.id] = control;
    }
    for (const ControlId id : form::tabOrder())
        m_tabOrder.push_back(m_controls.at(id));
    m_designedPlace = pixels(form::clientPlace, dotsPerInch());
    m_place = placeOnScreen({}); // the frame is not known before the window manager frames it
    setGeometry(m_place);
    setFixedSize(m_place.size());
    setAccessibleName(text(form::caption));
    buildAboutMenu();
    wireHandlers();
    // Taken when the window is first activated.
    control(form::firstFocus())->setFocus(Qt::OtherFocusReason);
}

QWidget *MainWindow::makeControl(const ControlDescription &description, const Separators &separators)
{
    QWidget *parent = description.parent == ControlId::Form1 ? this : m_controls.at(description.parent);
    const QString caption = text(description.caption);
    QWidget *control = nullptr;
    switch (description.kind) {
    case ControlKind::Timer:
        return nullptr; // the second timer is the window's own
    case ControlKind::CommandButton:
        control = makeButton(parent);
        static_cast<QPushButton *>(control)->setText(caption);
        break;
    case ControlKind::Frame:
        control = new Frame(caption, parent);
        break;
    case ControlKind::Label: {
        auto *label = new QLabel(caption, parent);
        QFont font = designFont(form::clockFont.points);
        label->setFont(font);
        label->setWordWrap(true); // the date above the time
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        control = label;
        break;
    }
    case ControlKind::DatePicker:
        control = new DatePicker(description.format, separators, parent);
        break;
    case ControlKind::ComboBox:
        control = makeActionBox(parent);
        static_cast<QComboBox *>(control)->setEditText(caption);
        break;
    case ControlKind::OptionButton:
        control = new QRadioButton(caption, parent);
        static_cast<QRadioButton *>(control)->setChecked(description.selected);
        break;
    }
    control->setObjectName(text(description.name));
    control->setEnabled(description.enabled);
    control->setGeometry(pixels(description.place, dotsPerInch()));
    control->setAccessibleName(description.accessibleName.empty() ? caption : text(description.accessibleName));
    control->setAccessibleDescription(text(description.accessibleDescription));
    if (auto *box = qobject_cast<QComboBox *>(control))
        box->lineEdit()->setAccessibleName(control->accessibleName()); // the edit field takes the focus
    // A press that a control does not take stays with it: only the window's background,
    // the "Action" frame and the clock open the About menu.
    control->setAttribute(Qt::WA_NoMousePropagation);
    return control;
}

void MainWindow::buildAboutMenu()
{
    m_aboutMenu = new QMenu(text(form::aboutMenuCaption), this);
    m_aboutMenu->setObjectName(QStringLiteral("mnuAbout"));
    // A screen reader meets a pop-up through the focus, outside the window's children: it
    // reads the menu's own name.
    m_aboutMenu->setAccessibleName(m_aboutMenu->title());
    const std::vector<AboutItem> items = aboutItems();
    for (std::size_t index = 0; index < items.size(); ++index) {
        QAction *item =
            items[index].separator ? m_aboutMenu->addSeparator() : m_aboutMenu->addAction(text(items[index].caption));
        item->setObjectName(QStringLiteral("mnusubAbout_%1").arg(index));
        const auto itemIndex = static_cast<std::int16_t>(index);
        connect(item, &QAction::triggered, this, [this, itemIndex] { m_form.about().mnusubAbout_Click(itemIndex); });
    }
}

void MainWindow::wireHandlers()
{
    connect(static_cast<QPushButton *>(control(ControlId::Command1)), &QPushButton::clicked, this,
            [this] { m_form.scheduler().Command1_Click(); });
    connect(static_cast<QPushButton *>(control(ControlId::Command2)), &QPushButton::clicked, this,
            [this] { m_form.scheduler().Command2_Click(); });
    // Shift+F10 opens the menu from any control, as Windows' keyboard users expect.
    auto *menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] { openAboutMenuByKeyboard(); });
    installEventFilter(this);
    for (const ControlId surface : {ControlId::Frame2, ControlId::Label1})
        control(surface)->installEventFilter(this);
    // The context-menu key stands for a right-click on the window, on a button or an option
    // too, which have no menu of their own; the action box and the pickers keep their edit
    // menus (Shift+F10 opens the About menu there).
    for (const ControlId id : {ControlId::Command1, ControlId::Command2, ControlId::Option1, ControlId::Option2,
                               ControlId::cboShutdown, ControlId::dtpTime, ControlId::dtpCountDown})
        control(id)->installEventFilter(this);
}

bool MainWindow::focusNextPrevChild(bool next)
{
    // Every control keeps its own place in the tab order, the unchecked option too (Qt
    // would pass over it), and a disabled button is skipped.
    QWidget *focus = QApplication::focusWidget();
    auto current = std::find_if(m_tabOrder.begin(), m_tabOrder.end(),
                                [focus](QWidget *c) { return c == focus || c->isAncestorOf(focus); });
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

void MainWindow::load()
{
    m_form.Form_Load();
    m_timer.start();
}

void MainWindow::showEvent(QShowEvent *event)
{
    // The designed place is that of the client area, not of the frame. Placed through the
    // native window before it is first mapped, the window manager is told so (static
    // gravity). QWindow ignores a geometry equal to the one it has, hence the two steps.
    if (!event->spontaneous() && !m_placed && windowHandle()) {
        m_placed = true;
        windowHandle()->setGeometry(m_place.translated(1, 0));
        windowHandle()->setGeometry(m_place);
        // A move after this is the user's: the window stays where they put it.
        constexpr int settlingMs = 1500;
        QTimer::singleShot(settlingMs, this, [this] { m_settling = false; });
        watchScreens();
    }
    QWidget::showEvent(event);
}

void MainWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    settle();
}

void MainWindow::settle()
{
    // Window managers differ in what they do with the place a new window asks for (openbox
    // puts the frame there, not the client area), and the frame is known only once they have
    // framed it: until the window has settled, the client area is put back where it belongs,
    // inside the work area with its frame, wherever it landed. A few tries at most, so that
    // a window manager that insists is not fought.
    constexpr int mostCorrections = 3;
    QWindow *window = windowHandle();
    if (!m_settling || !window || window->frameMargins().isNull())
        return;
    m_place = placeOnScreen(window->frameMargins());
    if (geometry().topLeft() != m_place.topLeft() && m_corrections++ < mostCorrections)
        window->setGeometry(m_place);
}

void MainWindow::watchScreens()
{
    // Whenever a screen comes or goes, or changes its size or its work area, a window that no
    // longer lies wholly inside a work area is moved back, just enough. Queued: a screen
    // that goes is still listed while it is being removed.
    const auto keep = [this] {
        QMetaObject::invokeMethod(this, &MainWindow::keepInsideWorkArea, Qt::QueuedConnection);
    };
    const auto watch = [this, keep](QScreen *screen) {
        connect(screen, &QScreen::geometryChanged, this, keep);
        connect(screen, &QScreen::availableGeometryChanged, this, keep);
    };
    for (QScreen *screen : QGuiApplication::screens())
        watch(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, [watch, keep](QScreen *screen) {
        watch(screen);
        keep();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, keep);
}

void MainWindow::keepInsideWorkArea()
{
    QWindow *window = windowHandle();
    if (!window || !isVisible())
        return;
    const QRect outer = frameGeometry();
    // The screen it is on, or where that one is gone, the nearest left.
    const auto distance = [&outer](const QScreen *screen) {
        const QRect area = screen->geometry();
        const QPoint centre = outer.center();
        return std::abs(std::clamp(centre.x(), area.left(), area.right()) - centre.x()) +
               std::abs(std::clamp(centre.y(), area.top(), area.bottom()) - centre.y());
    };
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return;
    const QScreen *nearest = *std::min_element(
        screens.begin(), screens.end(), [&](const QScreen *a, const QScreen *b) { return distance(a) < distance(b); });
    const PixelRect placed = placeInWorkArea(pixelRect(outer), pixelRect(workAreaOf(nearest)));
    if (placed.left != outer.x() || placed.top != outer.y())
        window->setFramePosition(QPoint(placed.left, placed.top));
}

QRect MainWindow::placeOnScreen(const QMargins &frame) const
{
    const QScreen *screen = QGuiApplication::screenAt(m_designedPlace.center());
    const QRect outer = m_designedPlace.marginsAdded(frame);
    const PixelRect placed =
        placeInWorkArea(pixelRect(outer), pixelRect(workAreaOf(screen ? screen : QGuiApplication::primaryScreen())));
    return QRect(placed.left, placed.top, placed.width, placed.height).marginsRemoved(frame);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A held key repeats its press, and a button clicks at each Return: on a button, one press
    // of a key is one click however long it is held (Ok moves the focus to Cancel, which it
    // would press). Elsewhere a held key repeats, as a held Up climbs a picker's field.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->isAutoRepeat() &&
        qobject_cast<QAbstractButton *>(watched))
        return true;
    // The wheel changes a control only when it has the keyboard focus in the active window
    // (Qt's focus widget is the active window's, none while another program's is active): a
    // notch passing over the window, which stays above the others, must not change the schedule.
    if (event->type() == QEvent::Wheel) {
        auto *control = static_cast<QWidget *>(watched);
        QWidget *focus = QApplication::focusWidget();
        return !(focus && (control == focus || control->isAncestorOf(focus)));
    }
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
        openAboutMenuByKeyboard();
        return true;
    }
    if (event->type() != QEvent::MouseButtonPress)
        return QWidget::eventFilter(watched, event);
    // The surfaces that report their presses; a button or an option takes its own.
    const auto surface = std::find_if(pressSurfaces.begin(), pressSurfaces.end(), [&](ControlId id) {
        return watched == (id == ControlId::Form1 ? this : control(id));
    });
    if (surface == pressSurfaces.end())
        return false;
    const auto *press = static_cast<QMouseEvent *>(event);
    const double dpi = dotsPerInch();
    m_form.surfacePressed(*surface, mouseButton(press->button()), modifiersOf(press->modifiers()),
                          pixelsToTwips(press->position().x(), dpi), pixelsToTwips(press->position().y(), dpi));
    return true;
}

void MainWindow::openAboutMenuByKeyboard()
{
    m_form.surfacePressed(ControlId::Form1, MouseButton::Right, {}, 0, 0);
}

double MainWindow::dotsPerInch() const
{
    return logicalDpiX();
}

std::string MainWindow::labelCaption() const
{
    return m_caption;
}

void MainWindow::setLabelCaption(const std::string &caption)
{
    m_caption = caption;
    auto *clock = static_cast<QLabel *>(control(ControlId::Label1));
    const QString drawn = text(datevalue::drawnClock(caption));
    // The design face, smaller when the wider of the two lines would not fit the clock.
    const QFontMetrics design(designFont(form::clockFont.points));
    const qsizetype blank = drawn.indexOf(QLatin1Char(' '));
    const int widerLine =
        std::max(design.horizontalAdvance(drawn.left(blank)), design.horizontalAdvance(drawn.mid(blank + 1)));
    const int points = clockPointsToFit(form::clockFont.points, widerLine, clock->contentsRect().width());
    if (clock->font().pointSize() != points)
        clock->setFont(designFont(points));
    clock->setText(drawn);
}

void MainWindow::setButtonEnabled(Button which, bool enabled)
{
    control(form::controlOf(which))->setEnabled(enabled);
}

void MainWindow::giveFocus(Button which)
{
    control(form::controlOf(which))->setFocus(Qt::OtherFocusReason);
}

VbBoolean MainWindow::optionValue(Option option) const
{
    const auto *radio = static_cast<QRadioButton *>(control(form::controlOf(option)));
    return radio->isChecked() ? vbTrue : vbFalse;
}

std::string MainWindow::comboText() const
{
    return static_cast<QComboBox *>(control(ControlId::cboShutdown))->currentText().toStdString();
}

DatePicker *MainWindow::picker(Picker which) const
{
    return static_cast<DatePicker *>(control(form::controlOf(which)));
}

DateValue MainWindow::pickerValue(Picker which) const
{
    return picker(which)->value();
}

void MainWindow::setPickerValue(Picker which, DateValue value)
{
    picker(which)->setValue(value);
}

void MainWindow::setWindowPos(int insertAfter, std::int32_t)
{
    // Qt's stay-on-top hint is the window manager's "above" state; it neither moves nor
    // resizes the window. Made before the window is shown, it costs no remapping.
    setWindowFlag(Qt::WindowStaysOnTopHint, insertAfter == hwndTopmost);
}

void MainWindow::popUpAboutMenu()
{
    // popup(), not exec(): no nested event loop, so the clock goes on while the menu is open.
    const QPoint pointer = QCursor::pos();
    m_aboutMenu->popup(rect().contains(mapFromGlobal(pointer)) ? pointer : mapToGlobal(QPoint(0, 0)));
}

void MainWindow::showLinkFailure(const std::string &address)
{
    // One at a time: while one is open, another failure brings it forward.
    for (auto *open : findChildren<QMessageBox *>(QStringLiteral("linkFailure"))) {
        if (open->isVisible()) { // not one closed and waiting to be deleted
            open->raise();
            open->activateWindow();
            return;
        }
    }
    auto *message = new QMessageBox(QMessageBox::Warning, windowTitle(),
                                    QStringLiteral("No program could be started to open this address:\n\n%1\n\n"
                                                   "You can copy it from here.")
                                        .arg(text(address)),
                                    QMessageBox::Ok, this);
    message->setObjectName(QStringLiteral("linkFailure"));
    message->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    message->setAttribute(Qt::WA_DeleteOnClose);
    // Modeless: Ok and Cancel keep working while the message is open.
    message->setWindowModality(Qt::NonModal);
    message->show();
}
