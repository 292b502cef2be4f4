#include <gtest/gtest.h>

#include "shared/CommonHelpers.h"
#include "shared/FileSystem.h"
#include "shared/Handles.h"
#include "shared/Registry.h"
#include "support/ScriptedView.h"
#include "support/TempFolder.h"

using namespace orvelin;
using namespace orvelin::test;

enum class Target { Missing, Folder, Wildcard, ReadOnly, InUse, Normal };

struct DeleteFileCase {
    const char* name;
    Target target;
    bool deleted;
    std::vector<std::wstring> errors;
};

class DeleteFileIfExistsTest : public testing::TestWithParam<DeleteFileCase> {};

TEST_P(DeleteFileIfExistsTest, DeletesOnlyAnExistingFileAndReportsRefusalOnce) {
    const auto& c = GetParam();
    TempFolder folder;
    const std::wstring file = folder / L"listed.txt";
    std::wstring name = file;
    UniqueFile openFile;
    switch (c.target) {
        case Target::Missing: break;
        case Target::Folder: CreateDirectoryW(file.c_str(), nullptr); break;
        case Target::Wildcard:
            WriteFileBytes(file, "x");
            name = folder / L"*.txt";
            break;
        case Target::ReadOnly:
            WriteFileBytes(file, "x");
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
            break;
        case Target::InUse:
            WriteFileBytes(file, "x");
            openFile.Reset(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(openFile);
            break;
        case Target::Normal: WriteFileBytes(file, "x"); break;
    }
    const bool existedBefore = GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;

    ScriptedView view;
    EXPECT_EQ(DeleteFileIfExists(view, name), c.deleted);
    EXPECT_EQ(view.errors, c.errors);
    EXPECT_TRUE(view.messages.empty());
    openFile.Reset();
    const bool existsAfter = GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
    EXPECT_EQ(existsAfter, existedBefore && !c.deleted);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, DeleteFileIfExistsTest,
    testing::Values(DeleteFileCase{"Missing", Target::Missing, false, {}},
                    DeleteFileCase{"FolderOfThatName", Target::Folder, false, {}},
                    DeleteFileCase{"WildcardName", Target::Wildcard, false, {}},
                    DeleteFileCase{"ReadOnlyFile", Target::ReadOnly, false, {L"Error DeleteFile"}},
                    DeleteFileCase{"FileInUse", Target::InUse, false, {L"Error DeleteFile"}},
                    DeleteFileCase{"NormalFile", Target::Normal, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

// HKEY_CURRENT_USER\Software\OrvelinHelpersTest<pid>, removed with everything under it.
class UserTestKey {
public:
    UserTestKey() : path_(L"Software\\OrvelinHelpersTest" + std::to_wstring(GetCurrentProcessId())) {}
    ~UserTestKey() {
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
    }
    UserTestKey(const UserTestKey&) = delete;
    UserTestKey& operator=(const UserTestKey&) = delete;

    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }
    void Create(const std::wstring& relative) const {
        RegistryKey::Create(HKEY_CURRENT_USER, *this / relative, KEY_WRITE).WriteString(L"Value", L"text");
    }
    bool Exists(const std::wstring& relative) const {
        return RegistryKeyExists(HKEY_CURRENT_USER, *this / relative, KEY_READ);
    }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

}  // namespace

TEST(DeleteRegKeyIfExistsTest, DeletesTheKeyWithAllItsSubKeys) {
    UserTestKey test;
    test.Create(L"App\\Settings\\Deeper");
    test.Create(L"App\\Forms");
    test.Create(L"Sibling");
    DeleteRegKeyIfExists(test / L"App", HKEY_CURRENT_USER);
    EXPECT_FALSE(test.Exists(L"App"));
    EXPECT_TRUE(test.Exists(L"Sibling"));
}

TEST(DeleteRegKeyIfExistsTest, PathMayBeginWithABackslash) {
    UserTestKey test;
    test.Create(L"App\\Settings");
    DeleteRegKeyIfExists(L"\\" + (test / L"App"), HKEY_CURRENT_USER);
    EXPECT_FALSE(test.Exists(L"App"));
}

TEST(DeleteRegKeyIfExistsTest, MissingKeyChangesNothing) {
    UserTestKey test;
    test.Create(L"Sibling");
    EXPECT_NO_THROW(DeleteRegKeyIfExists(test / L"Missing", HKEY_CURRENT_USER));
    EXPECT_TRUE(test.Exists(L"Sibling"));
}

TEST(DeleteRegKeyIfExistsTest, EmptyPathNeverDeletesUnderTheRoot) {
    UserTestKey test;
    test.Create(L"App\\Settings");
    const auto root = RegistryKey::Open(HKEY_CURRENT_USER, test.Path(), KEY_ALL_ACCESS);
    ASSERT_TRUE(root);
    DeleteRegKeyIfExists(L"", root->Handle());
    EXPECT_TRUE(test.Exists(L"App\\Settings"));
}
