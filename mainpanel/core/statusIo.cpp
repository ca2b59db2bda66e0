#include "statusIo.h"

#include "fileUtils.h"

namespace trev {

bool readStatusRecord(std::FILE* f, FormStatusRec& rec) {
    StatusBytes bytes;
    if (std::fseek(f, 0, SEEK_SET) != 0) return false;
    if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) return false;
    rec = decodeStatus(bytes);
    return true;
}

bool writeStatusRecord(std::FILE* f, const FormStatusRec& rec) {
    const StatusBytes bytes = encodeStatus(rec);
    if (std::fseek(f, 0, SEEK_SET) != 0) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) return false;
    return std::fflush(f) == 0;
}

bool writeSelectedNames(std::FILE* f, const std::vector<std::uint8_t>& tail) {
    if (std::fseek(f, static_cast<long>(kStatusRecordSize), SEEK_SET) != 0) return false;
    if (std::fwrite(tail.data(), 1, tail.size(), f) != tail.size()) return false;
    return std::fflush(f) == 0;
}

bool writeAtCurrent(std::FILE* f, const std::string& text) {
    // A stream open for update must be positioned between a read and a write.
    if (std::fseek(f, 0, SEEK_CUR) != 0) return false;
    if (std::fputs(text.c_str(), f) == EOF) return false;
    return std::fflush(f) == 0;
}

std::optional<std::vector<std::string>> readSelectedNames(std::FILE* f, std::int32_t count) {
    if (count <= 0 || std::fseek(f, static_cast<long>(kStatusRecordSize), SEEK_SET) != 0)
        return std::nullopt;
    // Slot by slot: a damaged count must not decide how much is allocated.
    std::vector<std::string> names;
    for (std::int32_t i = 0; i < count; ++i) {
        std::uint8_t slot[kSelNameSize];
        if (std::fread(slot, 1, sizeof slot, f) != sizeof slot) return std::nullopt;
        names.push_back(decodeSelectedNames(slot, sizeof slot, 1).front());
    }
    return names;
}

std::optional<std::string> installTmpPath(const std::string& root, const std::string& file) {
    std::string path = root + "/install/tmp/" + file;
    if (path.size() > kPathMax) return std::nullopt;
    return path;
}

}  // namespace trev
