#include "CacheWarming.h"

#include <windows.h>

#include "platform/FileSystem.h"

namespace orvelin::bench {

void WarmSources(const FileLayout& layout) {
    std::string buffer;
    for (const auto& folder : layout.folders)
        for (const auto& file : folder.files)
            ReadWholeFile(file.source, [&](size_t size) {
                buffer.resize(size);
                return buffer.data();
            });
}

void WarmDestinations(const FileLayout& layout) {
    for (const auto& folder : layout.folders) {
        GetFileAttributesW(folder.path.c_str());
        for (const auto& file : folder.files) GetFileAttributesW(file.destination.c_str());
    }
}

}  // namespace orvelin::bench
