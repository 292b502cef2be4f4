#pragma once
// What the install run needs from the installer window beyond any run's needs, and what the
// user chose in it before pressing Install.
#include <optional>
#include <string>

#include "ui/RunView.h"

namespace orvelin {

// Items of the database-server choice, by index.
inline constexpr const wchar_t* kDatabaseChoices[] = {L"Select a databses", L"FIREBIRD", L"INTERBASE",
                                                      L"ORACLE", L"MYSQL", L"MSQ"};
// The one server the installer supports.
inline constexpr int kFirebirdIndex = 1;

struct InstallChoices {
    std::wstring shortcutName;
    bool addDesktopShortcut = true;
    // The database-server choice when the window offers one: the item's index, -1 for none.
    std::optional<int> database;
};

class InstallView : public RunView {
public:
    // The run puts another server into the database-server choice.
    virtual void SelectDatabase(int index) = 0;
};

}  // namespace orvelin
