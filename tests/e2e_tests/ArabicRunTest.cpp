// Under an Arabic user locale both windows are laid out from the right and take their texts
// from the Arabic resource modules beside the programs; messages of the shared routines come
// from the message dictionary in the installer's Bin folder.
#include <gtest/gtest.h>

#include "SampleProduct.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/TextFile.h"
#include "support/ProgramSessions.h"

namespace orvelin::test {
namespace {

// Wine starts a program under the Unix locale (LC_ALL) of the program that starts it, so this
// test runs in a test process started under an Arabic locale: the e2e_arabic_tests entry.
bool UserLocaleIsArabic() { return PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())) == LANG_ARABIC; }

// The installer's message dictionary, in place for one test; what was there before comes back.
class MessageDictionaryInPlace {
public:
    MessageDictionaryInPlace() : target_(InstallerBinFolder() + L"MsgFile.XML"), backup_(target_ + L".e2e-backup") {
        ForceDirectories(InstallerBinFolder());
        hadOne_ = MoveFileExW(target_.c_str(), backup_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
        if (!CopyFileW(BuiltMessageDictionary().c_str(), target_.c_str(), FALSE))
            throw std::runtime_error("cannot put the message dictionary in place");
    }
    ~MessageDictionaryInPlace() {
        DeleteFileW(target_.c_str());
        if (hadOne_) MoveFileExW(backup_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    MessageDictionaryInPlace(const MessageDictionaryInPlace&) = delete;
    MessageDictionaryInPlace& operator=(const MessageDictionaryInPlace&) = delete;

private:
    std::wstring target_;
    std::wstring backup_;
    bool hadOne_ = false;
};

// The shell cannot start the report viewer's setup program: it is missing from the setup folder.
// (A file of an unknown type is no good here: Wine opens those through a fallback program.)
void RemoveReportViewerSetupProgram(const SampleSetupCopy& setup) {
    ASSERT_TRUE(DeleteFileW((setup / L"FILES\\THIRED PARTY APP\\REPORTVIEWER\\Report Viewer\\ReportViewerSetup.exe").c_str()));
}

// The sample application under another name: setup.ini rewritten in UTF-16, which Windows reads
// whatever the ANSI code page.
void RenameApplication(const SampleSetupCopy& setup, const std::wstring& displayName) {
    TextLines ini = ReadTextFile(setup / L"setup.ini");
    for (std::wstring& line : ini.lines)
        if (line.rfind(L"DisplayName=", 0) == 0) line = L"DisplayName=" + displayName;
    WriteTextFile(setup / L"setup.ini", ini.lines, TextEncoding::Utf16LeBom);
}

class ArabicRunTest : public testing::Test {
protected:
    void SetUp() override { installation.RemoveAll(); }
    void TearDown() override { installation.RemoveAll(); }

    SampleInstallation installation;
    SampleSetupCopy setup;
};

TEST_F(ArabicRunTest, BothWindowsRightToLeftWithArabicTextsAndTranslatedMessages) {
    if (!UserLocaleIsArabic()) GTEST_SKIP() << "needs an Arabic user locale: LC_ALL=ar_SA.UTF-8 (e2e_arabic_tests)";
    const MessageDictionaryInPlace dictionary;
    ASSERT_NO_FATAL_FAILURE(RemoveReportViewerSetupProgram(setup));

    InstallerSession installer(setup.Folder());
    ASSERT_TRUE(installer.FindMainWindow());
    ASSERT_EQ(ToUtf8(installer.Caption()), ToUtf8(L"برنامج تثبيت منتجات أورفلين"));
    EXPECT_TRUE(IsLaidOutRightToLeft(installer.Window()));
    EXPECT_EQ(ClientAreaSize(installer.Window()), (PixelSize{344, 252})) << "at the prefix's 96 DPI";
    EXPECT_EQ(ToUtf8(installer.GuidLabel()), ToUtf8(L"المعرف الفريد للبرنامج"));
    EXPECT_EQ(installer.Guid(), installation.guid) << "the settings still come from setup.ini";
    // Right to left, but a GUID and the sample's Latin name read left to right.
    EXPECT_FALSE(installer.GuidReadsRightToLeft());
    EXPECT_FALSE(installer.DisplayNameReadsRightToLeft()) << ToUtf8(installer.DisplayName());

    installer.SelectDatabase(1);
    installer.PressInstall();
    // The window's own messages stay English; only the shared routine's message is translated.
    ExpectMessage(installer.Program(), L"Installer will run the setup program for: FIREBIRD");
    ExpectMessage(installer.Program(), text::RunSetupQuestion, IDNO);
    ExpectMessage(installer.Program(), L"Installer will run the setup program for: Report Viewer");
    ExpectMessage(installer.Program(), text::RunSetupQuestion, IDYES);
    // The shell may first report the failed start in a box of its own; the installer's boxes
    // bear its name.
    MessageBoxView failure = NextMessage(installer.Program());
    for (int other = 0; failure.caption != L"install" && other < 3; ++other) {
        Answer(failure, failure.buttons.empty() ? IDOK : failure.buttons.front());
        failure = NextMessage(installer.Program());
    }
    EXPECT_EQ(ToUtf8(failure.text), ToUtf8(L"خطأ في تشغيل البرنامج!"));
    Answer(failure, IDOK);
    ExpectMessage(installer.Program(), L"Program was installed successfully");
    EXPECT_EQ(installer.Program().WaitForExit(), 0u);

    UninstallerSession uninstaller(installation.uninstallFolder + L"\\");
    ASSERT_TRUE(uninstaller.FindMainWindow());
    EXPECT_EQ(ToUtf8(uninstaller.Caption()), ToUtf8(L"برنامج إزالة منتجات أورفلين"));
    EXPECT_TRUE(IsLaidOutRightToLeft(uninstaller.Window()));
    EXPECT_EQ(ClientAreaSize(uninstaller.Window()), (PixelSize{325, 239})) << "at the prefix's 96 DPI";
    EXPECT_EQ(ToUtf8(uninstaller.RemoveFilesCaption()), ToUtf8(L"حذف الملفات"));
    EXPECT_EQ(ToUtf8(uninstaller.NameLabel()), ToUtf8(L"اسم البرنامج"));
    EXPECT_EQ(uninstaller.DisplayName(), installation.displayName);
    EXPECT_FALSE(uninstaller.GuidReadsRightToLeft());
    EXPECT_FALSE(uninstaller.DisplayNameReadsRightToLeft()) << ToUtf8(uninstaller.DisplayName());
    uninstaller.PressStart();
    ExpectMessage(uninstaller.Program(), text::UninstallConfirmation, IDYES);
    ExpectMessage(uninstaller.Program(), L"Program was uninstalled");
    EXPECT_EQ(uninstaller.Program().WaitForExit(), 0u);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, installation.uninstallKey));
}

// The window stays right to left; an Arabic name reads so too, the GUID left to right.
TEST_F(ArabicRunTest, ArabicNameReadsRightToLeftAndTheGuidLeftToRight) {
    if (!UserLocaleIsArabic()) GTEST_SKIP() << "needs an Arabic user locale: LC_ALL=ar_SA.UTF-8 (e2e_arabic_tests)";
    const std::wstring arabicName = L"أورفلين التجريبي 1.0";
    ASSERT_NO_THROW(RenameApplication(setup, arabicName));

    InstallerSession installer(setup.Folder());
    ASSERT_TRUE(installer.FindMainWindow());
    EXPECT_TRUE(IsLaidOutRightToLeft(installer.Window()));
    EXPECT_EQ(ToUtf8(installer.DisplayName()), ToUtf8(arabicName));
    EXPECT_TRUE(installer.DisplayNameReadsRightToLeft());
    EXPECT_FALSE(installer.GuidReadsRightToLeft());
    installer.PressExit();
    EXPECT_EQ(installer.Program().WaitForExit(), 1602u) << "Exit before an install: cancelled";
}

}  // namespace
}  // namespace orvelin::test
