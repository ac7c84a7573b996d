#include "catalog/DataFile.h"

bool DataFile::ReadAll(std::vector<std::uint8_t>& bytes) {
    std::uint32_t size = Size();
    if (handle_ == kNoHandle)
        return false;
    bytes.resize(size);
    size_t read = 0;
    if (!Read(bytes.data(), bytes.size(), read))
        return false;
    bytes.resize(read);
    return true;
}
