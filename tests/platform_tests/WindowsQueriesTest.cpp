#include <gtest/gtest.h>

#include "platform/Registry.h"
#include "platform/WindowsPlatform.h"
#include "platform/Error.h"
#include "platform/Handles.h"

using namespace orvelin;

namespace {

const std::wstring CurrentVersionKey = L"\\Software\\Microsoft\\Windows\\CurrentVersion";

bool NativeSystemIs64Bit() {
    SYSTEM_INFO info{};
    GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
           info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_ARM64;
}

std::wstring EnvironmentVariable(const wchar_t* name) {
    wchar_t value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length && length < MAX_PATH ? std::wstring(value, length) : L"";
}

std::wstring ValueIn32BitView(const std::wstring& key, const std::wstring& name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str() + 1, 0, KEY_READ | KEY_WOW64_32KEY, &opened) != ERROR_SUCCESS)
        return L"";
    const UniqueRegKey owner(opened);
    wchar_t value[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH * sizeof(wchar_t);
    if (RegQueryValueExW(opened, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS)
        return L"";
    return value;
}

// A key of the test's own under HKEY_LOCAL_MACHINE in the 64-bit view, removed afterwards.
class MachineTestKey {
public:
    MachineTestKey() : path_(L"Software\\OrvelinHelpersTest" + std::to_wstring(GetCurrentProcessId())) {
        HKEY key = nullptr;
        created_ = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                                   nullptr, &key, nullptr) == ERROR_SUCCESS;
        key_.Reset(key);
    }
    ~MachineTestKey() {
        key_.Reset();
        if (created_) RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), KEY_WOW64_64KEY, 0);
    }
    MachineTestKey(const MachineTestKey&) = delete;
    MachineTestKey& operator=(const MachineTestKey&) = delete;

    bool Created() const { return created_; }
    std::wstring Path() const { return L"\\" + path_; }
    void SetDword(const wchar_t* name, DWORD value) const {
        RegSetValueExW(key_.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    }
    void SetExpandString(const wchar_t* name, const std::wstring& value) const {
        RegSetValueExW(key_.Get(), name, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }

private:
    std::wstring path_;
    UniqueRegKey key_;
    bool created_ = false;
};

}  // namespace

TEST(Is64BitWindowsTest, AnswersWhetherTheSystemUnderThisProgramIs64Bit) {
    ASSERT_TRUE(NativeSystemIs64Bit()) << "the tests run in a 64-bit Windows (prefix)";
    // The question is whether this program runs under the 32-bit emulation layer, which only a
    // 32-bit build does.
    EXPECT_EQ(Is64BitWindows(), sizeof(void*) == 4);
}

TEST(ReadLocalMachineStringTest, ReadsTheNativeProgramFilesFolderFromThe64BitView) {
    const std::wstring folder = ReadLocalMachineString(CurrentVersionKey, L"ProgramFilesDir");
    EXPECT_EQ(folder, EnvironmentVariable(L"ProgramW6432"));
    EXPECT_EQ(folder.find(L"(x86)"), std::wstring::npos);
    EXPECT_NE(folder, ValueIn32BitView(CurrentVersionKey, L"ProgramFilesDir")) << "the 32-bit view differs";
}

TEST(ReadLocalMachineStringTest, MissingKeyOrValueGivesEmptyText) {
    EXPECT_EQ(ReadLocalMachineString(CurrentVersionKey, L"NoSuchValueOfOrvelin"), L"");
    EXPECT_EQ(ReadLocalMachineString(L"\\Software\\NoSuchKeyOfOrvelin", L"ProgramFilesDir"), L"");
}

TEST(ReadLocalMachineStringTest, ValueOfAnotherTypeIsAnError) {
    MachineTestKey key;
    ASSERT_TRUE(key.Created());
    key.SetDword(L"Number", 42);
    key.SetExpandString(L"Expandable", L"%SystemRoot%\\x");
    try {
        ReadLocalMachineString(key.Path(), L"Number");
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.Text(), L"Invalid data type for 'Number'");
    }
    EXPECT_EQ(ReadLocalMachineString(key.Path(), L"Expandable"), L"%SystemRoot%\\x") << "a text type, read unexpanded";
}
