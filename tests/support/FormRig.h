#pragma once

#include "support/FakeForm.h"
#include "support/FakePlatform.h"
#include "window/Form1.h"

#include <initializer_list>

// The window's handlers over a fake form and fake clocks, loaded as at start-up.
struct FormRig {
    FakePlatform platform;
    FakeForm controls;
    Form1 form{controls, platform};

    FormRig() { form.Form_Load(); }
    // One tick after each gap.
    void ticks(std::initializer_list<std::int64_t> gapsMs = {1000})
    {
        for (const std::int64_t ms : gapsMs) {
            platform.advanceMs(ms);
            form.scheduler().Timer1_Timer();
        }
    }
    void ok() { form.scheduler().Command1_Click(); }
    void cancel() { form.scheduler().Command2_Click(); }
    void armCountDown(int seconds, const char *action = "Shut Down")
    {
        controls.actionText = action;
        controls.setTimeSelected = false;
        controls.setCountDown(seconds);
        ok();
    }
    std::size_t requests() const { return platform.requests.size(); }
};
