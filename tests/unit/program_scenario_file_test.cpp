#include <map>

#include "program_fixture.h"

namespace dwl {
namespace {

using ProgramScenarioFile = ProgramTest;
using Texts = std::vector<std::string>;

// What the user's folder and the program's folder hold before the start and
// after the end of the session; a damaged file is kept, never written over.
TEST_F(ProgramScenarioFile, ADamagedFileIsKeptAsideAndAnOlderOneCarriedOverOnlyIntoAMissingFile) {
    using Files = std::map<std::string, std::string>;
    const std::string beside = "C:\\Apps\\Duskwell\\dwl.scn", portable = "C:\\Apps\\Duskwell\\dwl.portable";
    const std::string damaged = "Shutdown Windows; Onetime; 23:15\r\n", empty = FormatScenarioFile({});
    const std::string older = FormatScenarioFile({{"Reboot Computer; Daily; 7:00"}, {}});
    const std::string keptAs = "The scenario file could not be read and has been kept as ";
    const std::string unread = "The scenario file " + kScn +
                               " could not be read. Scenario changes will not be saved "
                               "in this session.";
    const struct {
        const char* name;
        Files before, after;
        Texts list, told;
        bool unreadable = false;
        // clang-format off
    } rows[] = {
        {"damaged, beside an older damaged one", {{kScn, damaged}, {kScn + ".bad", "older"}},
         {{kScn, empty}, {kScn + ".bad", "older"}, {kScn + ".bad2", damaged}}, {}, {keptAs + kScn + ".bad2."}},
        {"unreadable: left alone", {{kScn, "whatever it holds"}}, {{kScn, "whatever it holds"}}, {}, {unread}, true},
        {"an older version's", {{beside, older}}, {{beside, older}, {kScn, older}}, {"Reboot Computer; Daily; 7:00"},
         {}},
        {"never over one of the new place, even empty", {{beside, older}, {kScn, empty}},
         {{beside, older}, {kScn, empty}}, {}, {}},
        {"a damaged older one: kept where it is", {{beside, "cut off"}},
         {{beside + ".bad", "cut off"}, {kScn, empty}}, {}, {keptAs + beside + ".bad."}},
        {"and in portable use, the program's own", {{beside, "cut off"}, {portable, ""}},
         {{beside + ".bad", "cut off"}, {beside, empty}, {portable, ""}}, {}, {keptAs + beside + ".bad."}},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        ProgramTest p;
        p.files.files.insert(r.before.begin(), r.before.end());
        if (r.unreadable) p.files.unreadable[kScn] = true;
        ASSERT_TRUE(p.program.Main());
        EXPECT_EQ(p.program.Form().lstScen.Items(), r.list);
        EXPECT_EQ(p.Told(), r.told);
        p.program.OnEndSession();
        p.program.ExitProgram();
        EXPECT_TRUE(!r.unreadable || p.Filtered("write").empty());
        Files after = r.after;
        after["C:\\Apps\\Duskwell\\dwl.exe.MANIFEST"] = "<assembly/>";
        EXPECT_EQ(p.files.files, after);
    }
}

TEST_F(ProgramScenarioFile, AFailedSaveIsToldOnceAndNeverWhileTheSessionEnds) {
    ASSERT_TRUE(program.Main());
    files.failWrites = true;
    program.OnEndSession();
    EXPECT_TRUE(dialogs.shown.empty());
    program.SaveScenarios();
    program.SaveScenarios();
    EXPECT_EQ(Told(), Texts{"The scenarios could not be saved to " + kScn + "."});
}

TEST_F(ProgramScenarioFile, AFailedSaveInATickIsToldAfterTheHandOverWhileTicksGoOn) {
    Start({"Shutdown Windows; Onetime; 9:00", "Suspend; Daily; 9:01"});
    files.failWrites = true;
    size_t handedOverBeforeTheBox = 0;
    dialogs.whileShown = [&] {
        handedOverBeforeTheBox = Filtered("show countdown").size();
        TickAt(9, 1);  // the box's message loop delivers the next ticks
        TickAt(9, 1, 50);
    };
    TickAt(9, 0);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].owner, DialogOwner::Options);
    EXPECT_EQ(handedOverBeforeTheBox, 1u);
    TickAt(9, 2);
    EXPECT_EQ(Filtered("show countdown").size(), 2u);  // the daily one once, not again after the box
    EXPECT_EQ(program.CountdownWindow().lblAction.Caption(), "Your computer will be suspended in 5 second(s).");
}

}  // namespace
}  // namespace dwl
