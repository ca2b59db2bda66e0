// form.status as the scripts see it: a 524-byte big-endian record, then
// numSelNames 32-byte product names.  Written from the file format alone, so
// that tests check the production codec instead of restating it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tk {

struct SizeSlot {
    unsigned width = 0, height = 0;
    int32_t sizeSet = 0;
};

class StatusFile {
public:
    static StatusFile load(const std::string& path);  // throws when shorter than the record
    static StatusFile blank();                        // 524 zero bytes

    // Fields by their names: mainMenuAction, platformIndex, installType,
    // infoSource, selProdSort, spare20, spare24, listInstSort, rmInstSort,
    // configChoice, mediaTypeChoice, winX, winY, placedX, placedY, clientOffX,
    // clientOffY, frameExtraW, frameExtraH, positionSet, numSelNames.
    int32_t named(const std::string& field) const { return i32(offsetOf(field)); }
    SizeSlot slot(size_t offset) const;      // offsets 80, 88, ... 256
    std::string emailFile() const;           // up to the first NUL of the 256 bytes
    std::vector<std::string> names() const;  // numSelNames names after the record

    StatusFile& set(const std::string& field, int32_t value) { return put(offsetOf(field), value, 4); }
    StatusFile& setSlot(size_t offset, unsigned width, unsigned height, int32_t sizeSet);
    void save(const std::string& path) const;

private:
    explicit StatusFile(std::string bytes) : bytes_(std::move(bytes)) {}
    static size_t offsetOf(const std::string& field);
    int32_t i32(size_t offset) const { return static_cast<int32_t>(get(offset, 4)); }
    uint32_t get(size_t offset, int size) const;
    StatusFile& put(size_t offset, uint32_t value, int size);
    std::string bytes_;
};

}  // namespace tk
