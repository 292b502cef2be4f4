#include "foundation/RunLog.h"

#include <windows.h>

#include <cwchar>

#include "platform/Text.h"

namespace orvelin {

namespace {

std::wstring Stamp(const wchar_t* format) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[32];
    std::swprintf(text, std::size(text), format, now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                  now.wMilliseconds);
    return text;
}

std::wstring OneLine(const std::wstring& text) {
    std::wstring line;
    line.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c != L'\r' && c != L'\n') {
            line += c;
            continue;
        }
        // CR LF and LF CR are one break.
        if (i + 1 < text.size() && (text[i + 1] == L'\r' || text[i + 1] == L'\n') && text[i + 1] != c) ++i;
        line += L" | ";
    }
    return line;
}

}  // namespace

RunLog::RunLog(std::wstring path) : path_(std::move(path)), file_(path_, FILE_SHARE_READ) { file_.Write("\xEF\xBB\xBF"); }

void RunLog::Write(const std::wstring& text) {
    file_.Write(ToUtf8(Stamp(L"%04u-%02u-%02u %02u:%02u:%02u.%03u  ") + OneLine(text) + L"\r\n"));
}

bool RunLog::CopyTo(const std::wstring& path) const { return CopyFileW(path_.c_str(), path.c_str(), FALSE) != FALSE; }

std::wstring DefaultLogPath(const std::wstring& tempFolder, const std::wstring& program, const std::wstring& guid) {
    const std::wstring when = Stamp(L"%04u%02u%02u_%02u%02u%02u");
    return tempFolder + program + (guid.empty() ? L"" : L"_" + guid) + L"_" + when.substr(0, 15) + L"_" +
           std::to_wstring(GetCurrentProcessId()) + L".log";
}

}  // namespace orvelin
