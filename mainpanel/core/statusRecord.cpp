#include "statusRecord.h"

#include <algorithm>
#include <cstring>

namespace trev {

namespace {

// Field offsets of the record on disk.
enum : std::size_t {
    kMainMenuAction = 0,
    kPlatformIndex = 4,
    kInstallType = 8,
    kInfoSource = 12,
    kSelProdSort = 16,
    kSpare20 = 20,
    kSpare24 = 24,
    kListInstSort = 28,
    kRmInstSort = 32,
    kConfigChoice = 36,
    kMediaTypeChoice = 40,
    kWinX = 44,
    kWinY = 48,
    kPlacedX = 52,
    kPlacedY = 56,
    kClientOffX = 60,
    kClientOffY = 64,
    kFrameExtraW = 68,
    kFrameExtraH = 72,
    kPositionSet = 76,
    kNumSelNames = 264,
    kEmailFile = 268,
};

// The integer fields in file order, so that encoding and decoding walk the
// same list and cannot drift apart.
template <typename Rec>
auto intFields(Rec& r) {
    struct Field {
        std::size_t offset;
        decltype(&r.mainMenuAction) value;
    };
    return std::array<Field, 21>{{
        {kMainMenuAction, &r.mainMenuAction}, {kPlatformIndex, &r.platformIndex},
        {kInstallType, &r.installType},       {kInfoSource, &r.infoSource},
        {kSelProdSort, &r.selProdSort},       {kSpare20, &r.spare20},
        {kSpare24, &r.spare24},               {kListInstSort, &r.listInstSort},
        {kRmInstSort, &r.rmInstSort},         {kConfigChoice, &r.configChoice},
        {kMediaTypeChoice, &r.mediaTypeChoice}, {kWinX, &r.winX},
        {kWinY, &r.winY},                     {kPlacedX, &r.placedX},
        {kPlacedY, &r.placedY},               {kClientOffX, &r.clientOffX},
        {kClientOffY, &r.clientOffY},         {kFrameExtraW, &r.frameExtraW},
        {kFrameExtraH, &r.frameExtraH},       {kPositionSet, &r.positionSet},
        {kNumSelNames, &r.numSelNames},
    }};
}

void putU16(StatusBytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v >> 8);
    b[at + 1] = static_cast<std::uint8_t>(v);
}

void putI32(StatusBytes& b, std::size_t at, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    b[at] = static_cast<std::uint8_t>(u >> 24);
    b[at + 1] = static_cast<std::uint8_t>(u >> 16);
    b[at + 2] = static_cast<std::uint8_t>(u >> 8);
    b[at + 3] = static_cast<std::uint8_t>(u);
}

std::uint16_t getU16(const StatusBytes& b, std::size_t at) {
    return static_cast<std::uint16_t>((b[at] << 8) | b[at + 1]);
}

std::int32_t getI32(const StatusBytes& b, std::size_t at) {
    const std::uint32_t u = (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
                            (std::uint32_t{b[at + 2]} << 8) | std::uint32_t{b[at + 3]};
    return static_cast<std::int32_t>(u);
}

}  // namespace

WinSize* FormStatusRec::slotAt(std::size_t offset) {
    if (offset < kWinSizeFirstOffset || (offset - kWinSizeFirstOffset) % kWinSizeSlotBytes != 0)
        return nullptr;
    const std::size_t index = (offset - kWinSizeFirstOffset) / kWinSizeSlotBytes;
    return index < kWinSizeSlots ? &winSize[index] : nullptr;
}

StatusBytes encodeStatus(const FormStatusRec& rec) {
    StatusBytes b{};
    for (const auto& f : intFields(rec)) putI32(b, f.offset, *f.value);
    for (std::size_t i = 0; i < kWinSizeSlots; ++i) {
        const std::size_t at = kWinSizeFirstOffset + i * kWinSizeSlotBytes;
        putU16(b, at, rec.winSize[i].width);
        putU16(b, at + 2, rec.winSize[i].height);
        putI32(b, at + 4, rec.winSize[i].sizeSet);
    }
    std::memcpy(b.data() + kEmailFile, rec.emailFile, kEmailFileSize);
    return b;
}

FormStatusRec decodeStatus(const StatusBytes& b) {
    FormStatusRec rec;
    for (const auto& f : intFields(rec)) *f.value = getI32(b, f.offset);
    for (std::size_t i = 0; i < kWinSizeSlots; ++i) {
        const std::size_t at = kWinSizeFirstOffset + i * kWinSizeSlotBytes;
        rec.winSize[i].width = getU16(b, at);
        rec.winSize[i].height = getU16(b, at + 2);
        rec.winSize[i].sizeSet = getI32(b, at + 4);
    }
    std::memcpy(rec.emailFile, b.data() + kEmailFile, kEmailFileSize);
    // A file written by another program may lack the terminator; keep the
    // field a string whatever it holds.
    rec.emailFile[kEmailFileSize - 1] = '\0';
    return rec;
}

void initStatus(FormStatusRec& rec) {
    for (std::int32_t* f : {&rec.mainMenuAction, &rec.platformIndex, &rec.infoSource,
                            &rec.selProdSort, &rec.spare20, &rec.spare24, &rec.listInstSort,
                            &rec.rmInstSort, &rec.configChoice})
        *f = kNoChoice;
    for (std::int32_t* f : {&rec.winX, &rec.winY, &rec.placedX, &rec.placedY, &rec.clientOffX,
                            &rec.clientOffY, &rec.frameExtraW, &rec.frameExtraH,
                            &rec.positionSet})
        *f = 0;
    // The installation type, installation information, on-hold and media
    // forms keep their sizes.
    using S = SizeSlot;
    for (S s : {S::MainMenu, S::Platform, S::InstallMediaCd, S::InstallMediaTape})
        rec.slot(s) = WinSize{};
    for (auto offset = static_cast<std::size_t>(S::LoadProducts);
         offset <= static_cast<std::size_t>(S::ReadFailed); offset += kWinSizeSlotBytes)
        *rec.slotAt(offset) = WinSize{};
    rec.numSelNames = 0;
    rec.emailFile[0] = '\0';
}

bool setEmailFile(FormStatusRec& rec, const std::string& path) {
    if (path.size() >= kEmailFileSize || path.find('\0') != std::string::npos) return false;
    std::memset(rec.emailFile, 0, kEmailFileSize);
    std::memcpy(rec.emailFile, path.data(), path.size());
    return true;
}

std::vector<std::uint8_t> encodeSelectedNames(const std::vector<std::string>& names,
                                              std::int32_t count) {
    if (count <= 0) return {};
    std::vector<std::uint8_t> out(static_cast<std::size_t>(count) * kSelNameSize, 0);
    const std::size_t filled = std::min(names.size(), static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < filled; ++i) {
        const std::size_t n = std::min(names[i].size(), kSelNameSize - 1);
        std::memcpy(out.data() + i * kSelNameSize, names[i].data(), n);
    }
    return out;
}

std::vector<std::string> decodeSelectedNames(const std::uint8_t* tail, std::size_t tailSize,
                                             std::int32_t count) {
    std::vector<std::string> names;
    if (count <= 0) return names;
    const std::size_t whole = std::min(tailSize / kSelNameSize, static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < whole; ++i) {
        const char* slot = reinterpret_cast<const char*>(tail + i * kSelNameSize);
        names.emplace_back(slot, strnlen(slot, kSelNameSize - 1));
    }
    return names;
}

}  // namespace trev
