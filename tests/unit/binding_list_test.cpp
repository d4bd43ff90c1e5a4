// The binding list in-process: ids, order, lookups, removal and registration with the system.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "app/main_window.h"
#include "bindings/binding_list.h"

namespace {

class BindingListTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = CreateWindowExA(0, "STATIC", "binding list test", WS_POPUP, 0, 0, 10, 10, NULL,
                                 NULL, NULL, NULL);
        mainWindowHandle = window;
        nextBindingId = FIRST_BINDING_ID;
    }
    void TearDown() override {
        ReleaseAllBindings();
        DestroyWindow(window);
        mainWindowHandle = NULL;
    }
    // Creates, numbers, registers and pushes a binding as every creator does.
    KeyBinding* Add(const char* name, UINT keycode = 0) {
        KeyBinding* binding = NewBinding(LaunchApp, keycode, name, "");
        binding->id = nextBindingId++;
        if (keycode != 0 && !RegisterBinding(keycode, binding->id)) {
            FreeBinding(binding);
            return nullptr;
        }
        PushBinding(binding);
        return binding;
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (KeyBinding* b = BindingList; b != nullptr; b = b->next) names.push_back(b->name);
        return names;
    }
    HWND window = NULL;
};

bool CanRegister(UINT modifiers, UINT vk) {
    if (!RegisterHotKey(NULL, 0xBEEF, modifiers, vk)) return false;
    UnregisterHotKey(NULL, 0xBEEF);
    return true;
}

TEST_F(BindingListTest, IdsFollowCreationAndTheListRunsNewestFirst) {
    Add("one");
    Add("two");
    Add("three");
    EXPECT_EQ(Names(), (std::vector<std::string>{"three", "two", "one"}));
    EXPECT_EQ(FindBinding("one", 0)->id, 1147);
    EXPECT_EQ(FindBinding("three", 0)->id, 1149);
    EXPECT_EQ(nextBindingId, 1150);
    EXPECT_EQ(FindBinding("", 1148), FindBinding("two", 0));
}

TEST_F(BindingListTest, RemovingHeadMiddleAndLastKeepsTheOthersInOrder) {
    for (const char* name : {"a", "b", "c", "d", "e"}) Add(name);
    RemoveBinding("c");  // middle
    EXPECT_EQ(Names(), (std::vector<std::string>{"e", "d", "b", "a"}));
    RemoveBinding("e");  // head
    EXPECT_EQ(Names(), (std::vector<std::string>{"d", "b", "a"}));
    RemoveBinding("a");  // last
    EXPECT_EQ(Names(), (std::vector<std::string>{"d", "b"}));
    EXPECT_EQ(FindBinding("", 1149), nullptr) << "a removed id must not be found";
    RemoveBinding("nobody");
    EXPECT_EQ(Names(), (std::vector<std::string>{"d", "b"}));
}

TEST_F(BindingListTest, NameLookupIsExactAndCaseSensitive) {
    Add("Play");
    EXPECT_NE(FindBinding("Play", 0), nullptr);
    EXPECT_EQ(FindBinding("PLAY", 0), nullptr);
    EXPECT_EQ(FindBinding("Pla", 0), nullptr);
    EXPECT_EQ(FindBinding("Play ", 0), nullptr);
    RemoveBinding("play");
    EXPECT_EQ(Names(), (std::vector<std::string>{"Play"}));
}

TEST_F(BindingListTest, SameNameActsOnTheNewerBinding) {
    KeyBinding* older = Add("twin", 0x0651);
    KeyBinding* newer = Add("twin", 0x0652);
    ASSERT_TRUE(older && newer);
    EXPECT_EQ(FindBinding("twin", 0), newer);
    RemoveBinding("twin");
    EXPECT_EQ(FindBinding("twin", 0), older);
    EXPECT_TRUE(CanRegister(MOD_CONTROL | MOD_ALT, 0x52)) << "the newer one was unregistered";
    EXPECT_FALSE(CanRegister(MOD_CONTROL | MOD_ALT, 0x51)) << "the older one stays registered";
}

TEST_F(BindingListTest, FailedRegistrationStillUsesUpAnId) {
    ASSERT_TRUE(RegisterHotKey(NULL, 0x7777, MOD_CONTROL | MOD_ALT, 'Q'));
    EXPECT_EQ(Add("taken", 0x0651), nullptr);
    UnregisterHotKey(NULL, 0x7777);
    KeyBinding* next = Add("next", 0x0652);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->id, 1148);
}

TEST_F(BindingListTest, RegistersWithTheMappedModifiersAndReleasesEverything) {
    ASSERT_NE(Add("ctrl alt A", 0x0641), nullptr);
    ASSERT_NE(Add("shift F1", 0x0170), nullptr);
    EXPECT_FALSE(CanRegister(MOD_ALT | MOD_CONTROL, 0x41));
    EXPECT_FALSE(CanRegister(MOD_SHIFT, VK_F1));
    EXPECT_TRUE(CanRegister(MOD_CONTROL, 0x41)) << "only the exact combination is held";
    ReleaseAllBindings();
    EXPECT_EQ(BindingList, nullptr);
    EXPECT_TRUE(CanRegister(MOD_ALT | MOD_CONTROL, 0x41));
    EXPECT_TRUE(CanRegister(MOD_SHIFT, VK_F1));
    ReleaseAllBindings();  // on an empty list: nothing
}

TEST(ModifierMapTest, EveryHotKeyFlagByteMapsToItsRegistrationFlags) {
    const UINT expected[8] = {
        0,       MOD_SHIFT,           MOD_CONTROL,           MOD_CONTROL | MOD_SHIFT,
        MOD_ALT, MOD_ALT | MOD_SHIFT, MOD_ALT | MOD_CONTROL, MOD_ALT | MOD_CONTROL | MOD_SHIFT};
    for (UINT byte = 0; byte < 8; byte++) {
        EXPECT_EQ(ModifierMap(byte), expected[byte]) << "byte " << byte;
        // The extended-key flag and higher bits add nothing.
        EXPECT_EQ(ModifierMap(byte | HOTKEYF_EXT), expected[byte]) << "byte " << (byte | 8);
        EXPECT_EQ(ModifierMap(byte | 0xF0), expected[byte]) << "byte " << (byte | 0xF0);
    }
}

TEST_F(BindingListTest, ExtendedArrowRegistersAsTheArrowWithItsModifiers) {
    // Ctrl+Alt+Left as the hot-key control reports it: the extended flag is set.
    ASSERT_NE(Add("left", (UINT)((HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_EXT) << 8 | VK_LEFT)),
              nullptr);
    EXPECT_FALSE(CanRegister(MOD_CONTROL | MOD_ALT, VK_LEFT));
}

TEST_F(BindingListTest, RemovingAHideBindingShowsItsWindowWhereverItStands) {
    HWND target = CreateWindowExA(0, "STATIC", "hidden by a binding", WS_POPUP, 0, 0, 10, 10, NULL,
                                  NULL, NULL, NULL);
    KeyBinding* hider = Add("hider");
    hider->type = HideWindow;
    hider->hiddenWindow = target;
    hider->isHidden = 1;
    Add("newer");  // the hider is no longer the head
    EXPECT_FALSE(IsWindowVisible(target));
    RemoveBinding("hider");
    EXPECT_TRUE(IsWindowVisible(target));
    DestroyWindow(target);
}

}  // namespace
