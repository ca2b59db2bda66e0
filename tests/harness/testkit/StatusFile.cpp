#include "StatusFile.h"

#include "TempRoot.h"

#include <map>
#include <stdexcept>

namespace tk {

namespace {

const std::map<std::string, size_t>& fieldTable() {
    static const std::map<std::string, size_t> t = {
        {"mainMenuAction", 0},  {"platformIndex", 4}, {"installType", 8},      {"infoSource", 12},
        {"selProdSort", 16},    {"spare20", 20},      {"spare24", 24},         {"listInstSort", 28},
        {"rmInstSort", 32},     {"configChoice", 36}, {"mediaTypeChoice", 40}, {"winX", 44},
        {"winY", 48},           {"placedX", 52},      {"placedY", 56},         {"clientOffX", 60},
        {"clientOffY", 64},     {"frameExtraW", 68},  {"frameExtraH", 72},     {"positionSet", 76},
        {"numSelNames", 264},
    };
    return t;
}

}  // namespace

StatusFile StatusFile::load(const std::string& path) { return fromBytes(readFile(path)); }

StatusFile StatusFile::blank() { return fromBytes(std::string(kRecordSize, '\0')); }

StatusFile StatusFile::fromBytes(const std::string& bytes) {
    if (bytes.size() < kRecordSize)
        throw std::runtime_error("form.status holds " + std::to_string(bytes.size()) + " bytes, fewer than a record");
    StatusFile s;
    s.bytes_ = bytes;
    return s;
}

int32_t StatusFile::i32(size_t o) const {
    auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(bytes_.at(o + i))); };
    return static_cast<int32_t>(b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3));
}

unsigned StatusFile::u16(size_t o) const {
    return static_cast<unsigned>(static_cast<unsigned char>(bytes_.at(o))) << 8 |
           static_cast<unsigned char>(bytes_.at(o + 1));
}

size_t StatusFile::offsetOf(const std::string& field) {
    auto it = fieldTable().find(field);
    if (it == fieldTable().end()) throw std::runtime_error("no status field " + field);
    return it->second;
}

int32_t StatusFile::named(const std::string& field) const { return i32(offsetOf(field)); }

SizeSlot StatusFile::slot(size_t o) const {
    if (o < 80 || o > 256 || (o - 80) % 8 != 0) throw std::runtime_error("not a size slot offset");
    return {u16(o), u16(o + 2), i32(o + 4)};
}

std::string StatusFile::emailFile() const {
    std::string raw = bytes_.substr(268, 256);
    return raw.substr(0, raw.find('\0'));
}

std::vector<std::string> StatusFile::names() const {
    std::vector<std::string> out;
    int32_t n = named("numSelNames");
    for (int32_t i = 0; i < n; ++i) {
        size_t at = kRecordSize + static_cast<size_t>(i) * 32;
        if (at + 32 > bytes_.size()) throw std::runtime_error("form.status ends inside the names");
        std::string raw = bytes_.substr(at, 32);
        out.push_back(raw.substr(0, raw.find('\0')));
    }
    return out;
}

StatusFile& StatusFile::set(size_t o, int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) bytes_.at(o + static_cast<size_t>(i)) = static_cast<char>(u >> (24 - 8 * i));
    return *this;
}

StatusFile& StatusFile::setU16(size_t o, unsigned v) {
    bytes_.at(o) = static_cast<char>(v >> 8);
    bytes_.at(o + 1) = static_cast<char>(v);
    return *this;
}

StatusFile& StatusFile::setSlot(size_t o, unsigned w, unsigned h, int32_t sizeSet) {
    setU16(o, w);
    setU16(o + 2, h);
    return set(o + 4, sizeSet);
}

StatusFile& StatusFile::setEmail(const std::string& path) {
    if (path.size() > 255) throw std::runtime_error("emailFile holds at most 255 characters");
    std::string field = path;
    field.resize(256, '\0');
    bytes_.replace(268, 256, field);
    return *this;
}

StatusFile& StatusFile::appendName(const std::string& name) {
    if (name.size() > 31) throw std::runtime_error("names hold at most 31 characters");
    std::string slot = name;
    slot.resize(32, '\0');
    bytes_ += slot;
    return *this;
}

void StatusFile::save(const std::string& path) const { writeFile(path, bytes_); }

}  // namespace tk
