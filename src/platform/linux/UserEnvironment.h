#pragma once

#include <QProcessEnvironment>

// The environment as the user gave it to the program, kept (by keepUserEnvironment) before
// the program sets Qt's variables for itself: what it starts, and its own bus connections,
// see the user's settings, and nothing changes the environment once other threads may read it.
const QProcessEnvironment &userEnvironment();
