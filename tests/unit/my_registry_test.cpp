#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "settings/my_registry.h"

namespace dwl {
namespace {

TEST(MyRegistry, ReadsUpTo255CharactersAndReportsEachWriteIntoAKeyThatCannotBeOpenedOnly) {
    fakes::Journal journal;
    fakes::FakeDialogs dialogs{journal};
    fakes::FakeRegistry store;
    MyRegistry registry{store, dialogs, "Duskwell"};
    EXPECT_EQ(registry.LoadFromRegistry("Options", "Value", "default"), "default");
    for (const std::string& stored : {std::string(), std::string(255, 'a'), std::string(256, 'b')}) {
        store.values[{Hive::CurrentUser, "SOFTWARE\\Orbelle\\DWL\\Options", "Value"}] = stored;
        EXPECT_EQ(registry.LoadFromRegistry("Options", "Value", "default"), stored.size() < 256 ? stored : "default");
    }
    store.values.clear();
    store.failValueWrites = true;  // the key opens, the value is not set: not reported
    EXPECT_TRUE(registry.SaveToRegistry("Options", "PowerOff", 1));
    EXPECT_TRUE(dialogs.shown.empty() && store.values.empty());

    store.denied.insert({Hive::LocalMachine, "SOFTWARE\\Microsoft"});
    registry.TuneMyRegistry("HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    EXPECT_FALSE(registry.SaveToRegistry("Run", "DWL", "C:\\dwl.exe"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, "Duskwell");  // the text and style: see the startup entry
    EXPECT_FALSE(registry.SaveToRegistry("Run", "B", 2));
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(store.values.empty());
}

}  // namespace
}  // namespace dwl
