// MyRegistry over the system's registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/win32/registry_win32.h"
#include "settings/my_registry.h"

namespace dwl::win32 {
namespace {

const std::string kBase = "SOFTWARE\\DuskwellTests\\MyRegistry";

class CountingDialogs : public IDialogs {
public:
    int Show(const std::string& text, const std::string&, unsigned style, DialogOwner) override {
        shown.push_back(text + " / " + std::to_string(style));
        return IdOk;
    }
    std::vector<std::string> shown;
};

class MyRegistryWinTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveTestKeys(); }
    void TearDown() override { RemoveTestKeys(); }
    // Deepest first: a key with subkeys can't be deleted.
    void RemoveTestKeys() {
        for (Hive hive : {Hive::CurrentUser, Hive::LocalMachine})
            for (const char* key : {"\\New\\Deeper", "\\New", "\\Run", ""}) system.DeleteKey(hive, kBase + key);
    }
    Win32Registry system;
    CountingDialogs dialogs;
    MyRegistry registry{system, dialogs};
};

TEST_F(MyRegistryWinTest, Reads255CharactersButNot256) {
    ASSERT_TRUE(registry.TuneMyRegistry("HKEY_CURRENT_USER", kBase));
    const struct { std::string stored, expected; } cases[] = {
        {std::string(255, 'a'), std::string(255, 'a')},
        {std::string(256, 'b'), "default"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.size());
        ASSERT_TRUE(registry.SaveToRegistry("", "Value", c.stored));
        // What was stored is whole; only the read is limited.
        EXPECT_EQ(system.ReadString(Hive::CurrentUser, kBase, "Value"), c.stored);
        EXPECT_EQ(registry.LoadFromRegistry("", "Value", "default"), c.expected);
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MyRegistryWinTest, CreatesMissingKeysOnWrite) {
    ASSERT_TRUE(registry.TuneMyRegistry("HKEY_CURRENT_USER", kBase));
    EXPECT_EQ(registry.LoadFromRegistry("New\\Deeper", "Value", "missing"), "missing");
    EXPECT_TRUE(registry.SaveToRegistry("New\\Deeper", "Value", 1));
    EXPECT_EQ(registry.LoadFromRegistry("New\\Deeper", "Value", "missing"), "1");
    EXPECT_TRUE(registry.SaveToRegistry("New\\Deeper", "Value", "second"));  // the key exists now
    EXPECT_EQ(registry.LoadFromRegistry("New\\Deeper", "Value", "missing"), "second");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MyRegistryWinTest, DeletesAValueOfTheBaseKeyAndAnEmptySection) {
    ASSERT_TRUE(registry.TuneMyRegistry("HKEY_CURRENT_USER", kBase));
    ASSERT_TRUE(registry.SaveToRegistry("", "DWL", "base"));
    ASSERT_TRUE(registry.SaveToRegistry("Run", "DWL", "run"));
    EXPECT_FALSE(registry.DeleteValueRegistry("DWL"));
    EXPECT_EQ(registry.LoadFromRegistry("", "DWL", "gone"), "gone");
    EXPECT_EQ(registry.LoadFromRegistry("Run", "DWL", "gone"), "run");

    EXPECT_FALSE(registry.DeleteSectionRegistry("Run"));
    EXPECT_EQ(registry.LoadFromRegistry("Run", "DWL", "gone"), "gone");
}

TEST_F(MyRegistryWinTest, WritesUnderTheMachineHive) {
    ASSERT_TRUE(registry.TuneMyRegistry("  hkey_local_machine ", kBase));
    EXPECT_TRUE(registry.SaveToRegistry("Run", "Path", "C:\\Program Files\\Duskwell\\"));
    EXPECT_EQ(system.ReadString(Hive::LocalMachine, kBase + "\\Run", "Path"), "C:\\Program Files\\Duskwell\\");
    EXPECT_FALSE(system.ReadString(Hive::CurrentUser, kBase + "\\Run", "Path"));
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
} // namespace dwl::win32
