// The form status record kept at the start of $Proot/install/tmp/form.status.
//
// On disk the record is 524 bytes, all integers big-endian two's complement,
// 16-bit fields unsigned.  In memory it is a plain struct with named fields;
// encodeStatus/decodeStatus move between the two one field at a time, so the
// file format never depends on the host's layout or byte order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trev {

constexpr std::size_t kStatusRecordSize = 524;
constexpr std::size_t kWinSizeSlots = 23;
constexpr std::size_t kWinSizeFirstOffset = 80;
constexpr std::size_t kWinSizeSlotBytes = 8;
constexpr std::size_t kEmailFileSize = 256;     // NUL included: at most 255 characters
constexpr std::size_t kSelNameSize = 32;        // NUL included: at most 31 characters
constexpr std::int32_t kNoChoice = 99;          // a choice field that records nothing

// The forms' window-size slots, each by the byte offset at which it starts
// in the record.  The two load forms share one slot; the install media
// form has one for each medium.
enum class SizeSlot : std::size_t {
    MainMenu = 80,
    Platform = 88,
    InstallType = 96,
    InstallInfo = 104,
    InstallMediaCd = 112,
    InstallMediaTape = 120,
    OnHold = 128,
    LoadProducts = 136,
    DiskSpace = 144,
    LoadDevices = 152,
    MountCd = 160,
    MountTape = 168,
    ListProducts = 176,
    RemoveProducts = 184,
    Configure = 192,
    ConfigureSystem = 200,
    ConfigureUser = 208,
    Test = 216,
    Message = 224,
    ReadFailed = 232,
    SelectMedia = 240,
    MediaRequired = 248,
    WorkOrders = 256,
};

// One form's saved window size.
struct WinSize {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::int32_t sizeSet = 0;   // 1: the user resized this form; restore the size
};

struct FormStatusRec {
    std::int32_t mainMenuAction = 0;
    std::int32_t platformIndex = 0;
    std::int32_t installType = 0;
    std::int32_t infoSource = 0;
    std::int32_t selProdSort = 0;
    std::int32_t spare20 = 0;
    std::int32_t spare24 = 0;
    std::int32_t listInstSort = 0;
    std::int32_t rmInstSort = 0;
    std::int32_t configChoice = 0;
    std::int32_t mediaTypeChoice = 0;
    std::int32_t winX = 0;
    std::int32_t winY = 0;
    std::int32_t placedX = 0;
    std::int32_t placedY = 0;
    std::int32_t clientOffX = 0;
    std::int32_t clientOffY = 0;
    std::int32_t frameExtraW = 0;
    std::int32_t frameExtraH = 0;
    std::int32_t positionSet = 0;
    WinSize winSize[kWinSizeSlots];
    std::int32_t numSelNames = 0;
    char emailFile[kEmailFileSize] = {};

    // The size slot that starts at `offset` bytes into the record (80, 88, ...
    // 256).  Returns nullptr for an offset that is not a slot's.
    WinSize* slotAt(std::size_t offset);
    WinSize& slot(SizeSlot s) { return *slotAt(static_cast<std::size_t>(s)); }
};

using StatusBytes = std::array<std::uint8_t, kStatusRecordSize>;

StatusBytes encodeStatus(const FormStatusRec& rec);
FormStatusRec decodeStatus(const StatusBytes& bytes);

// Resets the record as a new or short form.status requires: the choice
// fields to "no choice", the geometry to unmeasured, the sizes of the forms
// whose slots the reset covers to empty, no selected names, no e-mail file.
// installType, mediaTypeChoice and the slots at 96, 104, 128, 240, 248 and
// 256 keep their content.
void initStatus(FormStatusRec& rec);

// Stores `path` in emailFile.  Returns false, leaving the field unchanged,
// when it does not fit (more than 255 characters).
bool setEmailFile(FormStatusRec& rec, const std::string& path);

// The tail written after the record when the Load Products form ends:
// `count` slots of 32 bytes, filled with `names` in order until the slots or
// the names run out; slots left over are zero.  A name longer than 31
// characters is cut to 31 (product names are at most 31 characters long).
std::vector<std::uint8_t> encodeSelectedNames(const std::vector<std::string>& names,
                                              std::int32_t count);

// Reads the names that follow the record: `count` slots from `tail`, as many
// as it holds whole.  Each name ends at its first NUL (or after 31 bytes).
std::vector<std::string> decodeSelectedNames(const std::uint8_t* tail, std::size_t tailSize,
                                             std::int32_t count);

}  // namespace trev
