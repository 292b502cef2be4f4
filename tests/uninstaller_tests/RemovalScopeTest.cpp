// Which listed paths an uninstall may delete, told from where they are and how they are spelt.
#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <vector>

#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Text.h"
#include "support/TempFolder.h"
#include "uninstaller/RemovalScope.h"

using namespace orvelin;
using namespace orvelin::test;

namespace {

using Place = RemovalScope::Place;

// The product's folders, in a scratch folder of their own.
class RemovalScopeTest : public testing::Test {
protected:
    std::wstring Root() const { return ExcludeTrailing(machine.Path()); }
    static std::wstring ExcludeTrailing(const std::wstring& path) { return path.substr(0, path.size() - 1); }

    RemovalScope Scope() const {
        return RemovalScope({{Root() + L"\\Program Files\\ORVELIN\\APP", Root() + L"\\ProgramData\\ORVELIN\\APP"},
                             Root() + L"\\Programs\\ORVELIN\\App Suite",
                             Root() + L"\\Desktop",
                             Root() + L"\\ProgramData\\ORVELIN\\install\\{G}"});
    }

    TempFolder machine;
};

struct PlaceCase {
    const char* name;
    const wchar_t* path;   // below the scratch folder
    Place place;
};

void PrintTo(const PlaceCase& c, std::ostream* out) { *out << c.name; }

class PlaceTest : public RemovalScopeTest, public testing::WithParamInterface<PlaceCase> {};

TEST_P(PlaceTest, EachListedPathHasItsPlace) {
    EXPECT_EQ(Scope().Classify(Root() + GetParam().path), GetParam().place);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PlaceTest,
    testing::Values(
        PlaceCase{"ProgramFile", L"\\Program Files\\ORVELIN\\APP\\App.exe", Place::Application},
        PlaceCase{"DataFileDeeper", L"\\ProgramData\\ORVELIN\\APP\\DATA\\Reports\\a.rpt", Place::Application},
        PlaceCase{"DoubledBackslash", L"\\Program Files\\ORVELIN\\APP\\\\App.exe", Place::Application},
        PlaceCase{"CapitalsDiffer", L"\\program files\\orvelin\\app\\App.exe", Place::Application},
        PlaceCase{"TheBaseFolderItself", L"\\Program Files\\ORVELIN\\APP", Place::Outside},
        PlaceCase{"ASiblingSharingThePrefix", L"\\Program Files\\ORVELIN\\APP2\\App.exe", Place::Outside},
        PlaceCase{"TheCompanyFolder", L"\\Program Files\\ORVELIN\\shared.dll", Place::Outside},
        PlaceCase{"ClimbingOut", L"\\Program Files\\ORVELIN\\APP\\..\\..\\..\\Windows\\win.ini", Place::Outside},
        PlaceCase{"ClimbingWithin", L"\\Program Files\\ORVELIN\\APP\\BIN\\..\\App.exe", Place::Outside},
        PlaceCase{"ProgramShortcut", L"\\Programs\\ORVELIN\\App Suite\\App.LNK", Place::ProgramGroup},
        PlaceCase{"BelowTheProgramGroup", L"\\Programs\\ORVELIN\\App Suite\\Tools\\Tool.LNK", Place::Outside},
        PlaceCase{"TheCompanysGroup", L"\\Programs\\ORVELIN\\Other Suite.LNK", Place::Outside},
        PlaceCase{"DesktopShortcut", L"\\Desktop\\App.lnk", Place::Desktop},
        PlaceCase{"DesktopOtherFile", L"\\Desktop\\Budget.xlsx", Place::Outside},
        PlaceCase{"UninstallFoldersSetupIni", L"\\ProgramData\\ORVELIN\\install\\{G}\\Setup.ini", Place::UninstallFolder},
        PlaceCase{"AnotherProductsRecord", L"\\ProgramData\\ORVELIN\\install\\{H}\\Setup.ini", Place::Outside},
        PlaceCase{"AnywhereElse", L"\\victim\\important.txt", Place::Outside},
        PlaceCase{"ALinkAnywhereElse", L"\\victim\\nothing-here.lnk", Place::Outside}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RemovalScopeTest, AnotherDrivesPathIsOutside) {
    EXPECT_EQ(Scope().Classify(L"Z:\\Program Files\\ORVELIN\\APP\\App.exe"), Place::Outside);
}

// A junction (a mount point) at `link`, an empty folder made for it, leading to `target`.
bool MakeJunction(const std::wstring& link, const std::wstring& target) {
    if (!CreateDirectoryW(link.c_str(), nullptr)) return false;
    const UniqueFile folder(CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!folder) return false;
    const std::wstring substitute = L"\\??\\" + target;
    // REPARSE_DATA_BUFFER's mount-point form: header, four offsets, then both names.
    std::vector<BYTE> buffer(8 + 8 + (substitute.size() + 1 + target.size() + 1) * sizeof(wchar_t));
    auto put16 = [&](size_t at, size_t value) { *reinterpret_cast<WORD*>(&buffer[at]) = static_cast<WORD>(value); };
    *reinterpret_cast<DWORD*>(&buffer[0]) = IO_REPARSE_TAG_MOUNT_POINT;
    put16(4, buffer.size() - 8);
    put16(8, 0);
    put16(10, substitute.size() * sizeof(wchar_t));
    put16(12, (substitute.size() + 1) * sizeof(wchar_t));
    put16(14, target.size() * sizeof(wchar_t));
    memcpy(&buffer[16], substitute.c_str(), (substitute.size() + 1) * sizeof(wchar_t));
    memcpy(&buffer[16 + (substitute.size() + 1) * sizeof(wchar_t)], target.c_str(), (target.size() + 1) * sizeof(wchar_t));
    DWORD returned = 0;
    return DeviceIoControl(folder.Get(), FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                           nullptr, 0, &returned, nullptr) != FALSE;
}

struct LinkCase {
    const char* name;
    const wchar_t* link;   // made a link to a folder outside, below the scratch folder
    const wchar_t* path;   // then classified
};

void PrintTo(const LinkCase& c, std::ostream* out) { *out << c.name; }

class LinkTest : public RemovalScopeTest, public testing::WithParamInterface<LinkCase> {};

// A folder on the way that is a link leads elsewhere: nothing is deleted through it.
TEST_P(LinkTest, NothingIsDeletedThroughALink) {
    const std::wstring victim = Root() + L"\\victim";
    ASSERT_TRUE(ForceDirectories(victim));
    const std::wstring link = Root() + GetParam().link;
    ASSERT_TRUE(ForceDirectories(link.substr(0, link.rfind(L'\\'))));
    if (!MakeJunction(link, victim) || !IsReparsePoint(link))
        GTEST_SKIP() << "this system makes no junctions for this program";

    EXPECT_EQ(Scope().Classify(Root() + GetParam().path), Place::Outside);
    RemoveDirectoryW(link.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Links, LinkTest,
    testing::Values(LinkCase{"BelowTheBaseFolder", L"\\Program Files\\ORVELIN\\APP\\BIN",
                             L"\\Program Files\\ORVELIN\\APP\\BIN\\App.exe"},
                    LinkCase{"TheBaseFolder", L"\\ProgramData\\ORVELIN\\APP", L"\\ProgramData\\ORVELIN\\APP\\a.dat"},
                    LinkCase{"TheProgramGroup", L"\\Programs\\ORVELIN\\App Suite",
                             L"\\Programs\\ORVELIN\\App Suite\\App.LNK"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
