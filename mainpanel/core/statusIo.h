// Reading and writing form.status: the record at offset 0, and after the
// Load Products form the selected product names right after it.  The file
// is never truncated; readers go by numSelNames.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "statusRecord.h"

namespace trev {

// Reads the record from the start of `f`.  Returns true only when all 524
// bytes were there; `rec` is left untouched otherwise.
bool readStatusRecord(std::FILE* f, FormStatusRec& rec);

// Writes the record at offset 0 and flushes.  Returns false when any step
// fails (errno says why).
bool writeStatusRecord(std::FILE* f, const FormStatusRec& rec);

// Writes the selected-names tail (encodeSelectedNames) right after the
// record and flushes.  Returns false when any step fails.
bool writeSelectedNames(std::FILE* f, const std::vector<std::uint8_t>& tail);

// Writes `text` at the stream's current position (right after the record,
// or after the names read) and flushes: the Load Products form's selected
// product lines also follow the record there, until the record and the
// names are written over them.
bool writeAtCurrent(std::FILE* f, const std::string& text);

// Reads `count` names from right after the record; nothing when fewer can
// be read whole.
std::optional<std::vector<std::string>> readSelectedNames(std::FILE* f, std::int32_t count);

// "<root>/install/tmp/<file>", or nothing when it would be longer than a
// path may be (511 characters).
std::optional<std::string> installTmpPath(const std::string& root, const std::string& file);

}  // namespace trev
