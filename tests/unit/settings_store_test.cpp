// The option flags and the polling interval, read and written in the real registry.
#include <gtest/gtest.h>
#include <string>
#include "prefs/settings_store.h"

namespace {

const char* const kTestKey = "Software\\Orvane\\ZintarSettingsTest";

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
        RegDeleteValueA(ProductKey(), "PollInterval");
    }
    static HKEY ProductKey() {
        static HKEY key = NULL;
        if (key == NULL) {
            RegCreateKeyExA(HKEY_CURRENT_USER, PRODUCT_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                            NULL);
        }
        return key;
    }
    static void Put(const char* path, const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key = NULL;
        ASSERT_EQ(
            RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL),
            ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, (const BYTE*)data, size);
        RegCloseKey(key);
    }
    static std::string Raw(const char* path, const char* name, DWORD* type) {
        HKEY key = NULL;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "<no key>";
        char data[64] = {};
        DWORD size = sizeof data;
        LONG status = RegQueryValueExA(key, name, NULL, type, (BYTE*)data, &size);
        RegCloseKey(key);
        return status == ERROR_SUCCESS ? std::string(data, size) : "<missing>";
    }
};

TEST_F(SettingsStoreTest, FlagsReadByTheirFirstByte) {
    struct Case {
        const char* stored;
        DWORD size;
        int expected;
    } cases[] = {{"0", 1, 0}, {"1", 1, 1}, {"2", 1, 2}, {"1x", 2, 1}, {"1", 2, 1},
                 {"", 0, 0},  {"", 1, 0},  {"3", 1, 0}, {"x1", 2, 0}};
    for (const Case& c : cases) {
        Put(kTestKey, "Flag", REG_SZ, c.stored, c.size);
        EXPECT_EQ(ReadFlag(kTestKey, "Flag"), c.expected)
            << "stored \"" << c.stored << "\" size " << c.size;
    }
    DWORD one = '1';  // a REG_DWORD whose first byte is the digit
    Put(kTestKey, "Flag", REG_DWORD, &one, sizeof one);
    EXPECT_EQ(ReadFlag(kTestKey, "Flag"), 1);
    EXPECT_EQ(ReadFlag(kTestKey, "Missing"), 0);
}

TEST_F(SettingsStoreTest, FirstReadOfANewUserCreatesTheEmptyKey) {
    EXPECT_EQ(ReadFlag(kTestKey, "Poll"), 0);
    HKEY key = NULL;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(SettingsStoreTest, WriteFlagStoresOneDigitWithoutTerminator) {
    HWND dialog = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    HWND box = CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_AUTO3STATE, 0, 0, 10, 10, dialog,
                               (HMENU)1011, NULL, NULL);
    const int states[] = {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED};
    const char* digits[] = {"1", "2", "0"};
    for (int i = 0; i < 3; i++) {
        SendMessageA(box, BM_SETCHECK, states[i], 0);
        WriteFlag(dialog, kTestKey, "Poll", 1011);
        DWORD type = 0;
        EXPECT_EQ(Raw(kTestKey, "Poll", &type), digits[i]) << "state " << states[i];
        EXPECT_EQ(type, (DWORD)REG_SZ);
        EXPECT_EQ(ReadFlag(kTestKey, "Poll"), states[i]);
    }
    DestroyWindow(dialog);
}

TEST_F(SettingsStoreTest, PollIntervalRoundTripsAndDefaultsToFive) {
    EXPECT_EQ(ReadPollInterval(), 5);
    ASSERT_EQ(WritePollInterval(-3), 1);
    DWORD type = 0;
    EXPECT_EQ(Raw(PRODUCT_KEY, "PollInterval", &type), std::string("\xFD\xFF\xFF\xFF", 4));
    EXPECT_EQ(type, (DWORD)REG_BINARY);
    EXPECT_EQ(ReadPollInterval(), -3);
    DWORD seven = 7;
    Put(PRODUCT_KEY, "PollInterval", REG_DWORD, &seven, sizeof seven);
    EXPECT_EQ(ReadPollInterval(), 7);
    Put(PRODUCT_KEY, "PollInterval", REG_BINARY, "\x09\x00", 2);
    EXPECT_EQ(ReadPollInterval(), 5) << "a value shorter than 4 bytes counts as missing";
    Put(PRODUCT_KEY, "PollInterval", REG_BINARY, "\x09\x00\x00\x00\x00", 5);
    EXPECT_EQ(ReadPollInterval(), 5) << "a value longer than 4 bytes counts as missing";
}

}  // namespace
