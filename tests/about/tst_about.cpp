#include "about/Links.h"
#include "support/FormRig.h"

#include <doctest.h>

TEST_CASE("the About menu: right button only, its version, its links and their failure")
{
    FormRig w;
    FakePlatform &platform = w.platform;
    FakeForm &form = w.controls;
    AboutHandlers &about = w.form.about();
    // The right button on the window, the "Action" frame and the clock; nothing elsewhere.
    for (const ControlId surface :
         {ControlId::Form1, ControlId::Frame1, ControlId::Frame2, ControlId::Label1, ControlId::Command1}) {
        for (const MouseButton button : {MouseButton::Left, MouseButton::Middle, MouseButton::Right})
            w.form.surfacePressed(surface, button, {.shift = true}, 10, 10);
    }
    CHECK(form.popUps == 3);
    CHECK(aboutItems().front().caption == "Tamsverolind 1.00.0008"); // the version with its leading zeros
    for (const std::int16_t index : std::vector<std::int16_t>{0, 1, 2, 5, 4, 3})
        about.mnusubAbout_Click(index);
    // The browser's path is quoted: unquoted, Windows would first try "C:\Program".
    const std::string browser = R"("C:\Program Files\Internet Explorer\IEXPLORE.EXE")";
    CHECK(platform.programStarts == std::vector<std::string>{browser + " www.example.org/tamsverolind @3",
                                                             browser + " mailto:tamsverolind@example.org @3"});
    CHECK(form.linkFailures.empty());
    // Where that browser is missing, the address goes to the user's own handler, and only
    // when that fails too is the user told.
    platform.programsStart = false;
    about.mnusubAbout_Click(mailItem);
    about.mnusubAbout_Click(homePageItem);
    platform.userHandlerOpens = false;
    about.mnusubAbout_Click(homePageItem);
    CHECK(platform.openedUrls == std::vector<std::string>{"mailto:tamsverolind@example.org",
                                                          "https://www.example.org/tamsverolind",
                                                          "https://www.example.org/tamsverolind"});
    CHECK(form.linkFailures == std::vector<std::string>{"www.example.org/tamsverolind"});
}
