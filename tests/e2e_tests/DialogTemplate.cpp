#include "DialogTemplate.h"

#include <cstring>
#include <stdexcept>

#include "platform/Handles.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace orvelin::test {

namespace {

// Reads the template's fields in order; every field is WORD-aligned, items DWORD-aligned.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    template <class T>
    T Read() {
        if (offset_ + sizeof(T) > size_) throw std::runtime_error("dialog design ends early");
        T value;
        std::memcpy(&value, data_ + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }
    std::wstring ReadText() {
        std::wstring text;
        for (wchar_t c = Read<wchar_t>(); c != L'\0'; c = Read<wchar_t>()) text += c;
        return text;
    }
    // A name, or 0xFFFF and an ordinal, or nothing.
    std::wstring ReadNameOrOrdinal() {
        const WORD first = Read<WORD>();
        if (first == 0x0000) return {};
        if (first == 0xFFFF) return L"#" + std::to_wstring(Read<WORD>());
        offset_ -= sizeof(WORD);
        return ReadText();
    }
    void AlignToDword() { offset_ = (offset_ + 3) & ~size_t{3}; }
    void Skip(size_t bytes) { offset_ += bytes; }

private:
    const BYTE* data_;
    size_t size_;
    size_t offset_ = 0;
};

}  // namespace

DialogDesign LoadDialogDesign(const std::wstring& moduleFile, int id) {
    const UniqueModule module(LoadLibraryExW(moduleFile.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module) throw std::runtime_error("cannot load " + ToUtf8(moduleFile));
    const HRSRC resource = FindResourceW(module.Get(), MAKEINTRESOURCEW(id), RT_DIALOG);
    const HGLOBAL loaded = resource ? LoadResource(module.Get(), resource) : nullptr;
    if (!loaded) throw std::runtime_error(ToUtf8(moduleFile) + " has no dialog " + std::to_string(id));
    TemplateReader reader(static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module.Get(), resource));

    DialogDesign design;
    if (reader.Read<WORD>() != 1 || reader.Read<WORD>() != 0xFFFF) throw std::runtime_error("not a DLGTEMPLATEEX");
    reader.Read<DWORD>();   // help id
    design.exStyle = reader.Read<DWORD>();
    design.style = reader.Read<DWORD>();
    const WORD count = reader.Read<WORD>();
    design.x = reader.Read<short>();
    design.y = reader.Read<short>();
    design.cx = reader.Read<short>();
    design.cy = reader.Read<short>();
    reader.ReadNameOrOrdinal();   // menu
    reader.ReadNameOrOrdinal();   // class
    design.caption = reader.ReadText();
    if (design.style & (DS_SETFONT | DS_SHELLFONT)) {
        design.pointSize = reader.Read<WORD>();
        reader.Read<WORD>();   // weight
        reader.Read<BYTE>();   // italic
        reader.Read<BYTE>();   // character set
        design.font = reader.ReadText();
    }
    for (WORD i = 0; i < count; ++i) {
        reader.AlignToDword();
        DialogItem item;
        reader.Read<DWORD>();   // help id
        item.exStyle = reader.Read<DWORD>();
        item.style = reader.Read<DWORD>();
        item.x = reader.Read<short>();
        item.y = reader.Read<short>();
        item.cx = reader.Read<short>();
        item.cy = reader.Read<short>();
        item.id = reader.Read<DWORD>();
        item.windowClass = reader.ReadNameOrOrdinal();
        item.text = reader.ReadNameOrOrdinal();
        reader.Skip(reader.Read<WORD>());   // creation data
        design.items.push_back(item);
    }
    return design;
}

}  // namespace orvelin::test
