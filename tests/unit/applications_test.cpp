#include <gtest/gtest.h>

#include "actions/applications.h"
#include "fakes/fake_apps.h"
#include "model/text.h"

namespace dwl {
namespace {

using namespace fakes;

TEST(Applications, NamesAndTheRecordsThatLiveWhileAScenarioNamesThem) {
    // A program's short name ends at the first dot of its file name, never of a folder's.
    EXPECT_EQ(ShortNameOf("C:\\Tools\\my.app.exe"), "my");
    EXPECT_EQ(ShortNameOf("C:\\To.ols\\run"), "run");
    EXPECT_EQ(CloseNameOf("C:\\x\\App.Beta.EXE"), "App.Beta");
    // Beside the matches a close shows (see the program's tests): only ASCII letters are of one case.
    for (const char* name : {"C:\\x\\xnotepad.exe", "notepad.exe.old", ""})
        EXPECT_FALSE(ProcessMatches(name, "notepad.exe")) << name;
    EXPECT_FALSE(ProcessMatches("\xC4x.exe", "\xE4x.exe"));
    for (const char* name : {" lead", "trail ", "", "shutdown windows x", "Run Application"})
        EXPECT_NE(NameProblem(name), "") << name;

    std::vector<ApplicationRecord> list{{"C:\\a.exe", "a", ""}, {"C:\\b.exe", "b", "-x"}, {"D:\\a.exe", "a", ""}};
    EXPECT_FALSE(RemoveApplicationRecords(list, "Run Application a;", {"Run Application a; Daily; 9:00"}));
    EXPECT_FALSE(RemoveApplicationRecords(list, "Close Application b; Daily; 9:00", {}));
    EXPECT_TRUE(
        RemoveApplicationRecords(list, "Run Application a; Onetime; 9:00", {"Close Application a; Daily; 1:00"}));
    EXPECT_EQ(list, (std::vector<ApplicationRecord>{{"C:\\b.exe", "b", "-x"}}));
}

TEST(ApplicationPicker, ListsOnlyWhatAScenarioMayCloseAndTakesOnlyNamesAnEntryHoldsWhole) {
    Journal journal;
    FakeTasksWindow window{journal};
    FakeProcesses processes{journal};
    FakeDialogs dialogs{journal};
    std::string browsed = "C:\\Windows\\notepad.exe";
    ApplicationPicker picker(window, processes, dialogs, [&] { return browsed; });
    processes.running = {{1, "System"},           {2, "NotePad.exe"},    {3, "notepad.exe"}, {4, "dwl.exe", true, true},
                         {5, "other.exe", false}, {6, "python3.11.exe"}, {7, "keep;old.exe"}};
    bool boxOpen = false;
    window.whileShown = [&] {
        boxOpen = dialogs.BoxOpen();
        picker.cmdBrowse.Click();  // found in the list, selected
        EXPECT_EQ(picker.lstTasks.ListIndex(), 1);
        picker.lstTasks_DblClick();
    };
    EXPECT_EQ(picker.ShowApplicationPicker(), "notepad");
    EXPECT_TRUE(boxOpen && window.unloaded);
    // Neither this program nor another session's is listed.
    EXPECT_EQ(picker.lstTasks.Items(),
              (std::vector<std::string>{"system", "notepad.exe", "notepad.exe", "python3.11.exe", "keep;old.exe"}));

    // The whole name is kept; a name the entry cannot hold, or no program's, is refused.
    window.whileShown = [&] {
        for (int i : {4, 0}) {
            picker.lstTasks.SetListIndex(i);
            picker.cmdSet.Click();
            EXPECT_FALSE(window.unloaded);
        }
        picker.lstTasks.SetListIndex(3);
        picker.cmdSet.Click();
    };
    EXPECT_EQ(picker.ShowApplicationPicker(), "python3.11");
    EXPECT_EQ(dialogs.shown[dialogs.shown.size() - 2].text,
              "The name \"keep;old\" cannot be used in a scenario: it holds a \";\".");
    EXPECT_EQ(dialogs.shown.back().text,
              "Only a program whose file name ends in \".exe\" can be closed by a scenario.");

    window.whileShown = [&] {
        picker.lstTasks.SetListIndex(0);
        picker.cmdCancel.Click();
    };
    EXPECT_EQ(picker.ShowApplicationPicker(), "");
}

}  // namespace
}  // namespace dwl
