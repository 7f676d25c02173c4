#pragma once

#include "ports/Platform.h"

#include <memory>
#include <optional>
#include <string>

// The operations as the Qt front-end's backend provides them, with what only a Qt program
// needs around its event loop.
class QtPlatform : public Platform {
public:
    // Called once the event loop has ended: lets a request made by the last handler leave
    // the program (at most a moment) before it exits.
    virtual void finish() {}
    // Once the window is shown: its window-system id, which a desktop may show beside what
    // the program asks of it.
    virtual void windowShown(unsigned long long windowId) { static_cast<void>(windowId); }
};

// The backend compiled for this operating system; made once the application object exists.
std::unique_ptr<QtPlatform> createPlatform();

// First of all: keeps the environment the user started the program with, for the programs
// it starts and its own bus connections.
void keepUserEnvironment();
// Before the application object exists: picks the window system the program prefers, or
// says in one line why there is none it can use.
std::optional<std::string> chooseWindowSystem();
// Before the application object exists: a session bus that takes connections but does not
// answer within a second is left out of Qt's own use, so that the window does not wait for it.
void leaveOutHungSessionBus();
