// The status record: its bytes on disk, the reset, and the selected
// product names written after it and read back.
#include <gtest/gtest.h>

#include "core/statusIo.h"
#include "core/statusRecord.h"

using namespace trev;

namespace {

// Big-endian words made of the low bytes of their own offsets: a record
// encoded from fields holding these is the byte sequence 0, 1, 2, ... 255,
// 0, 1, ..., whatever the host's byte order.
std::uint32_t ownOffsets(std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = v << 8 | ((at + static_cast<std::size_t>(i)) & 0xff);
    return v;
}

}  // namespace

TEST(StatusRecord, EveryFieldBigEndianAtItsOffsetAndBack) {
    FormStatusRec r;
    std::int32_t* words[] = {&r.mainMenuAction, &r.platformIndex, &r.installType, &r.infoSource,
                             &r.selProdSort,    &r.spare20,       &r.spare24,     &r.listInstSort,
                             &r.rmInstSort,     &r.configChoice,  &r.mediaTypeChoice, &r.winX,
                             &r.winY,           &r.placedX,       &r.placedY,     &r.clientOffX,
                             &r.clientOffY,     &r.frameExtraW,   &r.frameExtraH, &r.positionSet};
    for (std::size_t i = 0; i < 20; ++i) *words[i] = static_cast<std::int32_t>(ownOffsets(4 * i, 4));
    for (std::size_t i = 0; i < kWinSizeSlots; ++i) {
        r.winSize[i].width = static_cast<std::uint16_t>(ownOffsets(80 + 8 * i, 2));
        r.winSize[i].height = static_cast<std::uint16_t>(ownOffsets(82 + 8 * i, 2));
        r.winSize[i].sizeSet = static_cast<std::int32_t>(ownOffsets(84 + 8 * i, 4));
    }
    r.numSelNames = static_cast<std::int32_t>(ownOffsets(264, 4));
    for (std::size_t i = 0; i < kEmailFileSize; ++i) r.emailFile[i] = static_cast<char>((268 + i) & 0xff);
    const StatusBytes bytes = encodeStatus(r);
    for (std::size_t k = 0; k < kStatusRecordSize; ++k) ASSERT_EQ(bytes[k], k & 0xff) << "byte " << k;
    // Decoded and encoded again every byte comes back, but the last: it
    // always ends the e-mail file name in memory.
    StatusBytes back = encodeStatus(decodeStatus(bytes));
    EXPECT_EQ(back[kStatusRecordSize - 1], 0);
    back[kStatusRecordSize - 1] = bytes[kStatusRecordSize - 1];
    EXPECT_EQ(back, bytes);
}

// A reset clears the choices, the geometry and the sizes of most forms;
// the installation type and the media choice stay, as does the size of
// the installation type form (slot 96).
TEST(StatusRecord, ResetClearsChoicesGeometryAndMostSlots) {
    StatusBytes ones;
    ones.fill(0x11);
    FormStatusRec r = decodeStatus(ones);
    initStatus(r);
    EXPECT_EQ(std::vector<std::int32_t>({r.mainMenuAction, r.configChoice, r.installType, r.mediaTypeChoice, r.winX,
                                         r.frameExtraH, r.positionSet, r.numSelNames, r.emailFile[0]}),
              std::vector<std::int32_t>({99, 99, 0x11111111, 0x11111111, 0, 0, 0, 0, 0}));
    EXPECT_EQ(r.slotAt(80)->width + r.slotAt(136)->sizeSet, 0);
    EXPECT_EQ(r.slotAt(96)->width, 0x1111);
}

TEST(StatusRecord, SelectedNamesOf31Characters) {
    // Slots of 32 bytes in order, long names cut, the rest zero.
    const auto tail = encodeSelectedNames({"alpha", std::string(40, 'n')}, 3);
    EXPECT_EQ(std::string(tail.begin(), tail.end()),
              "alpha" + std::string(27, '\0') + std::string(31, 'n') + std::string(33, '\0'));
    EXPECT_EQ(decodeSelectedNames(tail.data(), 70, 5), (std::vector<std::string>{"alpha", std::string(31, 'n')}));
}

TEST(StatusFile, TheSelectionIsWrittenAfterTheRecordAndReadBack) {
    std::FILE* f = std::tmpfile();
    std::fwrite(std::string(100, 'Z').data(), 1, 100, f);
    FormStatusRec r;
    r.mainMenuAction = 7;
    EXPECT_FALSE(readStatusRecord(f, r));   // only a whole record is read
    EXPECT_EQ(r.mainMenuAction, 7);
    // Longer old contents stay after the names: the file is not truncated.
    std::fseek(f, 0, SEEK_SET);
    std::fwrite(std::string(700, 'w').data(), 1, 700, f);
    r.numSelNames = 2;
    ASSERT_TRUE(writeStatusRecord(f, r));
    ASSERT_TRUE(writeSelectedNames(f, encodeSelectedNames({"p1", "p2"}, 2)));
    FormStatusRec back;
    ASSERT_TRUE(readStatusRecord(f, back));
    EXPECT_EQ(back.mainMenuAction, 7);
    EXPECT_EQ(readSelectedNames(f, back.numSelNames), (std::vector<std::string>{"p1", "p2"}));
    EXPECT_EQ(readSelectedNames(f, 6), std::nullopt);   // 176 bytes hold five slots
    EXPECT_EQ(std::fgetc(f), EOF);
    std::fseek(f, -1, SEEK_END);
    EXPECT_EQ(std::fgetc(f), 'w');
    std::fclose(f);
}
