#include "installer/SetupPrograms.h"

#include <cstdlib>

#include "installer/CatalogueCodes.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

constexpr const wchar_t* RunQuestion =
    L"DB Server should run only on the server, not on the clients. If already installed on the server, no need "
    L"to reinstall it (If single user the PC is considered the server). Do you want to run the DB server "
    L"installation?";

// "FIREBIRD25" is announced as "FIREBIRD": the digits only tell versions apart.
std::wstring WithoutTrailingDigits(std::wstring text) {
    while (!text.empty() && text.back() >= L'0' && text.back() <= L'9') text.pop_back();
    return text;
}

}  // namespace

SetupPrograms::SetupPrograms(InstallCatalogue& catalogue, CopyEngine& copyEngine, InstallView& view, RunLog& log,
                             const WindowsPlatform& windows, const Translator& translate,
                             const SetupSettings* quietArguments)
    : catalogue_(catalogue),
      copyEngine_(copyEngine),
      view_(view),
      log_(log),
      windows_(windows),
      translate_(translate),
      unattended_(quietArguments) {}

void SetupPrograms::InstallDbServers(const std::wstring& categoryFolder, int databaseIndex) {
    if (databaseIndex == 0) {
        view_.ShowMessage(L"Firebird server will be used since no server was selected");
        view_.SelectDatabase(kFirebirdIndex);
        databaseIndex = kFirebirdIndex;
    }
    DataPacketTable& locations = catalogue_.locations;
    for (locations.First(); !locations.Eof(); locations.Next()) {
        const int function = locations.AsInteger(L"FUNCTION_ID");
        if (std::abs(function) != databaseIndex) continue;
        // Only one location serves: the chosen server's for the running Windows generation.
        if (SuitsWindows(function, windows_)) {
            ProcessLocationFolders(categoryFolder, RunCodeFor(windows_), Category::DatabaseServers);
            return;
        }
    }
}

void SetupPrograms::InstallThirdPartyPrograms(const std::wstring& categoryFolder) {
    DataPacketTable& locations = catalogue_.locations;
    for (locations.First(); !locations.Eof(); locations.Next()) {
        if (SuitsWindows(locations.AsInteger(L"FUNCTION_ID"), windows_))
            ProcessLocationFolders(categoryFolder, RunCodeFor(windows_), Category::ThirdParty);
    }
}

void SetupPrograms::ProcessLocationFolders(const std::wstring& categoryFolder, int runCode, Category category) {
    const std::wstring locationTitle = catalogue_.locations.AsText(L"TITLE");
    DataPacketTable& folders = catalogue_.folders;
    for (folders.First(); !folders.Eof(); folders.Next()) {
        const int action = folders.AsInteger(L"FUNCTION_ID");
        const std::wstring title = folders.AsText(L"TITLE");
        const std::wstring sourceFolder = categoryFolder + L"\\" + locationTitle + L"\\" + title;
        if (action == kCopyFolderAction) {
            // A title in capitals names a folder already installed into; any other is a path.
            const std::wstring destination = HasNoLowercase(title) ? copyEngine_.UsedFolderEndingWith(title) : title;
            copyEngine_.CopyNodeFiles(sourceFolder, destination, kFolderLevel, folders.AsInteger(L"DETAIL_ID"));
        } else if (action == runCode) {
            const std::wstring name = category == Category::DatabaseServers ? WithoutTrailingDigits(locationTitle) : title;
            view_.ShowMessage(L"Installer will run the setup program for: " + name);
            if (view_.Ask(Question::RunSetupProgram, RunQuestion)) RunFolderPrograms(sourceFolder, kFolderLevel, folders.AsInteger(L"DETAIL_ID"));
        }
    }
}

void SetupPrograms::RunFolderPrograms(const std::wstring& runFolder, int level, int parentId) {
    DataPacketTable& files = catalogue_.files;
    catalogue_.SelectNodeFiles(level, parentId);
    const int description = files.FieldIndex(L"DESCRIPTION");
    for (; !files.Eof(); files.Next()) {
        const std::wstring program = runFolder + L"\\" + std::wstring(files.AsTextView(description));
        std::wstring arguments;
        if (unattended_) {
            if (const auto quiet = unattended_->QuietArgumentsOf(program))
                arguments = *quiet;
            else
                log_.Write(L"No [QuietArguments] entry for " + ExtractFileName(program) +
                           L": started as in a window run, it may wait for a person");
        }
        log_.Write(L"Setup program started: " + program + (arguments.empty() ? L"" : L" " + arguments));
        const ProgramRun run = RunAndWait(program, arguments, view_.Owner(), [this] { return view_.ProcessMessages(); });
        if (!run.started) {
            log_.Write(L"Setup program could not be started: " + program);
            view_.ShowMessage(translate_(L"Error starting the application!"));
        } else {
            log_.Write(L"Setup program ended: " + ExtractFileName(program) + L", exit code " +
                       (run.exitCode ? std::to_wstring(*run.exitCode) : std::wstring(L"unknown")));
        }
    }
}

}  // namespace orvelin
