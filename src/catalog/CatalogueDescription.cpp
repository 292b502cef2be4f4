#include "catalog/CatalogueDescription.h"

#include <algorithm>

#include "catalog/CatalogueVocabulary.h"
#include "installer/CatalogueCodes.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/TextFile.h"

namespace orvelin {

namespace {

struct Line {
    int number = 0;
    std::wstring keyword{};
    std::wstring title{};
    std::vector<std::wstring> settings{};   // the comma-separated items after the colon
};

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring WithoutComment(const std::wstring& text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == L'#' && (i == 0 || IsBlank(text[i - 1]))) return text.substr(0, i);
    return text;
}

std::vector<std::wstring> Items(const std::wstring& text) {
    std::vector<std::wstring> items;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(L',', start), text.size());
        const std::wstring item = Trim(text.substr(start, comma - start));
        if (!item.empty()) items.push_back(item);
        start = comma + 1;
    }
    return items;
}

class Parser {
public:
    explicit Parser(std::wstring fileName) { description_.fileName = std::move(fileName); }

    void Take(const Line& line) {
        const std::wstring& keyword = line.keyword;
        if (EqualsIgnoreCase(keyword, L"application"))
            TakeApplication(line);
        else if (EqualsIgnoreCase(keyword, L"location"))
            TakeLocation(line);
        else if (EqualsIgnoreCase(keyword, L"folder"))
            TakeFolder(line);
        else if (EqualsIgnoreCase(keyword, L"files"))
            TakeOwnFiles(line);
        else
            Fail(line, L"\"" + keyword + L"\" begins no line: lines begin with application, location, folder or files");
    }

    CatalogueDescription Finish() {
        if (description_.applications.empty())
            throw DescriptionError(description_.fileName + L": the description names no application");
        return std::move(description_);
    }

    [[noreturn]] void Fail(int line, const std::wstring& what) const {
        throw DescriptionError(description_.fileName, line, what);
    }
    [[noreturn]] void Fail(const Line& line, const std::wstring& what) const { Fail(line.number, what); }

private:
    void TakeApplication(const Line& line) {
        RequireTitle(line);
        const auto category = line.settings.size() == 1 ? CategoryOfWord(line.settings[0]) : std::nullopt;
        if (!category) Fail(line, L"give one category after the colon: " + CategoryWords());
        description_.applications.push_back({line.number, line.title, *category, {}});
    }

    void TakeLocation(const Line& line) {
        RequireTitle(line);
        if (description_.applications.empty()) Fail(line, L"a location belongs to an application above it");
        const int category = description_.applications.back().category;
        description_.applications.back().locations.push_back(
            {.line = line.number, .title = line.title, .functionId = LocationCode(line, category)});
    }

    int LocationCode(const Line& line, int category) const {
        if (!HasSetupPrograms(category)) {
            const auto kind = line.settings.size() == 1 ? LocationKindOfWord(line.settings[0]) : std::nullopt;
            if (!kind) Fail(line, L"give one base folder after the colon: " + LocationKindWords());
            return *kind;
        }
        std::optional<int> server, sign;
        for (const auto& item : line.settings) {
            if (const auto named = ServerOfWord(item); named && !server)
                server = named;
            else if (const auto generation = GenerationSignOfWord(item); generation && !sign)
                sign = generation;
            else
                Fail(line, L"\"" + item + L"\" is not expected here");
        }
        if (category == kDatabaseServerCategory && !server)
            Fail(line, L"give the database server (" + ServerWords() + L") and the Windows generation (" +
                           GenerationWords() + L")");
        if (category == kThirdPartyCategory && server)
            Fail(line, L"other vendors' programs have no database server: give only the Windows generation");
        if (!sign) Fail(line, L"give the Windows generation: " + GenerationWords());
        return *sign * server.value_or(1);
    }

    void TakeFolder(const Line& line) {
        RequireTitle(line);
        DescribedLocation& location = CurrentLocation(line);
        if (location.ownFiles) Fail(line, L"a location with its own files (a files line) has no folders");
        DescribedFolder folder{line.number, line.title, kCopyFolderAction, line.settings};
        if (HasSetupPrograms(description_.applications.back().category)) {
            const std::wstring action = line.settings.empty() ? L"" : line.settings.front();
            if (EqualsIgnoreCase(action, kRunWord))
                folder.action = location.functionId > 0 ? kVistaRunCode : kXpRunCode;
            else if (!EqualsIgnoreCase(action, kCopyWord))
                Fail(line, L"say first what the folder does: copy (its files) or run (them as setup programs)");
            folder.patterns.erase(folder.patterns.begin());
            if (folder.patterns.empty()) folder.patterns.push_back(L"*");
        }
        location.folders.push_back(std::move(folder));
    }

    void TakeOwnFiles(const Line& line) {
        if (!line.title.empty()) Fail(line, L"a files line has no title: files: PATTERN, ...");
        DescribedLocation& location = CurrentLocation(line);
        if (HasSetupPrograms(description_.applications.back().category))
            Fail(line, L"database servers and other vendors' programs install only their folders' files");
        if (!location.folders.empty() || location.ownFiles)
            Fail(line, L"a location has either folders or one files line");
        location.ownFiles = true;
        location.ownPatterns = line.settings;
    }

    DescribedLocation& CurrentLocation(const Line& line) {
        if (description_.applications.empty() || description_.applications.back().locations.empty())
            Fail(line, L"a " + line.keyword + L" line belongs to a location above it");
        return description_.applications.back().locations.back();
    }

    void RequireTitle(const Line& line) const {
        if (line.title.empty()) Fail(line, L"give the " + line.keyword + L"'s title before the colon");
    }

    CatalogueDescription description_;
};

}  // namespace

CatalogueDescription ParseDescription(const std::wstring& text, const std::wstring& fileName) {
    Parser parser(fileName);
    int number = 0;
    for (const auto& raw : SplitLines(text)) {
        ++number;
        const std::wstring content = Trim(WithoutComment(raw));
        if (content.empty()) continue;
        Line line{.number = number};
        const size_t keywordEnd = std::min(content.find_first_of(L" \t:"), content.size());
        line.keyword = content.substr(0, keywordEnd);
        const std::wstring rest = content.substr(keywordEnd);
        const size_t colon = rest.rfind(L':');
        if (colon == std::wstring::npos) parser.Fail(number, L"expected a colon after the " + line.keyword + L"'s title");
        line.title = Trim(rest.substr(0, colon));
        line.settings = Items(rest.substr(colon + 1));
        parser.Take(line);
    }
    return parser.Finish();
}

CatalogueDescription ReadDescription(const std::wstring& path) {
    std::string bytes = ReadFileBytes(path);
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
    return ParseDescription(FromUtf8(bytes), path);
}

}  // namespace orvelin
