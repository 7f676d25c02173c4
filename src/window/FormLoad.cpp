#include "FormLoad.h"

#include "ports/FormControls.h"
#include "ports/FormState.h"
#include "ports/Platform.h"
#include "schedule/DateValue.h"

void Form_Load(FormState &state, FormControls &form, Platform &platform)
{
    state.datOneSecond = datevalue::timeFromText("00:00:01").value_or(0.0);
    state.blnArmed = vbFalse;
    // Today's midnight has already passed: the user sets the target before arming.
    form.setPickerValue(Picker::dtpTime, datevalue::fromWallClock(datevalue::startOfDay(platform.currentDateTime())));
    state.intPosFlags = 3; // neither move nor resize
    form.setWindowPos(hwndTopmost, static_cast<std::int32_t>(state.intPosFlags));
}
