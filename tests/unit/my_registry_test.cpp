#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "settings/my_registry.h"

namespace dwl {
namespace {

using namespace fakes;

constexpr const char* kBase = "SOFTWARE\\Orbelle\\DWL";

class MyRegistryTest : public ::testing::Test {
protected:
    Journal journal;
    FakeDialogs dialogs{journal};
    FakeRegistry store;
    MyRegistry registry{store, dialogs, "Duskwell"};

    void Put(const std::string& key, const std::string& value, const std::string& data) {
        store.values[{Hive::CurrentUser, key, value}] = data;
    }
};

TEST_F(MyRegistryTest, ReadsTextsUpTo255CharactersAndFallsBackOtherwise) {
    EXPECT_EQ(registry.LoadFromRegistry("Options", "Value", "default"), "default");
    for (const std::string& stored : {std::string(), std::string(255, 'a'), std::string(256, 'b')}) {
        Put(std::string(kBase) + "\\Options", "Value", stored);
        EXPECT_EQ(registry.LoadFromRegistry("Options", "Value", "default"), stored.size() < 256 ? stored : "default");
    }
}

TEST_F(MyRegistryTest, EachWriteIntoAnInaccessibleKeyShowsOneErrorBox) {
    store.denied.insert({Hive::LocalMachine, "SOFTWARE\\Microsoft"});
    registry.TuneMyRegistry("HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    EXPECT_FALSE(registry.SaveToRegistry("Run", "DWL", "C:\\dwl.exe"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, "Duskwell");  // the text and style: see the startup entry
    EXPECT_FALSE(registry.SaveToRegistry("Run", "B", 2));
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(store.values.empty());
}

TEST_F(MyRegistryTest, AFailedValueWriteInAnOpenKeyIsNotReported) {
    store.failValueWrites = true;
    EXPECT_TRUE(registry.SaveToRegistry("Options", "PowerOff", 1));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(store.values.empty());
}

}  // namespace
}  // namespace dwl
