#include "datapacket/DataPacketWriter.h"

#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace orvelin {

namespace {

void AppendEscaped(std::wstring& out, std::wstring_view text) {
    for (const wchar_t c : text) {
        switch (c) {
            case L'<': out += L"&lt;"; break;
            case L'>': out += L"&gt;"; break;
            case L'&': out += L"&amp;"; break;
            case L'\'': out += L"&apos;"; break;
            case L'"': out += L"&quot;"; break;
            case L'\\': out += L"&#092;"; break;
            default:
                if (c < L' ') {
                    const wchar_t digits[] = {L'&', L'#', L'0', static_cast<wchar_t>(L'0' + c / 10),
                                              static_cast<wchar_t>(L'0' + c % 10), L';'};
                    out.append(digits, std::size(digits));
                } else {
                    out += c;
                }
        }
    }
}

// Collects the text and writes it out as UTF-8 in large pieces.
class Utf8FileWriter {
public:
    explicit Utf8FileWriter(const std::wstring& fileName) : file_(fileName) {}

    // Text waiting to be written; append to it freely.
    std::wstring& Buffer() { return text_; }

    // Call between whole pieces of text only, so no surrogate pair is split.
    void FlushIfFull() {
        if (text_.size() >= kChunk) Flush();
    }

    void Flush() {
        file_.Write(ToUtf8(text_));
        text_.clear();
    }

private:
    static constexpr size_t kChunk = 1 << 16;

    FileWriter file_;
    std::wstring text_;
};

}  // namespace

void WriteDataPacket(const std::wstring& fileName, const std::vector<FieldDef>& fields,
                     const DataPacketRecords& records) {
    Utf8FileWriter writer(fileName);
    std::wstring& out = writer.Buffer();
    out += L"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
    out += L"<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>";
    for (const FieldDef& field : fields) {
        out += L"<FIELD attrname=\"";
        AppendEscaped(out, field.name);
        out += L"\" fieldtype=\"";
        out += PacketTypeName(field.type);
        out += L'"';
        if (field.required) out += L" required=\"true\"";
        if (field.type == FieldType::WideText && field.size > 0) out += L" WIDTH=\"" + std::to_wstring(2 * field.size) + L'"';
        out += L"/>";
    }
    out += L"</FIELDS><PARAMS/></METADATA><ROWDATA>\r\n";
    for (int record = 0; record < records.Count(); ++record) {
        out += L"<ROW";
        for (size_t field = 0; field < fields.size(); ++field) {
            const int column = static_cast<int>(field);
            if (records.IsNull(column, record)) continue;
            out += L' ';
            out += fields[field].name;
            out += L"=\"";
            if (fields[field].type == FieldType::WideText)
                AppendEscaped(out, records.Text(column, record));
            else
                out += std::to_wstring(records.Integer(column, record));
            out += L'"';
        }
        out += L"/>\r\n";
        writer.FlushIfFull();
    }
    out += L"</ROWDATA></DATAPACKET>\r\n";
    writer.Flush();
}

}  // namespace orvelin
