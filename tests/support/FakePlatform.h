#pragma once

#include "ports/Platform.h"
#include "schedule/DateValue.h"

#include <optional>
#include <vector>

// Clocks that move only when told to, and an operating system that records requests.
class FakePlatform final : public Platform {
public:
    static constexpr WallClock start{2026, 12, 6, 12, 0, 0, 2}; // ticks land just after the second
    DateValue now = datevalue::fromWallClock(start);
    std::int64_t monotonic = 1'000'000;
    std::int64_t sinceBoot = 5'000'000;
    Separators localeSeparators;
    bool programsStart = true;
    bool userHandlerOpens = true;
    std::vector<SessionAction> requests; // those that left the program
    int asks = 0;                        // and every try, sent or not
    std::vector<std::string> programStarts;
    std::vector<std::string> openedUrls;
    // How every request leaves (as on Windows, by default), and the answer to the last one sent.
    Delivery delivery = Delivery::HandedOver;
    Answer answer = Answer::Awaited;
    int endProgramCalls = 0;
    std::optional<std::string> hold; // the reason the machine is held awake for, while it is

    // All clocks move on together, as they do while the machine is awake.
    void advanceMs(std::int64_t ms)
    {
        now += static_cast<double>(ms) / 86'400'000.0;
        monotonic += ms;
        sinceBoot += ms;
    }

    WallClock currentDateTime() const override { return datevalue::toWallClock(now); }
    std::int64_t monotonicMs() const override { return monotonic; }
    std::int64_t sinceBootMs() const override { return sinceBoot; }
    Separators separators() const override { return localeSeparators; }
    Delivery exitWindows(SessionAction action) override
    {
        ++asks;
        if (delivery != Delivery::NotSent)
            requests.push_back(action);
        return delivery;
    }
    Answer lastAnswer() const override { return answer; }
    void holdAwake(const std::string &reason) override { hold = reason; }
    void releaseAwake() override { hold.reset(); }
    void endProgram() override { ++endProgramCalls; }
    bool startProgram(const std::string &commandLine, int windowStyle) override
    {
        programStarts.push_back(commandLine + " @" + std::to_string(windowStyle));
        return programsStart;
    }
    void openWithUserHandler(const std::string &url, std::function<void(bool)> whenKnown) override
    {
        openedUrls.push_back(url);
        whenKnown(userHandlerOpens);
    }
};
