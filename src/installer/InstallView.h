#pragma once
// What the install run needs from the installer window beyond any run's needs: the values of
// its boxes, which the user may have changed, and closing it at the end.
#include <string>

#include "shared/RunView.h"

namespace orvelin {

class InstallView : public RunView {
public:
    virtual std::wstring GuidId() const = 0;            // edGuidId
    virtual std::wstring DisplayName() const = 0;       // edDisplayName
    virtual std::wstring ShortcutName() const = 0;      // edDskTopShortCutName
    virtual bool AddShortcut() const = 0;               // cbAddShortCut
    virtual bool DatabaseChoiceShown() const = 0;       // cbSelectDb visible
    virtual int DatabaseIndex() const = 0;              // cbSelectDb item index, -1 for none
    virtual void SelectDatabase(int index) = 0;
    virtual void CloseWindow() = 0;                     // the main window closing ends the program
};

// Items of the database-server choice, by index.
inline constexpr const wchar_t* kDatabaseChoices[] = {L"Select a databses", L"FIREBIRD", L"INTERBASE",
                                                      L"ORACLE", L"MYSQL", L"MSQ"};
// The one server the installer supports.
inline constexpr int kFirebirdIndex = 1;

}  // namespace orvelin
