#pragma once

class FormControls;
class Platform;
struct FormState;

// Runs once before the window is first shown: sets the variables, puts today's date
// into the target picker and makes the window topmost.
void Form_Load(FormState &state, FormControls &form, Platform &platform);
