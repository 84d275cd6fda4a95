#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "schedule/scenario_file.h"

namespace dwl {
namespace {

TEST(ScenarioFile, ReadsOnlyACompleteFileAndSkipsLinesOfUnknownKinds) {
    const std::string good = FormatScenarioFile({{"Reboot Computer; Daily; 7:00", "Suspend; Onetime; 1:00"}, {}});
    ASSERT_TRUE(ParseScenarioFile(good));
    EXPECT_FALSE(ParseScenarioFile("Reboot Computer; Daily; 7:00\r\n"));
    EXPECT_FALSE(ParseScenarioFile(std::string("\0\0\xff garbage", 12)));
    // Cut off at every length short of the whole file.
    for (size_t n = 0; n < good.size() - 1; ++n) EXPECT_FALSE(ParseScenarioFile(good.substr(0, n))) << n;
    // An end line whose count does not match, or lines after it.
    EXPECT_FALSE(ParseScenarioFile("Duskwell scenarios 1\r\nscenario\tx\r\nend\t2\r\n"));
    EXPECT_FALSE(ParseScenarioFile(good + "scenario\tlate\r\n"));
    EXPECT_FALSE(ParseScenarioFile("Duskwell scenarios 1\r\nscenario\tbad \\q escape\r\nend\t1\r\n"));
    // Lines of unknown kinds are skipped, bare line feeds accepted.
    const auto data =
        ParseScenarioFile("Duskwell scenarios 1\nnote\tfrom a later version\nscenario\tSuspend; Daily; 1:00\nend\t2\n");
    ASSERT_TRUE(data);
    EXPECT_EQ(data->scenarios, std::vector<std::string>{"Suspend; Daily; 1:00"});
}

// Portable use and the carry-over from beside the program are the program's tests.
TEST(ScenarioFile, LivesInTheUsersFolderAndIsCarriedFromTheVirtualStoreFirstThenFromBesideTheProgram) {
    fakes::Journal journal;
    fakes::FakeFileSystem files{journal};
    const std::string beside = "C:\\Apps\\Duskwell\\dwl.scn";
    const ScenarioFilePlace virtualised = LocateScenarioFile(files, true);
    EXPECT_EQ(virtualised.path, "C:\\Users\\ann\\AppData\\Roaming\\Duskwell\\dwl.scn");
    EXPECT_EQ(
        virtualised.earlier,
        (std::vector<std::string>{"C:\\Users\\ann\\AppData\\Local\\VirtualStore\\Apps\\Duskwell\\dwl.scn", beside}));
    EXPECT_EQ(LocateScenarioFile(files, false).earlier, std::vector<std::string>{beside});
    files.roaming.clear();  // a system without the folder
    EXPECT_EQ(LocateScenarioFile(files, true).path, beside);
}

}  // namespace
}  // namespace dwl
