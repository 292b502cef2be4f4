// The program-group and desktop shortcuts, read back through the Shell Link object.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "installer_tests/InstallerFixture.h"
#include "shared/FileSystem.h"
#include "shared/Handles.h"
#include "shared/TextUtil.h"

namespace orvelin::test {
namespace {

using Lines = std::vector<std::wstring>;

struct LinkContent {
    std::wstring target;
    std::wstring workingFolder;
};

LinkContent ReadLink(const std::wstring& path) {
    ComPtr<IShellLinkW> link;
    EXPECT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid()));
    if (!link) return {};
    ComPtr<IPersistFile> file;
    EXPECT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.PutVoid()));
    EXPECT_HRESULT_SUCCEEDED(file->Load(path.c_str(), STGM_READ));
    wchar_t target[MAX_PATH] = {};
    wchar_t folder[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, 0);
    link->GetWorkingDirectory(folder, MAX_PATH);
    return {target, folder};
}

class ShortcutsTest : public InstallerTest {
protected:
    ShortcutsTest() {
        target = setup / L"Program Files\\ORVELIN\\APP\\" + exeName;
        WriteFileBytes(target, "MZ");
        state.ShortcutTarget = target;
        state.InstalledFileList = {L"C:\\copied\\first.dll"};
    }

    std::wstring GroupLink() const { return ProgramGroupFolder() + L"\\" + view.shortcutName + L".LNK"; }

    void ExpectAimedAtTarget(const std::wstring& linkPath) const {
        const LinkContent content = ReadLink(linkPath);
        EXPECT_TRUE(EqualsIgnoreCase(content.target, target)) << ToUtf8(content.target);
        EXPECT_TRUE(EqualsIgnoreCase(content.workingFolder, ExtractFilePath(target))) << ToUtf8(content.workingFolder);
    }

    std::wstring target;
};

TEST_F(ShortcutsTest, MakesTheProgramGroupShortcutThenTheDesktopOne) {
    view.addShortcut = true;

    run.CreateShortcuts();

    EXPECT_EQ(state.InstalledFileList, (Lines{L"C:\\copied\\first.dll", GroupLink(), DesktopLink()}));
    EXPECT_EQ(ExtractFileName(GroupLink()), view.shortcutName + L".LNK");
    ASSERT_TRUE(FileExists(GroupLink()));
    ASSERT_TRUE(FileExists(DesktopLink()));
    ExpectAimedAtTarget(GroupLink());
    ExpectAimedAtTarget(DesktopLink());
}

TEST_F(ShortcutsTest, WithTheDesktopChoiceClearedOnlyTheProgramGroupGetsOne) {
    view.addShortcut = false;

    run.CreateShortcuts();

    EXPECT_EQ(state.InstalledFileList, (Lines{L"C:\\copied\\first.dll", GroupLink()}));
    EXPECT_TRUE(FileExists(GroupLink()));
    EXPECT_FALSE(FileExists(DesktopLink()));
}

TEST_F(ShortcutsTest, AnEmptyShortcutNameGivesAFileNamedOnlyByItsExtension) {
    view.shortcutName = L"";
    view.addShortcut = false;   // the desktop is shared with every other test program

    run.CreateShortcuts();

    const std::wstring link = ProgramGroupFolder() + L"\\.LNK";
    EXPECT_EQ(state.InstalledFileList.back(), link);
    ASSERT_TRUE(FileExists(link));
    ExpectAimedAtTarget(link);
}

TEST_F(ShortcutsTest, AnEmptyTargetStillListsTheShortcuts) {
    state.ShortcutTarget = L"";
    view.addShortcut = true;

    EXPECT_NO_THROW(run.CreateShortcuts());

    EXPECT_EQ(state.InstalledFileList, (Lines{L"C:\\copied\\first.dll", GroupLink(), DesktopLink()}));
}

}  // namespace
}  // namespace orvelin::test
