#include "datapacket/DataPacketSelection.h"

#include "platform/Error.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

class SelectionScanner {
public:
    explicit SelectionScanner(std::wstring_view text) : text_(text) {}

    void SkipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == L' ') ++pos_;
    }
    bool AtEnd() {
        SkipBlanks();
        return pos_ == text_.size();
    }
    std::wstring_view Name() {
        SkipBlanks();
        const size_t start = pos_;
        while (pos_ < text_.size() && IsNameChar(text_[pos_])) ++pos_;
        return text_.substr(start, pos_ - start);
    }
    bool Symbol(wchar_t symbol) {
        SkipBlanks();
        if (pos_ == text_.size() || text_[pos_] != symbol) return false;
        ++pos_;
        return true;
    }
    bool Integer(int& value) {
        SkipBlanks();
        const size_t start = pos_;
        if (pos_ < text_.size() && (text_[pos_] == L'-' || text_[pos_] == L'+')) ++pos_;
        while (pos_ < text_.size() && text_[pos_] >= L'0' && text_[pos_] <= L'9') ++pos_;
        const std::optional<int> parsed = ParseInteger(text_.substr(start, pos_ - start));
        if (parsed) value = *parsed;
        return parsed.has_value();
    }

private:
    static bool IsNameChar(wchar_t c) {
        return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'_';
    }

    std::wstring_view text_;
    size_t pos_ = 0;
};

[[noreturn]] void NotUnderstood(std::wstring_view text) {
    throw Error(Substitute(L"Selection \"%s\" is not understood; expected \"<field> = <integer> and <field> = <integer>\"",
                           {text}));
}

int IntegerField(std::wstring_view text, std::wstring_view name, const std::vector<FieldDef>& fields) {
    const int field = FieldIndexOrThrow(fields, name);
    if (!IsIntegerType(fields[field].type))
        throw Error(Substitute(L"Selection \"%s\": field '%s' is not an integer field", {text, name}));
    return field;
}

}  // namespace

std::optional<SelectionCondition> ParseSelection(std::wstring_view text, const std::vector<FieldDef>& fields) {
    SelectionScanner scan(text);
    if (scan.AtEnd()) return std::nullopt;

    const std::wstring_view firstName = scan.Name();
    int firstValue = 0;
    if (firstName.empty() || !scan.Symbol(L'=') || !scan.Integer(firstValue)) NotUnderstood(text);
    if (!EqualsIgnoreCase(scan.Name(), L"and")) NotUnderstood(text);
    const std::wstring_view secondName = scan.Name();
    int secondValue = 0;
    if (secondName.empty() || !scan.Symbol(L'=') || !scan.Integer(secondValue) || !scan.AtEnd()) NotUnderstood(text);

    return SelectionCondition{IntegerField(text, firstName, fields), firstValue, IntegerField(text, secondName, fields),
                              secondValue};
}

}  // namespace orvelin
