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

std::optional<std::string> installTmpPath(const std::string& root, const std::string& file) {
    std::string path = root + "/install/tmp/" + file;
    if (path.size() > kPathMax) return std::nullopt;
    return path;
}

}  // namespace trev
