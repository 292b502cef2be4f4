// Both programs' windows, in English and in Arabic, as a user sees them on a display of any
// DPI: the client area the design gives, scaled to the DPI; every control inside it; every
// text inside its control, measured in the control's own font; the tab order and the first
// focused control; the banner's lettering at the display's DPI. The test program runs once at
// the prefix's 96 DPI (window_tests) and once at 144 (window_tests_144dpi), its CTest entries
// saying which in ORVELIN_EXPECTED_DPI. Each case opens its window once: on a display without
// a window manager every window takes Wine about two seconds to show.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <usp10.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "DesignedWindow.h"
#include "foundation/ArabicInterface.h"
#include "platform/FileSystem.h"
#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "support/UiDriver.h"
#include "ui/Banner.h"
#include "ui/WindowLayout.h"

namespace orvelin::test {
namespace {

std::wstring TestBinFolder() { return ExtractFilePath(ModuleFilePath()); }

// The DPI the CTest entry set the display to; none when the program was started by hand.
std::optional<UINT> ExpectedDpi() {
    wchar_t value[16];
    const DWORD length = GetEnvironmentVariableW(L"ORVELIN_EXPECTED_DPI", value, 16);
    if (length == 0 || length >= 16) return std::nullopt;
    return static_cast<UINT>(std::wcstoul(value, nullptr, 10));
}

PixelSize Scaled(SIZE at96Dpi, UINT dpi) { return {ScaleToDpi(at96Dpi.cx, dpi), ScaleToDpi(at96Dpi.cy, dpi)}; }

void ProcessPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64];
    const int length = GetClassNameW(window, name, 64);
    return std::wstring(name, length > 0 ? length : 0);
}

std::wstring TextOf(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
    return text;
}

std::vector<HWND> ControlsOf(HWND dialog) {
    std::vector<HWND> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) controls.push_back(child);
    return controls;
}

std::string Describe(HWND control) {
    return "control " + std::to_string(GetDlgCtrlID(control)) + " \"" + ToUtf8(TextOf(control)) + "\"";
}

// The control's rectangle in the dialog's client area (mirrored windows included).
RECT PlaceIn(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The control's font selected into a device context of it.
class ControlFontDc {
public:
    explicit ControlFontDc(HWND control)
        : dc_(control),
          previous_(SelectObject(dc_.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)))) {}
    ~ControlFontDc() { SelectObject(dc_.Get(), previous_); }
    ControlFontDc(const ControlFontDc&) = delete;
    ControlFontDc& operator=(const ControlFontDc&) = delete;
    HDC Get() const noexcept { return dc_.Get(); }

private:
    WindowDc dc_;
    HGDIOBJ previous_;
};

// The text on one line in the control's font, shaped as the screen shows it (Arabic letters
// joined); a '&' that marks a shortcut key takes no room.
SIZE ShownTextSize(HWND control, const std::wstring& text, bool hotkeyPrefix) {
    const ControlFontDc dc(control);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.Get(), &metrics);
    SCRIPT_STRING_ANALYSIS analysis = nullptr;
    const int length = static_cast<int>(text.size());
    if (FAILED(ScriptStringAnalyse(dc.Get(), text.c_str(), length, length * 3 / 2 + 16, -1,
                                   SSA_GLYPHS | SSA_FALLBACK | (hotkeyPrefix ? SSA_HIDEHOTKEY : 0), 0, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, &analysis)))
        throw std::runtime_error("cannot measure \"" + ToUtf8(text) + "\"");
    const LONG width = ScriptString_pSize(analysis)->cx;
    ScriptStringFree(&analysis);
    return {width, metrics.tmHeight};
}

// The text's width on one line by DrawText's measure, the one a button's ideal size is made of
// (Wine's leaves Arabic letters unjoined).
LONG PlainTextWidth(HWND control, const std::wstring& text) {
    const ControlFontDc dc(control);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    return r.right - r.left;
}

struct Room {
    SIZE needed;
    SIZE available;
};

// What the control's text needs and the room the control gives it; none for a control that
// shows no text of its own.
std::optional<Room> TextRoom(HWND control) {
    const std::wstring text = TextOf(control);
    if (text.empty()) return std::nullopt;
    const std::wstring type = ClassOf(control);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    RECT client;
    GetClientRect(control, &client);
    const SIZE clientSize{client.right, client.bottom};
    if (type == L"Static") {
        const DWORD kind = style & SS_TYPEMASK;
        if (kind != SS_LEFT && kind != SS_CENTER && kind != SS_RIGHT && kind != SS_LEFTNOWORDWRAP) return std::nullopt;
        return Room{ShownTextSize(control, text, !(style & SS_NOPREFIX)), clientSize};
    }
    if (type == L"Edit") {
        RECT format;
        SendMessageW(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        return Room{ShownTextSize(control, text, false), {format.right - format.left, clientSize.cy}};
    }
    if (type == L"Button") {
        // The button's own measure gives what lies around the text (the check box, the edges).
        SIZE ideal{0, 0};
        SendMessageW(control, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
        const LONG around = ideal.cx - PlainTextWidth(control, text);
        return Room{{ShownTextSize(control, text, true).cx + around, ideal.cy}, clientSize};
    }
    return std::nullopt;
}

struct WindowCase {
    const char* name;
    WindowExpectation (*expectation)();
    bool arabic;
};

class ProgramWindowTest : public testing::TestWithParam<WindowCase> {
protected:
    void SetUp() override {
        // As the programs start: the common controls' classes (the progress bar) registered.
        const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
        ASSERT_TRUE(InitCommonControlsEx(&controls));
        expected = GetParam().expectation();
        const std::wstring program = TestBinFolder() + expected.program;
        HMODULE resources = nullptr;
        if (GetParam().arabic) {
            // As the program does under an Arabic locale: its Arabic module, a right-to-left process.
            arabic.emplace(program);
            resources = arabic->ResourceModule();
        } else {
            programFile.Reset(LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
            resources = programFile.Get();
        }
        ASSERT_NE(resources, nullptr) << "no design beside " << ToUtf8(program);
        window.emplace(*expected.design, resources);
        ASSERT_TRUE(window->Open());
        ProcessPendingMessages();
        dpi = WindowDpi(Dialog());
    }

    HWND Dialog() const { return window->Window(); }

    void ExpectClientAreaOfTheDesign() const {
        EXPECT_EQ(ClientAreaSize(Dialog()), Scaled(expected.clientAt96Dpi, dpi));
        EXPECT_EQ(IsLaidOutRightToLeft(Dialog()), GetParam().arabic);
    }

    void ExpectEveryControlInside() const {
        const PixelSize client = ClientAreaSize(Dialog());
        for (const HWND control : ControlsOf(Dialog())) {
            const RECT place = PlaceIn(Dialog(), control);
            EXPECT_TRUE(place.left >= 0 && place.top >= 0 && place.right <= client.width && place.bottom <= client.height)
                << Describe(control) << " lies at (" << place.left << ", " << place.top << ") - (" << place.right
                << ", " << place.bottom << "), outside the client area of " << client;
        }
    }

    void ExpectEveryTextToFit() const {
        int measured = 0;
        for (const HWND control : ControlsOf(Dialog())) {
            const auto room = TextRoom(control);
            if (!room) continue;
            ++measured;
            EXPECT_TRUE(room->needed.cx <= room->available.cx && room->needed.cy <= room->available.cy)
                << Describe(control) << " needs " << room->needed.cx << " x " << room->needed.cy << " pixels, has "
                << room->available.cx << " x " << room->available.cy;
        }
        EXPECT_GE(measured, 6) << "the labels, boxes and buttons";
    }

    // Windows has Tahoma; a prefix without it falls back to a wider font.
    void ExpectTheDesignsFont() const {
        const ControlFontDc dc(Dialog());
        wchar_t face[LF_FACESIZE] = L"";
        GetTextFaceW(dc.Get(), LF_FACESIZE, face);
        EXPECT_EQ(std::wstring(face), L"Tahoma") << "the prefix lacks the dialogs' font (tools/harness.sh gives it)";
    }

    void ExpectTabOrder() const {
        const HWND focused = GetFocus();
        ASSERT_NE(focused, nullptr) << "nothing has the focus";
        std::vector<int> order;
        for (HWND control = focused; control && order.size() < 20;) {
            order.push_back(GetDlgCtrlID(control));
            control = GetNextDlgTabItem(Dialog(), control, FALSE);
            if (control == focused) break;
        }
        EXPECT_EQ(order, expected.tabOrder) << "from the first focused control round to it again";
    }

    // The lettering is drawn at the display's DPI, not small (nor drawn small and stretched).
    void ExpectBannerLetteringAtTheDpi() const {
        const HWND banner = GetDlgItem(Dialog(), expected.bannerId);
        const PixelSize size = ClientAreaSize(banner);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.width, -size.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        const UniqueGdiObject bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        ASSERT_TRUE(dc && bitmap);
        const HGDIOBJ previous = SelectObject(dc.Get(), bitmap.Get());
        const DRAWITEMSTRUCT item{ODT_STATIC, static_cast<UINT>(expected.bannerId), 0, ODA_DRAWENTIRE, 0, banner,
                                  dc.Get(), {0, 0, size.width, size.height}, 0};
        DrawBanner(item);
        GdiFlush();
        SelectObject(dc.Get(), previous);

        // The title is the banner's only white: the height of its capitals, those of a
        // 26-pixel font at 96 DPI.
        const auto* pixels = static_cast<const DWORD*>(bits);
        const auto at = [&](int x, int y) { return pixels[y * size.width + x] & 0xFFFFFF; };
        int top = size.height, bottom = -1;
        for (int y = 0; y < size.height; ++y) {
            for (int x = 0; x < size.width; ++x) {
                if (at(x, y) != 0xFFFFFF) continue;
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        ASSERT_GE(bottom, top) << "no lettering";
        const double capitals = 0.72 * ScaleToDpi(26, dpi);
        EXPECT_NEAR(bottom - top + 1, capitals, capitals * 0.15) << "the title's capitals, in pixels";
        // The gradient runs from corner to corner.
        EXPECT_NE(at(0, 0), at(size.width - 1, size.height - 1));
        EXPECT_NE(at(0, size.height - 1), 0u);
    }

    // Dragged to a monitor of another DPI, the window asks for the design's client area there
    // and takes the place Windows then gives it. (Wine sends neither message: the test does.)
    void ExpectTheDesignAfterAMoveTo(UINT otherDpi) const {
        SIZE asked{0, 0};
        SendMessageW(Dialog(), kGetDpiScaledSizeMessage, otherDpi, reinterpret_cast<LPARAM>(&asked));
        const SIZE frame = WindowSizeForClient(Dialog(), {0, 0}, otherDpi);
        EXPECT_EQ((PixelSize{asked.cx - frame.cx, asked.cy - frame.cy}), Scaled(expected.clientAt96Dpi, otherDpi))
            << "the client area asked for at " << otherDpi << " DPI";

        RECT given{40, 30, 40 + asked.cx, 30 + asked.cy};
        SendMessageW(Dialog(), kDpiChangedMessage, MAKEWPARAM(otherDpi, otherDpi), reinterpret_cast<LPARAM>(&given));
        RECT now;
        GetWindowRect(Dialog(), &now);
        EXPECT_EQ((std::vector<LONG>{now.left, now.top, now.right, now.bottom}),
                  (std::vector<LONG>{given.left, given.top, given.right, given.bottom}));
    }

    WindowExpectation expected;
    UniqueModule programFile;
    std::optional<ArabicInterface> arabic;
    std::optional<DesignedWindow> window;
    UINT dpi = 0;
};

TEST_P(ProgramWindowTest, LooksAsDesignedAtTheDisplaysDpi) {
    if (const auto expectedDpi = ExpectedDpi()) {
        ASSERT_EQ(dpi, *expectedDpi) << "the display's DPI did not take";
    }
    SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
    ExpectClientAreaOfTheDesign();
    ExpectEveryControlInside();
    ExpectEveryTextToFit();
    ExpectTheDesignsFont();
    ExpectTabOrder();
    ExpectBannerLetteringAtTheDpi();
    ExpectTheDesignAfterAMoveTo(dpi == 192 ? 144 : 192);
}

INSTANTIATE_TEST_SUITE_P(BothProgramsBothLanguages, ProgramWindowTest,
                         testing::Values(WindowCase{"installer_english", InstallerWindowExpectation, false},
                                         WindowCase{"installer_arabic", InstallerWindowExpectation, true},
                                         WindowCase{"uninstaller_english", UninstallerWindowExpectation, false},
                                         WindowCase{"uninstaller_arabic", UninstallerWindowExpectation, true}),
                         [](const testing::TestParamInfo<WindowCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvelin::test
