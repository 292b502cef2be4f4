#include <gtest/gtest.h>

#include "platform/Handles.h"
#include "platform/Registry.h"

using namespace orvelin;

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

TEST(DeleteRegistryTreeTest, DeletesTheKeyWithAllItsSubKeys) {
    UserTestKey test;
    test.Create(L"App\\Settings\\Deeper");
    test.Create(L"App\\Forms");
    test.Create(L"Sibling");
    DeleteRegistryTree(HKEY_CURRENT_USER, test / L"App");
    EXPECT_FALSE(test.Exists(L"App"));
    EXPECT_TRUE(test.Exists(L"Sibling"));
}

TEST(DeleteRegistryTreeTest, PathMayBeginWithABackslash) {
    UserTestKey test;
    test.Create(L"App\\Settings");
    DeleteRegistryTree(HKEY_CURRENT_USER, L"\\" + (test / L"App"));
    EXPECT_FALSE(test.Exists(L"App"));
}

TEST(DeleteRegistryTreeTest, MissingKeyChangesNothing) {
    UserTestKey test;
    test.Create(L"Sibling");
    EXPECT_NO_THROW(DeleteRegistryTree(HKEY_CURRENT_USER, test / L"Missing"));
    EXPECT_TRUE(test.Exists(L"Sibling"));
}

TEST(DeleteRegistryTreeTest, EmptyPathNeverDeletesUnderTheRoot) {
    UserTestKey test;
    test.Create(L"App\\Settings");
    const auto root = RegistryKey::Open(HKEY_CURRENT_USER, test.Path(), KEY_ALL_ACCESS);
    ASSERT_TRUE(root);
    DeleteRegistryTree(root->Handle(), L"");
    EXPECT_TRUE(test.Exists(L"App\\Settings"));
}
