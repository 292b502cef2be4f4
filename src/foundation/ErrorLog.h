#pragma once
// "ClientError.log" in the error-log folder, with one backup generation ".BAK". Read at
// start (the file then bears the backup name), written back at the end.
#include <string>
#include <vector>

#include "platform/TextFile.h"

namespace orvelin {

class ErrorLog {
public:
    static constexpr const wchar_t* HeaderLine1 = L"   Date   \t   Time   \t           Error";
    static constexpr const wchar_t* HeaderLine2 = L"  ------  \t  ------- \t         ---------";

    void Open(const std::wstring& errorLogDir);   // OpenErrorLog
    // SaveErrorLog: writes the lines back and releases them. A failure is swallowed: the
    // program is ending, and the backup taken at start still holds the previous log.
    bool Save() noexcept;

    const std::wstring& FileName() const noexcept { return fileName_; }
    const std::vector<std::wstring>& Lines() const noexcept { return lines_; }

private:
    std::wstring fileName_;
    std::vector<std::wstring> lines_;
    TextEncoding encoding_ = TextEncoding::Ansi;
    bool open_ = false;
};

}  // namespace orvelin
