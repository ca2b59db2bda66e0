#include "StatusFile.h"

#include "TempRoot.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace tk {

namespace {

constexpr size_t kRecordSize = 524, kEmail = 268, kName = 32;

// Up to the first NUL.
std::string cString(const std::string& raw) { return raw.substr(0, raw.find('\0')); }

}  // namespace

StatusFile StatusFile::load(const std::string& path) {
    StatusFile s(readFile(path));
    if (s.bytes_.size() < kRecordSize)
        throw std::runtime_error("form.status holds " + std::to_string(s.bytes_.size()) + " bytes, fewer than a record");
    return s;
}

StatusFile StatusFile::blank() { return StatusFile(std::string(kRecordSize, '\0')); }

// The 4-byte fields at the head of the record, in order; numSelNames after
// the size slots.
size_t StatusFile::offsetOf(const std::string& field) {
    static const char* const head[] = {"mainMenuAction", "platformIndex", "installType", "infoSource", "selProdSort",
                                       "spare20",        "spare24",       "listInstSort", "rmInstSort", "configChoice",
                                       "mediaTypeChoice", "winX",         "winY",         "placedX",    "placedY",
                                       "clientOffX",     "clientOffY",    "frameExtraW",  "frameExtraH", "positionSet"};
    if (field == "numSelNames") return 264;
    const auto it = std::find(std::begin(head), std::end(head), field);
    if (it == std::end(head)) throw std::runtime_error("no status field " + field);
    return 4 * static_cast<size_t>(it - std::begin(head));
}

uint32_t StatusFile::get(size_t o, int size) const {
    uint32_t v = 0;
    for (int i = 0; i < size; ++i) v = v << 8 | static_cast<unsigned char>(bytes_.at(o + static_cast<size_t>(i)));
    return v;
}

StatusFile& StatusFile::put(size_t o, uint32_t v, int size) {
    for (int i = size - 1; i >= 0; --i, v >>= 8) bytes_.at(o + static_cast<size_t>(i)) = static_cast<char>(v);
    return *this;
}

SizeSlot StatusFile::slot(size_t o) const {
    if (o < 80 || o > 256 || (o - 80) % 8 != 0) throw std::runtime_error("not a size slot offset");
    return {get(o, 2), get(o + 2, 2), i32(o + 4)};
}

StatusFile& StatusFile::setSlot(size_t o, unsigned w, unsigned h, int32_t sizeSet) {
    return put(o, w, 2).put(o + 2, h, 2).put(o + 4, static_cast<uint32_t>(sizeSet), 4);
}

std::string StatusFile::emailFile() const { return cString(bytes_.substr(kEmail, 256)); }

std::vector<std::string> StatusFile::names() const {
    std::vector<std::string> out;
    for (int32_t i = 0; i < named("numSelNames"); ++i) {
        const size_t at = kRecordSize + static_cast<size_t>(i) * kName;
        if (at + kName > bytes_.size()) throw std::runtime_error("form.status ends inside the names");
        out.push_back(cString(bytes_.substr(at, kName)));
    }
    return out;
}

void StatusFile::save(const std::string& path) const { writeFile(path, bytes_); }

}  // namespace tk
