// The program's resources as Windows reads them: version record, manifest and icon images.
#include "resources/resource_ids.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string version_string(const std::vector<char>& block, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) {
        return "<missing>";
    }
    return std::string(value);
}

std::string resource_text(LPCSTR type, LPCSTR name) {
    HRSRC found = FindResourceA(nullptr, name, type);
    if (found == nullptr) {
        return "";
    }
    const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    return std::string(data, SizeofResource(nullptr, found));
}

} // namespace

TEST(Resources, VersionRecordNamesTheProgram) {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(module, &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(module, 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(MAKELONG(1, 2023), fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(0, 27), fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
    EXPECT_EQ("Sonabrill Audiogram", version_string(block, "FileDescription"));
    EXPECT_EQ("Sonabrill", version_string(block, "InternalName"));
    EXPECT_EQ("Sonabrill.exe", version_string(block, "OriginalFilename"));
    EXPECT_EQ("2023.01.27.0", version_string(block, "FileVersion"));
    EXPECT_EQ("2023.01.27.0", version_string(block, "ProductVersion"));
}

TEST(Resources, ManifestDeclaresIdentityCompatibilityAndDpiAwareness) {
    std::string manifest = resource_text(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    ASSERT_FALSE(manifest.empty());
    const char* wanted[] = {
        "name=\"Sonabrill\" version=\"1.0.0.0\" processorArchitecture=\"amd64\"",
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}", // Vista
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", // 10
        ">true</dpiAware>",
        "level=\"asInvoker\"",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
    };
    for (const char* text : wanted) {
        EXPECT_NE(std::string::npos, manifest.find(text)) << text;
    }
    EXPECT_EQ(std::string::npos, manifest.find("PerMonitor")); // aware of the system's DPI only
}

TEST(Resources, IconGroupHoldsThreeSizesAt32BitsPerPixel) {
    HRSRC group = FindResourceA(nullptr, "ICON1", MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_NE(nullptr, group);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, group)));
    // GRPICONDIR: reserved, type, count; then 14-byte entries.
    WORD count = *reinterpret_cast<const WORD*>(data + 4);
    ASSERT_EQ(3, count);
    std::vector<int> sizes;
    for (int i = 0; i < count; ++i) {
        const BYTE* entry = data + 6 + 14 * i;
        int width = entry[0];
        WORD bits = *reinterpret_cast<const WORD*>(entry + 6);
        EXPECT_EQ(32, bits) << "image " << i;
        EXPECT_EQ(width, entry[1]) << "image " << i << " is square";
        sizes.push_back(width);
    }
    EXPECT_EQ((std::vector<int>{48, 32, 16}), sizes);
    EXPECT_NE(nullptr, LoadIconA(GetModuleHandleA(nullptr), "ICON1"));
}
