// The protected access list of the uninstall folder. Wine keeps no access list a program sets
// (it reads back one made from the Unix permissions), so the list is checked as written.
#include <gtest/gtest.h>
#include <windows.h>


#include <vector>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/FolderSecurity.h"
#include "platform/Handles.h"
#include "support/TempFolder.h"

using namespace orvelin;
using namespace orvelin::test;

namespace {

struct Ace {
    WELL_KNOWN_SID_TYPE who;
    ACCESS_MASK rights;
    bool operator==(const Ace&) const = default;
};

struct Dacl {
    bool isProtected = false;
    std::vector<Ace> allowed;    // in order
    int othersOrInherited = 0;   // any other ACE, or one that came from the folder above
    bool inheritedByAll = true;  // every ACE passes to files and folders below
};

Dacl ReadDacl(PSECURITY_DESCRIPTOR descriptor) {
    PACL acl = nullptr;
    BOOL present = FALSE, defaulted = FALSE;
    EXPECT_TRUE(GetSecurityDescriptorDacl(descriptor, &present, &acl, &defaulted));
    Dacl dacl;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    dacl.isProtected = (control & SE_DACL_PROTECTED) != 0;
    if (!acl) return dacl;
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        void* entry = nullptr;
        GetAce(acl, i, &entry);
        const auto* header = static_cast<ACE_HEADER*>(entry);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERITED_ACE)) {
            ++dacl.othersOrInherited;
            continue;
        }
        if ((header->AceFlags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE)) != (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE))
            dacl.inheritedByAll = false;
        const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
        PSID sid = const_cast<DWORD*>(&allowed->SidStart);
        WELL_KNOWN_SID_TYPE who = WinNullSid;
        for (const WELL_KNOWN_SID_TYPE type : {WinBuiltinAdministratorsSid, WinLocalSystemSid, WinBuiltinUsersSid})
            if (IsWellKnownSid(sid, type)) who = type;
        dacl.allowed.push_back({who, allowed->Mask});
    }
    return dacl;
}

TEST(FolderSecurityTest, OnlyAdministratorsAndTheSystemMayChangeWhatIsInTheFolder) {
    const UniqueLocalMemory descriptor = AdministratorsOnlyDescriptor();

    const Dacl dacl = ReadDacl(descriptor.Get());
    EXPECT_TRUE(dacl.isProtected) << "nothing inherited from the folder above";
    EXPECT_EQ(dacl.othersOrInherited, 0);
    EXPECT_TRUE(dacl.inheritedByAll);
    const std::vector<Ace> expected = {{WinBuiltinAdministratorsSid, FILE_ALL_ACCESS},
                                       {WinLocalSystemSid, FILE_ALL_ACCESS},
                                       {WinBuiltinUsersSid, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE}};
    EXPECT_EQ(dacl.allowed, expected);
}

class ProtectFolderTest : public testing::TestWithParam<bool> {};

// The list is set on a folder made now and on one that was there before, with a file in it.
TEST_P(ProtectFolderTest, IsSetOnNewAndExistingFolders) {
    TempFolder scratch;
    const std::wstring folder = scratch / L"install\\{G}";
    ASSERT_TRUE(ForceDirectories(folder));
    if (GetParam()) PutFile(folder + L"\\Setup.ini", "[Install]\r\n");

    EXPECT_NO_THROW(ProtectFolderForAdministrators(folder));
}

INSTANTIATE_TEST_SUITE_P(Folders, ProtectFolderTest, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "ThereBefore" : "New"; });

TEST(FolderSecurityErrorTest, AMissingFolderIsAnError) {
    TempFolder scratch;
    try {
        ProtectFolderForAdministrators(scratch / L"missing");
        FAIL() << "a missing folder was protected";
    } catch (const Error& e) {
        EXPECT_TRUE(e.Text().starts_with(L"Cannot protect the folder " + (scratch / L"missing") + L". ")) << e.what();
    }
}

}  // namespace
