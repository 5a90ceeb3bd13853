// Run-time libraries come from the system folder, by either way of asking.
#include "platform/system_function.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string LoadedFrom(HMODULE module) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(module, path, MAX_PATH);
    return Lower(path);
}

std::string InSystemFolder(const char* name) {
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, MAX_PATH);
    return Lower(std::string(folder) + "\\" + name);
}

TEST(SystemLibrary, BothWaysLoadFromTheSystemFolder) {
    for (const char* name : {"dwmapi.dll", "oleacc.dll"}) {
        SCOPED_TRACE(name);
        const HMODULE flagged = SystemLibrary(name), byPath = SystemLibraryByPath(name);
        ASSERT_NE(nullptr, flagged);
        ASSERT_NE(nullptr, byPath);
        EXPECT_EQ(flagged, byPath);
        EXPECT_EQ(InSystemFolder(name), LoadedFrom(byPath));
    }
    EXPECT_EQ(nullptr, SystemLibrary("no-such-library.dll"));
    EXPECT_EQ(nullptr, SystemLibraryByPath(std::string(MAX_PATH, 'x').c_str())) << "too long";
}

} // namespace
