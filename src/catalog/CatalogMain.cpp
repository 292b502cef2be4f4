// catalog.exe: prepares and checks setup folders (check, build, show) from the console.
#include <windows.h>

#include <string>
#include <vector>

#include "catalog/CatalogCommand.h"
#include "catalog/ConsoleOutput.h"

int wmain(int argc, wchar_t* argv[]) {
    const std::vector<std::wstring> arguments(argv + 1, argv + argc);
    const orvelin::CommandResult result = orvelin::RunCatalogCommand(arguments);
    orvelin::WriteStandard(STD_OUTPUT_HANDLE, result.output);
    orvelin::WriteStandard(STD_ERROR_HANDLE, result.errors);
    return result.exitCode;
}
