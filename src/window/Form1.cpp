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
