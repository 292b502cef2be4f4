// Plays the user of install.exe or uninstall.exe for `make demo` when nobody watches: starts
// the program, reports what its window shows, presses its button and answers every message
// box (Yes to questions, OK otherwise), printing each one.
//
//   demo_driver install SETUP_FOLDER [SCREENSHOT.png]
//   demo_driver uninstall UNINSTALL_FOLDER [SCREENSHOT.png]
//
// Exit code 0 once the program has reported success and ended with exit code 0; 1 otherwise.
//
//   demo_driver where SETUP_FOLDER
//
// prints where an install from that setup folder puts things on this machine, one
// "name=value" a line, as the programs themselves work it out.
//
//   demo_driver run FOLDER PROGRAM [ARGUMENTS...]
//
// starts the program of the folder as a deployment tool does, waits for it and prints its exit
// code, which Wine itself would pass on only modulo 256. Exit code: the program's, modulo 256.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

#include <shlobj.h>

#include "contract/InstallContract.h"
#include "installer/SetupPackage.h"
#include "platform/Handles.h"
#include "platform/Registry.h"
#include "platform/ShellFolders.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "support/ProgramSessions.h"
#include "support/UiDriver.h"
#include "support/WindowCapture.h"

using namespace orvelin;
using namespace orvelin::test;

namespace {

constexpr int FirebirdIndex = 1;
// A run that shows no box while its button is usable again has ended without success.
constexpr int IdlePollsBeforeGivingUp = 15;
constexpr auto PollInterval = std::chrono::milliseconds(200);

void Say(const std::wstring& line) {
    const std::string bytes = ToUtf8(line) + "\n";
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

std::wstring Shortened(const std::wstring& text) {
    std::wstring oneLine;
    for (const wchar_t c : text) oneLine += (c == L'\r' || c == L'\n') ? L' ' : c;
    return oneLine.size() > 90 ? oneLine.substr(0, 87) + L"..." : oneLine;
}

void Capture(HWND window, const std::wstring& file) {
    if (file.empty()) return;
    CaptureWindowPng(window, file);
    Say(L"  screenshot: " + file);
}

// Answers boxes until the program ends; true when `success` was among them.
bool AnswerUntilEnd(const ChildProcess& program, const std::wstring& success, const std::function<bool()>& runOver,
                    const std::function<void()>& close) {
    bool succeeded = false;
    int idlePolls = 0;
    while (program.Running()) {
        if (const auto box = WaitForMessageBox(program, PollInterval)) {
            const bool question = box->Offers(IDYES);
            Say(std::wstring(question ? L"  question: \"" : L"  message:  \"") + Shortened(box->text) + L"\" -> " +
                (question ? L"Yes" : L"OK"));
            if (box->text == success) succeeded = true;
            Answer(*box, question ? IDYES : IDOK);
            idlePolls = 0;
            continue;
        }
        if (!succeeded && runOver()) {
            if (++idlePolls >= IdlePollsBeforeGivingUp) {
                Say(L"  the run ended without success; closing the window");
                close();
                break;
            }
        } else {
            idlePolls = 0;
        }
    }
    return succeeded;
}

bool Finish(const ChildProcess& program, const std::wstring& name, bool succeeded) {
    const auto exitCode = program.WaitForExit();
    if (!exitCode) {
        Say(L"  " + name + L" did not end");
        return false;
    }
    Say(L"  " + name + L" ended with exit code " + std::to_wstring(*exitCode));
    return succeeded && *exitCode == 0;
}

bool DriveInstaller(const std::wstring& setupFolder, const std::wstring& screenshot) {
    InstallerSession installer(setupFolder);
    if (!installer.FindMainWindow()) {
        Say(L"  install.exe showed no window");
        return false;
    }
    Say(L"  window \"" + installer.Caption() + L"\"" +
        (IsLaidOutRightToLeft(installer.Window()) ? L", laid out right to left" : L""));
    Say(L"    " + installer.GuidLabel() + L": " + installer.Guid());
    Say(L"    name: " + installer.DisplayName() + L", shortcut: " + installer.ShortcutName() +
        (installer.AddShortcutTicked() ? L" (also on the desktop)" : L""));
    Capture(installer.Window(), screenshot);
    if (installer.DatabaseChoiceShown()) {
        Say(L"  choosing FIREBIRD as the database server");
        installer.SelectDatabase(FirebirdIndex);
    }
    Say(L"  pressing Install");
    installer.PressInstall();
    const bool succeeded =
        AnswerUntilEnd(installer.Program(), L"Program was installed successfully",
                       [&] { return installer.InstallEnabled(); }, [&] { installer.PressExit(); });
    return Finish(installer.Program(), L"install.exe", succeeded);
}

bool DriveUninstaller(const std::wstring& folder, const std::wstring& screenshot) {
    UninstallerSession uninstaller(folder);
    if (!uninstaller.FindMainWindow()) {
        Say(L"  uninstall.exe showed no window");
        return false;
    }
    Say(L"  window \"" + uninstaller.Caption() + L"\"" +
        (IsLaidOutRightToLeft(uninstaller.Window()) ? L", laid out right to left" : L""));
    Say(L"    " + uninstaller.NameLabel() + L": " + uninstaller.DisplayName() + L"  " + uninstaller.Guid());
    Say(L"    " + uninstaller.RemoveFilesCaption() + (uninstaller.RemoveFilesTicked() ? L": ticked" : L": cleared"));
    Capture(uninstaller.Window(), screenshot);
    Say(L"  pressing Start UnInstall");
    uninstaller.PressStart();
    const bool succeeded =
        AnswerUntilEnd(uninstaller.Program(), L"Program was uninstalled",
                       [&] { return uninstaller.StartEnabled(); }, [&] { uninstaller.Close(); });
    return Finish(uninstaller.Program(), L"uninstall.exe", succeeded);
}

std::wstring QuotedArgument(const std::wstring& argument) {
    return argument.find(L' ') == std::wstring::npos ? argument : L"\"" + argument + L"\"";
}

void SayWhere(const std::wstring& setupFolder) {
    const SetupSettings settings = ReadSetupSettings(IniFile(setupFolder + L"setup.ini"));
    const std::wstring application = settings.ApplicationName();
    Say(L"guid=" + settings.guid);
    Say(L"uninstall_key=HKLM\\" + UninstallKeyPath(settings.guid));
    Say(L"user_key=HKCU\\" + ProgramSettingsKeyPath(application));
    Say(L"uninstall_folder=" + UninstallFolder(CompanyFolder(GetSpecialFolder(CSIDL_COMMON_APPDATA), L"install") + L"\\",
                                               settings.guid));
    Say(L"installer_bin=" + CompanyFolder(GetSpecialFolder(CSIDL_PROGRAM_FILES), L"install") + L"\\Bin");
    const std::wstring group = ProgramGroupFolder(GetSpecialFolder(CSIDL_COMMON_PROGRAMS), settings.displayName);
    Say(L"group_folder=" + group);
    Say(L"group_shortcut=" + group + L"\\" + settings.shortcutName + kShortcutExtension);
    Say(L"desktop_shortcut=" + GetSpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" + settings.shortcutName +
        kShortcutExtension);
    const std::wstring nativeProgramFiles =
        ReadLocalMachineString(L"Software\\Microsoft\\Windows\\CurrentVersion", L"ProgramFilesDir");
    for (const std::wstring& base : {GetSpecialFolder(CSIDL_PROGRAM_FILESX86), nativeProgramFiles,
                                     GetSpecialFolder(CSIDL_COMMON_APPDATA), GetSpecialFolder(CSIDL_APPDATA)})
        Say(L"application_folder=" + CompanyFolder(base, application));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        Say(L"usage: demo_driver install|uninstall|where FOLDER [SCREENSHOT.png]");
        return 2;
    }
    const ComApartment com;
    const std::wstring what = argv[1];
    const std::wstring folder = IncludeTrailingBackslash(argv[2]);
    const std::wstring screenshot = argc > 3 ? argv[3] : L"";
    try {
        if (what == L"install") return DriveInstaller(folder, screenshot) ? 0 : 1;
        if (what == L"uninstall") return DriveUninstaller(folder, screenshot) ? 0 : 1;
        if (what == L"where") {
            SayWhere(folder);
            return 0;
        }
        if (what == L"run" && argc > 3) {
            std::wstring arguments;
            for (int i = 4; i < argc; ++i) arguments += (i > 4 ? L" " : L"") + QuotedArgument(argv[i]);
            const ChildProcess program(folder + argv[3], folder, arguments);
            const auto code = program.WaitForExit();
            Say(L"  " + std::wstring(argv[3]) + L" " + arguments + L": exit code " +
                (code ? std::to_wstring(*code) : std::wstring(L"none, still running")));
            return code ? static_cast<int>(*code % 256) : 1;
        }
        Say(L"unknown program: " + what);
        return 2;
    } catch (const std::exception& e) {
        Say(L"  demo driver: " + FromUtf8(e.what()));
        return 1;
    }
}
