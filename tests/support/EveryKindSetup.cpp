#include "support/EveryKindSetup.h"

#include <windows.h>

#include <stdexcept>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

namespace orvelin::test {

const wchar_t* EveryKindSetup::Description() {
    return LR"(# Every category, location kind and run code.
application Program: application files
  location PROGRAM: Program Files (x86)
    folder BIN: EveryKind.exe, *.dll      # the main executable first, then the libraries
    folder LIB: *.dll, *.ocx              # what BIN left
  location DATA: ProgramData
    files: *.dat

application Shared: common files
  location USER: AppData
    files: *

application System: Windows files
  location NATIVE: Program Files
    files: *

application Servers: database servers
  location FB25: FIREBIRD, Vista and later
    folder BIN: copy
    folder Setup: run
  location FB15: XP and earlier, FIREBIRD
    folder BIN: copy
    folder Setup: run
  location IB: INTERBASE, Vista and later   # never chosen: FIREBIRD is the one server
    folder Setup: run

application Tools: third-party programs
  location TOOLS: Vista and later
    folder Tool Setup: run
    folder BIN: copy, *.cfg
  location TOOLS XP: XP and earlier
    folder Tool Setup: run
)";
}

void EveryKindSetup::WriteFolder(const std::wstring& folder, const std::wstring& setupProgram,
                                 const std::wstring& uninstaller) {
    PutFile(folder + L"setup.ini",
            "[Setup]\r\nApplicExeName=" + ToUtf8(kExeName) +
                "\r\nApplicFullName=Every Kind\r\nInstallDbServer=1\r\n[Install]\r\nGuidId=" + ToUtf8(kGuid) +
                "\r\nDisplayName=Every Kind 1.0\r\nDskTopShortCutName=Every Kind\r\nAddShortCut=1\r\n"
                "[UnInstall]\r\nRemove=1\r\n"
                "[QuietArguments]\r\nfbsetup.exe=/fb\r\nibsetup.exe=/ib\r\ntoolsetup.exe=/tool\r\n");
    const std::wstring files = folder + L"FILES\\";
    for (const wchar_t* data : {L"INSTALLED APPLIC\\EveryKind.exe", L"INSTALLED APPLIC\\b.dll",
                                L"INSTALLED APPLIC\\a.dll", L"INSTALLED APPLIC\\c.ocx", L"INSTALLED APPLIC\\data.dat",
                                L"COMMON APPLIC\\user.ini", L"WINDOWS\\native.cfg",
                                L"DATABASE SERVERS\\FB25\\BIN\\fb.conf", L"DATABASE SERVERS\\FB15\\BIN\\fb.conf",
                                L"THIRED PARTY APP\\TOOLS\\BIN\\tool.cfg"})
        PutFile(files + data, ToUtf8(data));
    auto program = [&](const std::wstring& relative, const std::wstring& original) {
        if (original.empty()) {
            PutFile(files + relative, ToUtf8(relative));
            return;
        }
        if (!ForceDirectories(ExtractFilePath(files + relative)) ||
            !CopyFileW(original.c_str(), (files + relative).c_str(), FALSE))
            throw std::runtime_error("cannot copy " + ToUtf8(original));
    };
    program(L"INSTALLED APPLIC\\uninstall.exe", uninstaller);
    for (const wchar_t* setup : {L"DATABASE SERVERS\\FB25\\Setup\\fbsetup.exe", L"DATABASE SERVERS\\FB15\\Setup\\fbsetup.exe",
                                 L"DATABASE SERVERS\\IB\\Setup\\ibsetup.exe",
                                 L"THIRED PARTY APP\\TOOLS\\Tool Setup\\toolsetup.exe",
                                 L"THIRED PARTY APP\\TOOLS XP\\Tool Setup\\toolsetup.exe"})
        program(setup, setupProgram);
}

}  // namespace orvelin::test
