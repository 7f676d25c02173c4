#pragma once

#include "about/AboutMenu.h"
#include "ports/FormState.h"
#include "schedule/Scheduler.h"

class FormControls;
class Platform;

// The program's one window as its handlers see it: the state they share and the handlers
// themselves. A front-end owns the native controls, builds them from the window's
// description and calls these handlers from its events.
class Form1 {
public:
    Form1(FormControls &controls, Platform &platform);

    // Runs once, before the window is first shown.
    void Form_Load();

    const FormState &state() const { return m_state; }
    Scheduler &scheduler() { return m_scheduler; }
    AboutHandlers &about() { return m_about; }

private:
    FormControls &m_controls;
    Platform &m_platform;
    FormState m_state;
    Scheduler m_scheduler;
    AboutHandlers m_about;
};
