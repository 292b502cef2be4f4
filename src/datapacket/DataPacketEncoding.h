#pragma once
// Getting a packet file's bytes to the XML parser in an encoding it decodes right.
#include <cstddef>
#include <memory>
#include <string>

#include <pugixml.hpp>

namespace orvelin {

// Bytes allocated the way pugixml allocates, so that the parser can take them over and
// parse them in place.
class PugiBuffer {
public:
    explicit PugiBuffer(size_t size);
    void* Get() const { return data_.get(); }
    size_t Size() const { return size_; }
    // Hands the bytes to their next owner (the parsed document).
    void* Release() { return data_.release(); }

private:
    struct Free {
        void operator()(void* data) const noexcept { pugi::get_memory_deallocation_function()(data); }
    };
    std::unique_ptr<void, Free> data_;
    size_t size_;
};

// The whole file. Throws "Cannot open file "%s". %s" when it cannot be read.
PugiBuffer ReadPacketBytes(const std::wstring& fileName);

// Decides the text encoding as XML prescribes: a byte-order mark, else the declaration's
// "encoding", else UTF-8. UTF-8 is checked to be well formed; a Windows code page
// ("windows-1250" to "windows-1258") is converted here, since pugixml does not know them.
// Any other declared encoding throws Error, as do bytes that are not valid in the encoding.
// Answers the encoding to hand the parser with the (possibly replaced) buffer.
pugi::xml_encoding PreparePacketEncoding(PugiBuffer& buffer, const std::wstring& fileName);

}  // namespace orvelin
