#pragma once

#include "SecondTimer.h"
#include "ports/FormControls.h"
#include "window/Form1.h"
#include "window/FormDescription.h"

#include <QWidget>

#include <map>
#include <vector>

class DatePicker;
class QMenu;

// The window as Qt widgets, built from the window's description; it turns Qt's events
// into the handlers' calls and their requests into Qt's calls.
class MainWindow final : public QWidget, public FormControls {
public:
    explicit MainWindow(Platform &platform, QWidget *parent = nullptr);

    // Form_Load, then the once-a-second tick; call once, before the window is first shown.
    void load();

    Form1 &form() { return m_form; }
    QMenu *aboutMenu() const { return m_aboutMenu; }
    SecondTimer &timer() { return m_timer; }
    QWidget *control(ControlId id) const { return m_controls.at(id); }

    // FormControls
    std::string labelCaption() const override;
    void setLabelCaption(const std::string &caption) override;
    void setButtonEnabled(Button which, bool enabled) override;
    void giveFocus(Button which) override;
    VbBoolean optionValue(Option option) const override;
    std::string comboText() const override;
    DateValue pickerValue(Picker which) const override;
    void setPickerValue(Picker which, DateValue value) override;
    void setWindowPos(int insertAfter, std::int32_t flags) override;
    void popUpAboutMenu() override;
    void showLinkFailure(const std::string &address) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    QWidget *makeControl(const ControlDescription &description, const Separators &separators);
    void buildAboutMenu();
    // Shift+F10 and the context-menu key: a right-click on the window.
    void openAboutMenuByKeyboard();
    void wireHandlers();
    DatePicker *picker(Picker which) const;
    double dotsPerInch() const;
    QRect placeOnScreen(const QMargins &frame) const;
    void settle();
    void watchScreens();
    void keepInsideWorkArea();

    Platform &m_platform;
    Form1 m_form;
    SecondTimer m_timer;
    std::map<ControlId, QWidget *> m_controls;
    QMenu *m_aboutMenu = nullptr;
    std::vector<QWidget *> m_tabOrder;
    QRect m_designedPlace; // the client area's, scaled to the screen's DPI
    QRect m_place;         // where it goes: inside the screen's work area
    bool m_placed = false;
    bool m_settling = true; // just shown: a move is the window manager's
    int m_corrections = 0;
    std::string m_caption; // the clock's text, as set (the label draws it with no-break blanks)
};
