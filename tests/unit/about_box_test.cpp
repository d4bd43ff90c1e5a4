// The About box's helpers in-process: the file version of real files wherever they live, and the
// link opening with its short-lived probe file in the temporary folder.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "bindings/binding_list.h"
#include "prefs/about_box.h"
#include "tests/common/shell_helpers.h"
#include "message_catcher.h"

namespace {

std::string OwnPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(NULL, path, sizeof path);
    return path;
}

std::string OwnFolder() {
    std::string path = OwnPath();
    return path.substr(0, path.find_last_of('\\'));
}

bool WaitForFile(const std::string& path, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!shellhelp::FileExists(path)) {
        if (GetTickCount64() >= deadline) return false;
        Sleep(10);  // a polling step
    }
    return true;
}

// A fresh folder under the temporary folder, removed again with everything in it.
class ScratchFolder {
public:
    ScratchFolder() {
        char name[MAX_PATH] = {};
        GetTempFileNameA(shellhelp::TempFolder().c_str(), "zab", 0, name);
        DeleteFileA(name);
        CreateDirectoryA(name, NULL);
        path = name;
    }
    ~ScratchFolder() { shellhelp::RemoveTree(path); }
    std::string path;
};

// A copy of this test program whose version strings sit under another language block.
bool WriteCopyWithForeignVersionBlock(const std::string& copy) {
    HRSRC found = FindResourceA(NULL, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));  // RT_VERSION
    if (found == NULL || !CopyFileA(OwnPath().c_str(), copy.c_str(), FALSE)) return false;
    const BYTE* data = (const BYTE*)LockResource(LoadResource(NULL, found));
    std::vector<BYTE> version(data, data + SizeofResource(NULL, found));
    const wchar_t english[] = L"040904b0";
    for (size_t i = 0; i + sizeof english <= version.size(); i += 2) {
        if (memcmp(&version[i], english, sizeof english - 2) == 0) {
            version[i + 6] = '7';  // "040704b0": German
            HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
            if (update == NULL) return false;
            UpdateResourceA(update, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1),
                            MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), version.data(),
                            (DWORD)version.size());
            return EndUpdateResourceA(update, FALSE) != FALSE;
        }
    }
    return false;
}

TEST(FileVersionTextTest, ReadsTheFileVersionOfThisProgram) {
    char out[100] = {};
    MessageCatcher messages;
    const char* text = FileVersionText(OwnPath().c_str(), out, sizeof out);
    EXPECT_EQ(text, out);
    EXPECT_STREQ(text, "1.0.416");
    EXPECT_TRUE(messages.Seen().empty());
}

TEST(FileVersionTextTest, KeepsToTheSizeOfTheCallersBuffer) {
    char out[8];
    memset(out, '#', sizeof out);
    FileVersionText(OwnPath().c_str(), out, 4);
    EXPECT_STREQ(out, "1.0");
    EXPECT_EQ(out[4], '#') << "written past the given size";
}

TEST(FileVersionTextTest, ReadsAProgramWhosePathIsLongerThan128Characters) {
    ScratchFolder scratch;
    std::string deep = shellhelp::DeepFolder(scratch.path, 200);
    ASSERT_FALSE(deep.empty());
    std::string copy = deep + "\\copy.exe";
    ASSERT_TRUE(CopyFileA(OwnPath().c_str(), copy.c_str(), FALSE)) << copy;
    char out[100] = {};
    EXPECT_STREQ(FileVersionText(copy.c_str(), out, sizeof out), "1.0.416") << copy;
}

TEST(FileVersionTextTest, FilesWithoutAVersionGiveTheEmptyTextSilently) {
    ScratchFolder scratch;
    std::string plain = scratch.path + "\\plain.txt";
    ASSERT_TRUE(shellhelp::WriteWholeFile(plain, "no version in here"));
    char out[100];
    memset(out, '#', sizeof out);
    MessageCatcher messages;
    EXPECT_STREQ(FileVersionText(plain.c_str(), out, sizeof out), "");
    EXPECT_STREQ(FileVersionText((scratch.path + "\\missing.exe").c_str(), out, sizeof out), "");
    EXPECT_EQ(out[0], '#') << "the caller's buffer was touched";
    EXPECT_TRUE(messages.Seen().empty());
}

TEST(FileVersionTextTest, AnotherLanguageBlockIsToldAndGivesTheEmptyText) {
    ScratchFolder scratch;
    std::string copy = scratch.path + "\\foreign.exe";
    ASSERT_TRUE(WriteCopyWithForeignVersionBlock(copy)) << copy;
    char out[100] = "untouched";
    const char* text = nullptr;
    std::vector<MessageCatcher::Message> seen;
    {
        MessageCatcher messages;
        text = FileVersionText(copy.c_str(), out, sizeof out);
        seen = messages.Seen();
    }
    EXPECT_STREQ(text, "");
    EXPECT_NE(text, out);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Error");
    EXPECT_EQ(seen[0].text, "Could not get version.");
}

TEST(OwnProgramPathTest, IsTheWholePathOfTheRunningProgram) {
    char* path = OwnProgramPath();
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(std::string(path), OwnPath());
    FreeText(path);
}

// OpenLink with a scheme of the test's own, opened by the recording fixture.
class OpenLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        scheme.reset(new shellhelp::KeyBackup(HKEY_CLASSES_ROOT, kScheme));
        record = scratch.path + "\\record.txt";
        ASSERT_TRUE(shellhelp::RegisterRecordingHandler(kScheme, OwnFolder() + "\\mail_handler.exe",
                                                        record));
        char saved[MAX_PATH] = {};
        hadTmp = GetEnvironmentVariableA("TMP", saved, sizeof saved) > 0;
        savedTmp = saved;
    }
    void TearDown() override {
        SetEnvironmentVariableA("TMP", hadTmp ? savedTmp.c_str() : NULL);
        scheme.reset();
    }
    static constexpr const char* kScheme = "zintar-test-link";
    const std::string link = std::string(kScheme) + ":hello";
    ScratchFolder scratch;
    std::unique_ptr<shellhelp::KeyBackup> scheme;
    std::string record;
    bool hadTmp = false;
    std::string savedTmp;
};

TEST_F(OpenLinkTest, OpensTheLinkAndRemovesEvenAStaleProbe) {
    std::string probe = shellhelp::TempFolder() + "it.html";
    ASSERT_TRUE(shellhelp::WriteWholeFile(probe, "stale"));
    MessageCatcher messages;
    EXPECT_EQ(OpenLink(NULL, link.c_str()), 1);
    EXPECT_FALSE(shellhelp::FileExists(probe)) << "it.html outlived the call";
    ASSERT_TRUE(WaitForFile(record, 10000)) << "the link's program was not started";
    EXPECT_NE(shellhelp::ReadWholeFile(record).find(link), std::string::npos);
    EXPECT_TRUE(messages.Seen().empty());
}

TEST_F(OpenLinkTest, ATemporaryFolderWithNoRoomForTheProbeOpensNothing) {
    // The folder, its backslash and "it.html" must fit in a path buffer: 251 characters do.
    std::string roomy = shellhelp::DeepFolder(scratch.path, 251);
    ASSERT_FALSE(roomy.empty());
    SetEnvironmentVariableA("TMP", roomy.c_str());
    EXPECT_EQ(OpenLink(NULL, link.c_str()), 1) << "with TMP=" << roomy;
    EXPECT_TRUE(shellhelp::FolderEntries(roomy).empty());
    ASSERT_TRUE(WaitForFile(record, 10000));

    DeleteFileA(record.c_str());
    std::string cramped = shellhelp::DeepFolder(scratch.path, 252);
    ASSERT_FALSE(cramped.empty());
    SetEnvironmentVariableA("TMP", cramped.c_str());
    MessageCatcher messages;
    EXPECT_EQ(OpenLink(NULL, link.c_str()), 0) << "with TMP=" << cramped;
    EXPECT_TRUE(shellhelp::FolderEntries(cramped).empty()) << "a cut probe name was created";
    EXPECT_TRUE(messages.Seen().empty());
}

TEST_F(OpenLinkTest, ATemporaryFolderThatCannotBeWrittenOpensNothing) {
    SetEnvironmentVariableA("TMP", (scratch.path + "\\no such folder").c_str());
    EXPECT_EQ(OpenLink(NULL, link.c_str()), 0);
    EXPECT_FALSE(WaitForFile(record, 500)) << "the link was opened without its probe";
}

}  // namespace
