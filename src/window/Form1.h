#pragma once

#include "FormState.h"
#include "about/AboutMenu.h"
#include "platform/FormControls.h"
#include "platform/SecondTimer.h"
#include "schedule/Scheduler.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

// The program's one window: its controls as designed, the state the handlers share,
// and the wiring of window-system events to the handlers.
class Form1 final : public QWidget, public FormControls {
public:
    explicit Form1(Platform &platform, QWidget *parent = nullptr);

    // Form_Load, then the once-a-second tick; call once, before the window is first shown.
    void load();

    const FormState &state() const { return m_state; }
    Scheduler &scheduler() { return m_scheduler; }
    AboutHandlers &about() { return m_about; }
    QMenu *aboutMenu() const { return mnuAbout; }
    SecondTimer &timer() { return Timer1; }

    // FormControls
    QString labelCaption() const override;
    void setLabelCaption(const QString &caption) override;
    void setButtonEnabled(Button which, bool enabled) override;
    void giveFocus(Button which) override;
    VbBoolean optionValue(Option option) const override;
    QString comboText() const override;
    DateValue pickerValue(Picker which) const override;
    void setPickerValue(Picker which, DateValue value) override;
    QWidget *window() override { return this; }
    void popUpAboutMenu() override;
    void showLinkFailure(const QString &address) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void placeControls();
    void wireHandlers();
    QPushButton *button(Button which) const;
    QDateTimeEdit *picker(Picker which) const;
    double dotsPerInch() const;

    Platform &m_platform;
    FormState m_state;
    Scheduler m_scheduler;
    AboutHandlers m_about;
    SecondTimer Timer1;

    QPushButton *Command2 = nullptr;
    QPushButton *Command1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QDateTimeEdit *dtpCountDown = nullptr;
    QDateTimeEdit *dtpTime = nullptr;
    QComboBox *cboShutdown = nullptr;
    QRadioButton *Option2 = nullptr;
    QRadioButton *Option1 = nullptr;
    QMenu *mnuAbout = nullptr;
    std::vector<QWidget *> m_tabOrder;
    QRect m_designedPlace;
    bool m_placed = false;
};
