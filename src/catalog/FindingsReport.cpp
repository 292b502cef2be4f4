#include "catalog/FindingsReport.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

namespace orvelin {

namespace {

long Count(const std::vector<Finding>& findings, FindingClass kind) {
    return std::count_if(findings.begin(), findings.end(), [kind](const Finding& f) { return f.Class() == kind; });
}

std::wstring Counted(long count, const wchar_t* noun) {
    return std::to_wstring(count) + L" " + noun + (count == 1 ? L"" : L"s");
}

std::wstring JsonString(const std::wstring& text) {
    std::wstring json = L"\"";
    for (const wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            json += L'\\';
            json += c;
        } else if (c < 0x20) {
            wchar_t escaped[8];
            std::swprintf(escaped, std::size(escaped), L"\\u%04x", static_cast<unsigned>(c));
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + L"\"";
}

}  // namespace

CatalogExitCode CheckExitCode(const std::vector<Finding>& findings) {
    if (HasErrors(findings)) return kCatalogErrors;
    return findings.empty() ? kCatalogClean : kCatalogWarnings;
}

std::wstring FindingsText(const std::vector<Finding>& findings) {
    std::wstring text;
    for (const auto& finding : findings) text += FindingText(finding) + L"\r\n";
    return text + Counted(Count(findings, FindingClass::Error), L"error") + L", " +
           Counted(Count(findings, FindingClass::Warning), L"warning") + L"\r\n";
}

std::wstring FindingsJson(const std::vector<Finding>& findings) {
    std::wstring json = L"{\"errors\": " + std::to_wstring(Count(findings, FindingClass::Error)) +
                        L", \"warnings\": " + std::to_wstring(Count(findings, FindingClass::Warning)) +
                        L", \"findings\": [";
    for (size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        json += (i == 0 ? L"\r\n  {" : L",\r\n  {");
        json += L"\"class\": " + JsonString(f.Class() == FindingClass::Error ? L"error" : L"warning");
        json += L", \"code\": " + JsonString(std::wstring(CodeOf(f.kind)));
        json += L", \"packet\": " + JsonString(f.packet) + L", \"record\": " + JsonString(f.record);
        json += L", \"problem\": " + JsonString(f.problem) + L", \"fix\": " + JsonString(f.fix);
        json += L", \"windows\": " + JsonString(f.windows) + L"}";
    }
    return json + (findings.empty() ? L"]}\r\n" : L"\r\n]}\r\n");
}

}  // namespace orvelin
