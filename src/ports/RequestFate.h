#pragma once

// What the operating system reports of a request to end the session. What the schedule
// concludes from it (ask again, hold, or done) is the schedule's own rule.

// How a request left the program.
enum class Delivery {
    NotSent,    // nothing could carry it yet (no bus connected)
    Sent,       // on its way; its answer comes later
    HandedOver, // given to a system that keeps no answer for the program (Windows)
};

// The answer to the last request that was sent.
enum class Answer {
    Awaited,  // none yet
    Accepted, // the session agreed to end
    Refused,  // the session said no
    NoReply,  // none came within the reply time, and none will be taken
};
