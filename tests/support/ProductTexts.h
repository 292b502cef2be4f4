#pragma once
// The programs' own texts, word for word as a user reads them (misspellings included), stated
// once for every test that expects them.
namespace orvelin::test::text {

inline constexpr const wchar_t* InstallerCaption = L"Orvelin product installer application";
inline constexpr const wchar_t* UninstallerCaption = L"Orvelin product uninstall application";
inline constexpr const wchar_t* SetupIniMissing = L"shutting down: setup.ini file was not found";

// Installer
inline constexpr const wchar_t* ChooseDatabase = L"A database server has to be selected. ";
inline constexpr const wchar_t* OnlyFirebird = L"Currently only Firebird database is supported. It will be used";
inline constexpr const wchar_t* FirebirdByDefault = L"Firebird server will be used since no server was selected";
inline constexpr const wchar_t* AlreadyInstalled = L"The program is already installed";
inline constexpr const wchar_t* CreatingFolders = L"Creating program folders";
inline constexpr const wchar_t* Copying = L"Copying: ";
inline constexpr const wchar_t* SourceNotFound = L"Source file not found: ";
inline constexpr const wchar_t* DestinationNotFound = L"distnation not found: ";
inline constexpr const wchar_t* CopyFailed = L"Error executing copyFile ";
inline constexpr const wchar_t* InstallingThirdParty = L"Installing thired party programs";
inline constexpr const wchar_t* AddingToControlPanel = L"Adding application to windows control panael";
inline constexpr const wchar_t* WillRunSetupFor = L"Installer will run the setup program for: ";
inline constexpr const wchar_t* RunSetupQuestion =
    L"DB Server should run only on the server, not on the clients. If already installed on the server, no need to "
    L"reinstall it (If single user the PC is considered the server). Do you want to run the DB server installation?";
inline constexpr const wchar_t* CannotStartProgram = L"Error starting the application!";
inline constexpr const wchar_t* PathIsBlank = L"The path is blank";
inline constexpr const wchar_t* Installed = L"Program was installed successfully";

// Uninstaller
inline constexpr const wchar_t* UninstallConfirmation =
    L"Application database files and documents will be deleted. If you want to keep them, exit this application "
    L"and have them saved then run this program";
inline constexpr const wchar_t* ApplicationRunning =
    L"The application is running. Quite the application before uninstalling";
inline constexpr const wchar_t* RecordNotFound = L"The installation record of this application was not found";
inline constexpr const wchar_t* DeletingFiles = L"Status: Deleting applicatioin files";
inline constexpr const wchar_t* DeletingDatabase = L"Status: Deleting database files";
inline constexpr const wchar_t* RemovingShortcuts = L"Status: Removing short custs";
inline constexpr const wchar_t* RemovingFromControlPanel = L"Status: Removing from windows control panale";
inline constexpr const wchar_t* FilesNotDeleted =
    L"These installed files could not be deleted, so the program stays installed.";
inline constexpr const wchar_t* Uninstalled = L"Program was uninstalled";

}  // namespace orvelin::test::text
