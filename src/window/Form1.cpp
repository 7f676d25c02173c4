#include "Form1.h"

#include "FormLoad.h"

Form1::Form1(FormControls &controls, Platform &platform)
    : m_controls(controls), m_platform(platform), m_scheduler(m_state, controls, platform), m_about(controls, platform)
{
}

void Form1::Form_Load()
{
    ::Form_Load(m_state, m_controls, m_platform);
}

void Form1::surfacePressed(ControlId surface, MouseButton button, Modifiers modifiers, float x, float y)
{
    const std::int16_t code = buttonCode(button), shift = shiftCode(modifiers);
    if (surface == ControlId::Form1)
        m_about.Form_MouseDown(code, shift, x, y);
    else if (surface == ControlId::Frame2)
        m_about.Frame2_MouseDown(code, shift, x, y);
    else if (surface == ControlId::Label1)
        m_about.Label1_MouseDown(code, shift, x, y);
}
