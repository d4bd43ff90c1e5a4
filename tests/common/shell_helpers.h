// Helpers that both test layers need around the shell: deep folders, files, shell links and
// registry keys saved and put back. Header only, so the unit tests and the end-to-end driver share
// it without linking each other.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <string>
#include <vector>

namespace shellhelp {

inline bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string ReadWholeFile(const std::string& path) {
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return text;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, NULL) && got > 0) text.append(chunk, got);
    CloseHandle(file);
    return text;
}

inline bool WriteWholeFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok =
        WriteFile(file, text.data(), (DWORD)text.size(), &written, NULL) && written == text.size();
    CloseHandle(file);
    return ok;
}

// Names in folder (files and folders), without "." and "..".
inline std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

inline void RemoveTree(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        return;
    }
    for (const std::string& name : FolderEntries(path)) RemoveTree(path + "\\" + name);
    RemoveDirectoryA(path.c_str());
}

// Creates folders below base until the path is exactly length characters long; "" on failure.
inline std::string DeepFolder(const std::string& base, size_t length) {
    std::string path = base;
    if (length < path.size() + 2) return "";
    while (path.size() < length) {
        size_t room = length - path.size() - 1;  // after the backslash
        // Leave either nothing or at least two characters for the next level.
        size_t take = room > 100 ? (room - 100 < 2 ? 90 : 100) : room;
        path += "\\" + std::string(take, 'd');
        if (!CreateDirectoryA(path.c_str(), NULL) && GetLastError() != ERROR_ALREADY_EXISTS) {
            return "";
        }
    }
    return path;
}

struct LinkInfo {
    std::string target;
    std::string description;
    std::string arguments;
};

// Reads a .lnk back through the shell's own link object.
inline bool ReadShellLink(const std::string& linkPath, LinkInfo* info) {
    HRESULT initialized = CoInitialize(NULL);
    bool ok = false;
    IShellLinkA* link = NULL;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   (void**)&link))) {
        IPersistFile* file = NULL;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void**)&file))) {
            std::wstring wide(linkPath.size() + 1, L'\0');
            MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, &wide[0], (int)wide.size());
            if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
                char text[1024] = {};
                link->GetPath(text, sizeof text, NULL, SLGP_RAWPATH);
                info->target = text;
                text[0] = '\0';
                link->GetDescription(text, sizeof text);
                info->description = text;
                text[0] = '\0';
                link->GetArguments(text, sizeof text);
                info->arguments = text;
                ok = true;
            }
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(initialized)) CoUninitialize();
    return ok;
}

// Saves a registry key (with everything below it) and puts it back as it was when destroyed,
// also when the key did not exist before.
class KeyBackup {
public:
    KeyBackup(HKEY root, const std::string& path) : root_(root), path_(path) {
        static int counter = 0;
        backup_ = "Software\\ZintarTestBackup\\" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(++counter);
        HKEY source = NULL;
        existed_ = RegOpenKeyExA(root_, path_.c_str(), 0, KEY_READ, &source) == ERROR_SUCCESS;
        if (existed_) {
            HKEY copy = NULL;
            RegCreateKeyExA(HKEY_CURRENT_USER, backup_.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                            &copy, NULL);
            RegCopyTreeA(source, NULL, copy);
            RegCloseKey(copy);
            RegCloseKey(source);
        }
    }
    ~KeyBackup() {
        RegDeleteTreeA(root_, path_.c_str());
        RegDeleteKeyA(root_, path_.c_str());
        if (existed_) {
            HKEY copy = NULL;
            HKEY target = NULL;
            RegOpenKeyExA(HKEY_CURRENT_USER, backup_.c_str(), 0, KEY_READ, &copy);
            RegCreateKeyExA(root_, path_.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &target, NULL);
            RegCopyTreeA(copy, NULL, target);
            RegCloseKey(target);
            RegCloseKey(copy);
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, backup_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, backup_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\ZintarTestBackup");  // only once it is empty
    }
    KeyBackup(const KeyBackup&) = delete;
    KeyBackup& operator=(const KeyBackup&) = delete;

private:
    HKEY root_;
    std::string path_;
    std::string backup_;
    bool existed_ = false;
};

inline bool SetStringValue(HKEY root, const std::string& path, const std::string& name,
                           const std::string& text) {
    HKEY key = NULL;
    if (RegCreateKeyExA(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) !=
        ERROR_SUCCESS) {
        return false;
    }
    bool ok = RegSetValueExA(key, name.empty() ? NULL : name.c_str(), 0, REG_SZ,
                             (const BYTE*)text.c_str(), (DWORD)text.size() + 1) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

// Makes the scheme (such as "mailto") open with the recording fixture program, which writes its
// whole command line into recordPath. The caller holds a KeyBackup of HKCR\scheme.
inline bool RegisterRecordingHandler(const std::string& scheme, const std::string& handlerPath,
                                     const std::string& recordPath) {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, scheme.c_str());
    return SetStringValue(HKEY_CLASSES_ROOT, scheme, "", "URL:" + scheme) &&
           SetStringValue(HKEY_CLASSES_ROOT, scheme, "URL Protocol", "") &&
           SetStringValue(HKEY_CLASSES_ROOT, scheme + "\\shell\\open\\command", "",
                          "\"" + handlerPath + "\" \"" + recordPath + "\" \"%1\" %*");
}

// Gives .html files a program: the same recording fixture, under a class of its own.
inline bool RegisterHtmlViewer(const std::string& viewerPath) {
    return SetStringValue(HKEY_CLASSES_ROOT, ".html", "", "ZintarTest.htmlfile") &&
           SetStringValue(HKEY_CLASSES_ROOT, "ZintarTest.htmlfile\\shell\\open\\command", "",
                          "\"" + viewerPath + "\" \"%1\"");
}

inline std::string TempFolder() {
    char path[MAX_PATH] = {};
    GetTempPathA(sizeof path, path);
    return path;  // ends with a backslash
}

}  // namespace shellhelp
