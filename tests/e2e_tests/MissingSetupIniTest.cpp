// Without setup.ini beside it, either program says so and ends by itself.
#include <gtest/gtest.h>

#include "SampleProduct.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace orvelin::test {
namespace {

struct ProgramCase {
    const wchar_t* program;       // in the setup folder
    const wchar_t* caption;       // message boxes bear the program's name
};

class MissingSetupIniTest : public testing::TestWithParam<ProgramCase> {};

TEST_P(MissingSetupIniTest, SaysSoAndEndsWithoutTheUser) {
    SampleSetupCopy setup;
    ASSERT_TRUE(DeleteFileW((setup / L"setup.ini").c_str()));
    const std::wstring program = setup / GetParam().program;

    ChildProcess started(program, ExtractFilePath(program));
    const MessageBoxView box = NextMessage(started);
    EXPECT_EQ(ToUtf8(box.text), ToUtf8(text::SetupIniMissing));
    EXPECT_EQ(box.caption, GetParam().caption);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    Answer(box, IDOK);
    EXPECT_TRUE(started.WaitForExit().has_value()) << "the program is still running";
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, MissingSetupIniTest,
                         testing::Values(ProgramCase{L"install.exe", L"install"},
                                         // uninstall.exe as shipped, beside the application
                                         ProgramCase{L"FILES\\INSTALLED APPLIC\\uninstall.exe", L"uninstall"}),
                         [](const testing::TestParamInfo<ProgramCase>& info) {
                             return std::string(info.index == 0 ? "install" : "uninstall");
                         });

}  // namespace
}  // namespace orvelin::test
