#include "about/AboutMenu.h"
#include "about/Links.h"
#include "support/FakeForm.h"
#include "support/FakePlatform.h"

#include <doctest.h>

TEST_CASE("the About menu: right button only, its version, its links and their failure")
{
    FakePlatform platform;
    FakeForm form;
    AboutHandlers about(form, platform);
    for (const std::int16_t button : {vbLeftButton, vbMiddleButton, vbRightButton}) {
        about.Form_MouseDown(button, 0, 0, 0);
        about.Frame2_MouseDown(button, 1, 10, 10);
        about.Label1_MouseDown(button, 0, 0, 0);
    }
    CHECK(form.popUps == 3);
    CHECK(aboutCaptions().front() == "Tamsverolind 1.00.0008"); // the version with its leading zeros
    for (const std::int16_t index : std::vector<std::int16_t>{0, 1, 2, 5, 4, 3})
        about.mnusubAbout_Click(index);
    // The browser's path is quoted: unquoted, Windows would first try "C:\Program".
    const std::string browser = R"("C:\Program Files\Internet Explorer\IEXPLORE.EXE")";
    CHECK((platform.programStarts == std::vector<std::string>{browser + " www.example.org/tamsverolind @3",
                                                              browser + " mailto:tamsverolind@example.org @3"} &&
           form.linkFailures.empty()));
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
