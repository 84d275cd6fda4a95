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
    MyRegistry registry{store, dialogs};

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
    // A numeric default comes back as its text; a stored text is not checked.
    EXPECT_EQ(registry.LoadFromRegistry("Options", "PosX", -120), "-120");
    Put(std::string(kBase) + "\\Options", "StartUp", "abc");
    EXPECT_EQ(registry.LoadFromRegistry("Options", "StartUp", 1), "abc");
}

TEST_F(MyRegistryTest, EmptySectionAddressesTheBaseKeyItself) {
    registry.TuneMyRegistry("HKEY_LOCAL_MACHINE", kBase);
    store.values[{Hive::LocalMachine, kBase, "Path"}] = "base";
    store.values[{Hive::LocalMachine, std::string(kBase) + "\\Run", "Path"}] = "run";
    EXPECT_EQ(registry.LoadFromRegistry("", "Path", "none"), "base");
    EXPECT_EQ(registry.LoadFromRegistry("Run", "Path", "none"), "run");

    EXPECT_TRUE(registry.SaveToRegistry("", "Saved", "at base"));
    EXPECT_TRUE(registry.SaveToRegistry("Run", "Saved", 7));
    EXPECT_EQ(store.values.at({Hive::LocalMachine, kBase, "Saved"}), "at base");
    EXPECT_EQ(store.values.at({Hive::LocalMachine, std::string(kBase) + "\\Run", "Saved"}), "7");
}

TEST_F(MyRegistryTest, HiveNamesAreMatchedTrimmedAndInAnyCase) {
    const struct {
        const char* hive;
        bool known;
        Hive expected;  // the root key after the call; previous one is HKEY_USERS
    } cases[] = {
        {"HKEY_CURRENT_USER", true, Hive::CurrentUser},
        {"  hkey_local_machine  ", true, Hive::LocalMachine},
        {"Hkey_Current_Config ", true, Hive::CurrentConfig},
        {"HKLM", false, Hive::Users},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hive);
        ASSERT_TRUE(registry.TuneMyRegistry("HKEY_USERS", "before"));
        EXPECT_EQ(registry.TuneMyRegistry(c.hive, "SOFTWARE\\After"), c.known);
        EXPECT_EQ(registry.RootKey(), c.expected);
        EXPECT_EQ(registry.BaseSubKey(), "SOFTWARE\\After");  // taken even for an unknown name
    }
}

TEST_F(MyRegistryTest, EachWriteIntoAnInaccessibleKeyShowsOneErrorBox) {
    store.denied.insert({Hive::LocalMachine, "SOFTWARE\\Microsoft"});
    registry.TuneMyRegistry("HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    EXPECT_FALSE(registry.SaveToRegistry("Run", "DWL", "C:\\dwl.exe"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, "Duskwell");  // the text and style: see the startup entry
    EXPECT_FALSE(registry.SaveToRegistry("", "A", 1));
    EXPECT_FALSE(registry.SaveToRegistry("Run", "B", 2));
    EXPECT_EQ(dialogs.shown.size(), 3u);
    EXPECT_TRUE(store.values.empty());

    // The same names under the current user are not affected.
    registry.TuneMyRegistry("HKEY_CURRENT_USER", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    EXPECT_TRUE(registry.SaveToRegistry("Run", "DWL", "x"));
    EXPECT_EQ(dialogs.shown.size(), 3u);
}

TEST_F(MyRegistryTest, AFailedValueWriteInAnOpenKeyIsNotReported) {
    store.failValueWrites = true;
    EXPECT_TRUE(registry.SaveToRegistry("Options", "PowerOff", 1));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(store.values.empty());
}

TEST_F(MyRegistryTest, DeletesValuesFromTheBaseKeyAndSectionsAsKeys) {
    const std::string run = std::string(kBase) + "\\Run";
    Put(kBase, "DWL", "base");
    Put(run, "DWL", "run");
    Put(std::string(kBase) + "\\Options", "PowerOff", "1");

    EXPECT_FALSE(registry.DeleteValueRegistry("DWL"));  // always false, even on success
    EXPECT_FALSE(store.values.count({Hive::CurrentUser, kBase, "DWL"}));
    EXPECT_TRUE(store.values.count({Hive::CurrentUser, run, "DWL"}));
    EXPECT_FALSE(registry.DeleteValueRegistry("DWL"));  // nothing left to delete: no error either

    EXPECT_FALSE(registry.DeleteSectionRegistry("Run"));
    EXPECT_FALSE(store.values.count({Hive::CurrentUser, run, "DWL"}));
    EXPECT_TRUE(store.values.count({Hive::CurrentUser, std::string(kBase) + "\\Options", "PowerOff"}));
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
} // namespace dwl
