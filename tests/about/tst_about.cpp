#include "about/AboutMenu.h"
#include "about/Links.h"
#include "platform/BrowserCommand.h"
#include "support/FakeForm.h"
#include "support/FakePlatform.h"

#include <doctest.h>

TEST_CASE("only the right button opens the menu, on each surface")
{
    FakePlatform platform;
    FakeForm form;
    AboutHandlers about(form, platform);
    for (const std::int16_t button : {vbLeftButton, vbMiddleButton, std::int16_t{0}, std::int16_t{3}}) {
        about.Form_MouseDown(button, 0, 0, 0);
        about.Frame2_MouseDown(button, 1, 10, 10);
        about.Label1_MouseDown(button, 0, 0, 0);
    }
    CHECK(form.popUps == 0);
    about.Form_MouseDown(vbRightButton, 0, 0, 0);
    about.Frame2_MouseDown(vbRightButton, 2, 100, 100);
    about.Label1_MouseDown(vbRightButton, 0, 0, 0);
    CHECK(form.popUps == 3);
}

TEST_CASE("menu items start the browser's command line, or say what failed")
{
    FakePlatform platform;
    FakeForm form;
    AboutHandlers about(form, platform);
    const std::vector<std::string> captions = aboutCaptions();
    REQUIRE(captions.size() == 5);
    CHECK(captions[0] == "Tamsverolind 1.00.0008");
    CHECK(captions[2] == "-");
    CHECK(captions[3] == "E-MAIL : tamsverolind@example.org");
    CHECK(captions[4] == "URL : www.example.org/tamsverolind");

    for (const int index : {0, 1, 2, 5, -1})
        about.mnusubAbout_Click(static_cast<std::int16_t>(index));
    CHECK(platform.programStarts.empty());
    about.mnusubAbout_Click(mailItem);
    about.mnusubAbout_Click(homePageItem);
    const std::string browser = R"("C:\Program Files\Internet Explorer\IEXPLORE.EXE")";
    CHECK(platform.programStarts == std::vector<std::string>{browser + " mailto:tamsverolind@example.org @3",
                                                             browser + " www.example.org/tamsverolind @3"});
    CHECK(form.linkFailures.empty());
    platform.programsStart = false;
    about.mnusubAbout_Click(homePageItem);
    CHECK(form.linkFailures == std::vector<std::string>{"www.example.org/tamsverolind"});
}

TEST_CASE("where that browser is missing, its address goes to the default handler")
{
    CHECK(urlOfAddress(*addressOfCommandLine(links::mailCommandLine())) == "mailto:tamsverolind@example.org");
    CHECK(urlOfAddress(*addressOfCommandLine(links::homePageCommandLine())) == "https://www.example.org/tamsverolind");
    for (const char *other : {"", R"("C:\Program Files\Internet Explorer\IEXPLORE.EXE")",
                              R"("C:\Program Files\Internet Explorer\IEXPLORE.EXE"   )", "notepad.exe x"}) {
        CAPTURE(other);
        CHECK_FALSE(addressOfCommandLine(other).has_value());
    }
}
