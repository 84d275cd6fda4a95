#include <gtest/gtest.h>

#include "model/text.h"
#include "schedule/scenario_file.h"
#include "ui/options/options_form.h"

namespace dwl {
namespace {

TEST(TextBetween, FindsTheTextAfterTheFirstStartDelimiter) {
    const std::string weekly = "Shutdown Windows; Weekly (Sun, Mon); 9:30";
    EXPECT_EQ(TextBetween(weekly, "(", ")"), "Sun, Mon");
    EXPECT_EQ(TextBetween(weekly, "[", ")"), "0");
    EXPECT_EQ(TextBetween(weekly, "(", "]"), "");
    EXPECT_EQ(TextBetween("Run Application app; Daily; 9:30", "Run Application ", ";"), "app");
    // The piece ends at a second start delimiter: an end delimiter after it does not count.
    EXPECT_EQ(TextBetween("a(b(c)d", "(", ")"), "");
    EXPECT_EQ(TextBetween("(x)", "(", ")"), "x");
}

TEST(FillActionLists, OrderAndSelectionWithAndWithoutLock) {
    OptionsForm form;
    form.FillActionLists(true);
    EXPECT_EQ(form.cmdAct.Items(), (std::vector<std::string>{"Log Off Current User", "Reboot Computer",
                                                             "Shutdown Windows", "Suspend", "Hibernate",
                                                             "Lock Computer"}));
    EXPECT_EQ(form.cmdAction.Items(),
              (std::vector<std::string>{"Log Off Current User", "Reboot Computer", "Shutdown Windows",
                                        "Run Application", "Close Application", "Lock Computer", "Suspend",
                                        "Hibernate"}));
    EXPECT_EQ(form.cmdAct.Text(), "Shutdown Windows");
    EXPECT_EQ(form.cmdAction.Text(), "Shutdown Windows");
    EXPECT_EQ(form.cmdDuration.Text(), "Onetime");

    OptionsForm noLock;
    noLock.FillActionLists(false);
    EXPECT_EQ(noLock.cmdAct.Count(), 5);
    EXPECT_EQ(noLock.cmdAction.Count(), 7);
    EXPECT_EQ(noLock.cmdAction.Item(2), "Shutdown Windows");
}

TEST(ScenarioFile, RejectsWhatIsNotACompleteFile) {
    const std::string good = FormatScenarioFile({{"Reboot Computer; Daily; 7:00", "Suspend; Onetime; 1:00"}, {}});
    ASSERT_TRUE(ParseScenarioFile(good));
    EXPECT_FALSE(ParseScenarioFile(""));
    EXPECT_FALSE(ParseScenarioFile("Reboot Computer; Daily; 7:00\r\n"));
    EXPECT_FALSE(ParseScenarioFile(std::string("\0\0\xff garbage", 12)));
    // Cut off at every length short of the whole file.
    for (size_t n = 0; n < good.size() - 1; ++n) EXPECT_FALSE(ParseScenarioFile(good.substr(0, n))) << n;
    // An end line whose count does not match, or lines after it.
    EXPECT_FALSE(ParseScenarioFile("Duskwell scenarios 1\r\nscenario\tx\r\nend\t2\r\n"));
    EXPECT_FALSE(ParseScenarioFile(good + "scenario\tlate\r\n"));
    EXPECT_FALSE(ParseScenarioFile("Duskwell scenarios 1\r\nscenario\tbad \\q escape\r\nend\t1\r\n"));
}

TEST(ScenarioFile, SkipsLinesOfUnknownKindsAndAcceptsBareLineFeeds) {
    const auto data = ParseScenarioFile(
        "Duskwell scenarios 1\nnote\tfrom a later version\nscenario\tSuspend; Daily; 1:00\nend\t2\n");
    ASSERT_TRUE(data);
    EXPECT_EQ(data->scenarios, std::vector<std::string>{"Suspend; Daily; 1:00"});
}

} // namespace
} // namespace dwl
