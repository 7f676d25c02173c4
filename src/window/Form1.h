#pragma once

#include "about/AboutMenu.h"
#include "ports/FormState.h"
#include "schedule/Scheduler.h"
#include "window/FormDescription.h"

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

    // A press on a surface of the window, as a front-end reports it (the place in twips from
    // the surface's corner): the window, the "Action" frame and the clock have handlers; a
    // press elsewhere (the "Now" frame, a control) opens nothing.
    void surfacePressed(ControlId surface, MouseButton button, Modifiers modifiers, float x, float y);

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
