#pragma once
// The layout of a dialog design (DLGTEMPLATEEX) as a module's resources hold it: enough to
// tell whether two designs place the same controls in the same places.
#include <windows.h>

#include <string>
#include <vector>

namespace orvelin::test {

struct DialogItem {
    DWORD id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring windowClass;   // name, or "#" and the predefined class's number
    std::wstring text;
    bool operator==(const DialogItem&) const = default;
};

struct DialogDesign {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring caption;
    std::wstring font;
    WORD pointSize = 0;
    std::vector<DialogItem> items;   // in tab order
};

// The design of dialog `id` in the module file, loaded as data. Throws when it has none or
// the design is not an extended template.
DialogDesign LoadDialogDesign(const std::wstring& moduleFile, int id);

}  // namespace orvelin::test
