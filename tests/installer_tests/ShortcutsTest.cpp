// The program-group and desktop shortcuts, read back through the Shell Link object.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "installer/Shortcuts.h"
#include "installer_tests/InstallerFixture.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace orvelin::test {
namespace {

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
        PutFile(target, "MZ");
        installed.paths = {L"C:\\copied\\first.dll"};
    }

    void Create(const std::wstring& aimedAt) {
        CreateShortcuts(aimedAt, package.settings.displayName, choices.shortcutName, choices.addDesktopShortcut, nullptr,
                        changes, installed.paths);
    }

    void ExpectAimedAtTarget(const std::wstring& linkPath) const {
        const LinkContent content = ReadLink(linkPath);
        EXPECT_TRUE(EqualsIgnoreCase(content.target, target)) << ToUtf8(content.target);
        EXPECT_TRUE(EqualsIgnoreCase(content.workingFolder, ExtractFilePath(target))) << ToUtf8(content.workingFolder);
    }

    std::wstring target;
};

TEST_F(ShortcutsTest, MakesTheProgramGroupShortcutThenTheDesktopOne) {
    choices.addDesktopShortcut = true;

    Create(target);

    EXPECT_EQ(installed.paths, (Lines{L"C:\\copied\\first.dll", GroupLink(), DesktopLink()}));
    EXPECT_EQ(ExtractFileName(GroupLink()), choices.shortcutName + L".LNK");
    ASSERT_TRUE(FileExists(GroupLink()));
    ASSERT_TRUE(FileExists(DesktopLink()));
    ExpectAimedAtTarget(GroupLink());
    ExpectAimedAtTarget(DesktopLink());
}

TEST_F(ShortcutsTest, WithTheDesktopChoiceClearedOnlyTheProgramGroupGetsOne) {
    choices.addDesktopShortcut = false;

    Create(target);

    EXPECT_EQ(installed.paths, (Lines{L"C:\\copied\\first.dll", GroupLink()}));
    EXPECT_TRUE(FileExists(GroupLink()));
    EXPECT_FALSE(FileExists(DesktopLink()));
}

TEST_F(ShortcutsTest, AnEmptyShortcutNameGivesAFileNamedOnlyByItsExtension) {
    choices.shortcutName = L"";
    choices.addDesktopShortcut = false;   // the desktop is shared with every other test program

    Create(target);

    const std::wstring link = ProgramGroupFolder() + L"\\.LNK";
    EXPECT_EQ(installed.paths.back(), link);
    ASSERT_TRUE(FileExists(link));
    ExpectAimedAtTarget(link);
}

TEST_F(ShortcutsTest, AnEmptyTargetStillListsTheShortcuts) {
    choices.addDesktopShortcut = true;

    EXPECT_NO_THROW(Create(L""));

    EXPECT_EQ(installed.paths, (Lines{L"C:\\copied\\first.dll", GroupLink(), DesktopLink()}));
}

// A name longer than any file system allows: the shortcut cannot be saved, and the run is told.
TEST_F(ShortcutsTest, AShortcutThatCannotBeSavedIsAnError) {
    choices.shortcutName = std::wstring(300, L'S');
    choices.addDesktopShortcut = false;

    try {
        Create(target);
        FAIL() << "a shortcut that was not saved passed for saved";
    } catch (const Error& e) {
        EXPECT_TRUE(e.Text().starts_with(L"Cannot save the shortcut " + GroupLink() + L". ")) << e.what();
    }
    EXPECT_EQ(installed.paths, Lines{L"C:\\copied\\first.dll"});
}

}  // namespace
}  // namespace orvelin::test
