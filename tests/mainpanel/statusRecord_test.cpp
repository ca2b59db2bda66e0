// The status record codec against hand-written big-endian bytes, the reset,
// and the selected-names tail.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "core/statusIo.h"
#include "core/statusRecord.h"

using namespace trev;

namespace {

StatusBytes bytesWith(std::initializer_list<std::pair<std::size_t, std::vector<std::uint8_t>>> at) {
    StatusBytes b{};
    for (const auto& [offset, bytes] : at) std::memcpy(b.data() + offset, bytes.data(), bytes.size());
    return b;
}

}  // namespace

TEST(StatusRecord, EncodesEveryFieldBigEndianAtItsOffset) {
    FormStatusRec r;
    r.mainMenuAction = 0x01020304;
    r.platformIndex = 2;
    r.installType = 231;
    r.infoSource = 5;
    r.selProdSort = 1;
    r.spare20 = 99;
    r.spare24 = -1;
    r.listInstSort = 2;
    r.rmInstSort = 0x7fffffff;
    r.configChoice = 41;
    r.mediaTypeChoice = 56;
    r.winX = -2;
    r.winY = 0x100;
    r.placedX = 640;
    r.placedY = 480;
    r.clientOffX = 5;
    r.clientOffY = 23;
    r.frameExtraW = 10;
    r.frameExtraH = 28;
    r.positionSet = 1;
    r.slotAt(80)->width = 0xabcd;
    r.slotAt(80)->height = 0x0102;
    r.slotAt(80)->sizeSet = 1;
    r.slotAt(256)->width = 550;
    r.slotAt(256)->height = 65535;
    r.numSelNames = 3;
    std::strcpy(r.emailFile, "/home/u/wo");

    const StatusBytes expected = bytesWith({
        {0, {0x01, 0x02, 0x03, 0x04}},  {4, {0, 0, 0, 2}},     {8, {0, 0, 0, 0xe7}},
        {12, {0, 0, 0, 5}},             {16, {0, 0, 0, 1}},    {20, {0, 0, 0, 99}},
        {24, {0xff, 0xff, 0xff, 0xff}}, {28, {0, 0, 0, 2}},    {32, {0x7f, 0xff, 0xff, 0xff}},
        {36, {0, 0, 0, 41}},            {40, {0, 0, 0, 56}},   {44, {0xff, 0xff, 0xff, 0xfe}},
        {48, {0, 0, 1, 0}},             {52, {0, 0, 2, 0x80}}, {56, {0, 0, 1, 0xe0}},
        {60, {0, 0, 0, 5}},             {64, {0, 0, 0, 23}},   {68, {0, 0, 0, 10}},
        {72, {0, 0, 0, 28}},            {76, {0, 0, 0, 1}},
        {80, {0xab, 0xcd, 0x01, 0x02, 0, 0, 0, 1}},
        {256, {0x02, 0x26, 0xff, 0xff, 0, 0, 0, 0}},
        {264, {0, 0, 0, 3}},
        {268, {'/', 'h', 'o', 'm', 'e', '/', 'u', '/', 'w', 'o', 0}},
    });
    const StatusBytes got = encodeStatus(r);
    for (std::size_t i = 0; i < kStatusRecordSize; ++i)
        EXPECT_EQ(got[i], expected[i]) << "byte " << i;
}

TEST(StatusRecord, DecodesHandWrittenBytes) {
    const StatusBytes b = bytesWith({
        {0, {0, 0, 0, 22}}, {4, {0, 0, 0, 3}}, {44, {0, 0, 0x01, 0x2c}}, {48, {0xff, 0xff, 0xff, 0x9c}},
        {76, {0, 0, 0, 1}}, {88, {0x01, 0x90, 0x00, 0xc8, 0, 0, 0, 1}},
        {264, {0, 0, 0, 2}}, {268, {'m', 'a', 'i', 'l', 0}},
    });
    FormStatusRec r = decodeStatus(b);
    EXPECT_EQ(r.mainMenuAction, 22);
    EXPECT_EQ(r.platformIndex, 3);
    EXPECT_EQ(r.winX, 300);
    EXPECT_EQ(r.winY, -100);
    EXPECT_EQ(r.positionSet, 1);
    EXPECT_EQ(r.slotAt(88)->width, 400);
    EXPECT_EQ(r.slotAt(88)->height, 200);
    EXPECT_EQ(r.slotAt(88)->sizeSet, 1);
    EXPECT_EQ(r.slotAt(80)->width, 0);
    EXPECT_EQ(r.numSelNames, 2);
    EXPECT_STREQ(r.emailFile, "mail");
}

TEST(StatusRecord, RoundTripsEveryByteExceptAForcedTerminator) {
    StatusBytes b;
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(i * 37 + 11);
    StatusBytes back = encodeStatus(decodeStatus(b));
    // The last byte of emailFile always ends the string in memory.
    EXPECT_EQ(back[kStatusRecordSize - 1], 0);
    back[kStatusRecordSize - 1] = b[kStatusRecordSize - 1];
    EXPECT_EQ(back, b);
}

TEST(StatusRecord, SlotsLieEveryEightBytesFrom80To256) {
    FormStatusRec r;
    EXPECT_EQ(r.slotAt(80), &r.winSize[0]);
    EXPECT_EQ(r.slotAt(136), &r.winSize[7]);
    EXPECT_EQ(r.slotAt(256), &r.winSize[22]);
    EXPECT_EQ(r.slotAt(84), nullptr);
    EXPECT_EQ(r.slotAt(72), nullptr);
    EXPECT_EQ(r.slotAt(264), nullptr);
}

TEST(StatusRecord, ResetClearsChoicesGeometryAndMostSlotsButKeepsTheRest) {
    FormStatusRec r = decodeStatus([] {
        StatusBytes b;
        b.fill(0x11);
        return b;
    }());
    initStatus(r);
    for (std::int32_t v : {r.mainMenuAction, r.platformIndex, r.infoSource, r.selProdSort,
                           r.spare20, r.spare24, r.listInstSort, r.rmInstSort, r.configChoice})
        EXPECT_EQ(v, 99);
    for (std::int32_t v : {r.winX, r.winY, r.placedX, r.placedY, r.clientOffX, r.clientOffY,
                           r.frameExtraW, r.frameExtraH, r.positionSet})
        EXPECT_EQ(v, 0);
    EXPECT_EQ(r.numSelNames, 0);
    EXPECT_EQ(r.emailFile[0], '\0');
    EXPECT_EQ(r.installType, 0x11111111);
    EXPECT_EQ(r.mediaTypeChoice, 0x11111111);
    for (std::size_t off = 80; off <= 256; off += 8) {
        const bool kept = off == 96 || off == 104 || off == 128 || off >= 240;
        const WinSize& s = *r.slotAt(off);
        EXPECT_EQ(s.width, kept ? 0x1111 : 0) << "slot " << off;
        EXPECT_EQ(s.height, kept ? 0x1111 : 0) << "slot " << off;
        EXPECT_EQ(s.sizeSet, kept ? 0x11111111 : 0) << "slot " << off;
    }
}

TEST(StatusRecord, EmailFileTakesAtMost255Characters) {
    FormStatusRec r;
    EXPECT_TRUE(setEmailFile(r, std::string(255, 'a')));
    EXPECT_EQ(std::strlen(r.emailFile), 255u);
    EXPECT_FALSE(setEmailFile(r, std::string(256, 'b')));
    EXPECT_EQ(r.emailFile[0], 'a');
    EXPECT_TRUE(setEmailFile(r, "/x"));
    EXPECT_STREQ(r.emailFile, "/x");
    EXPECT_EQ(r.emailFile[5], '\0');
}

TEST(SelectedNames, FillsSlotsInOrderCutsLongNamesAndZeroesTheRest) {
    const std::string longName(40, 'n');
    const auto tail = encodeSelectedNames({"alpha", longName}, 3);
    ASSERT_EQ(tail.size(), 96u);
    EXPECT_STREQ(reinterpret_cast<const char*>(tail.data()), "alpha");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(tail.data() + 32)), std::string(31, 'n'));
    EXPECT_EQ(tail[63], 0);
    for (std::size_t i = 64; i < 96; ++i) EXPECT_EQ(tail[i], 0);
    EXPECT_TRUE(encodeSelectedNames({"a"}, 0).empty());
    EXPECT_EQ(encodeSelectedNames({"a", "b", "c"}, 2).size(), 64u);

    const auto names = decodeSelectedNames(tail.data(), tail.size(), 3);
    EXPECT_EQ(names, (std::vector<std::string>{"alpha", std::string(31, 'n'), ""}));
    // A count beyond the bytes present reads only whole slots.
    EXPECT_EQ(decodeSelectedNames(tail.data(), 70, 5).size(), 2u);
}

TEST(StatusFile, ReadsOnlyAWholeRecordAndWritesNamesWithoutTruncating) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::vector<std::uint8_t> junk(100, 0x5a);
    std::fwrite(junk.data(), 1, junk.size(), f);
    FormStatusRec r;
    r.mainMenuAction = 7;
    EXPECT_FALSE(readStatusRecord(f, r));
    EXPECT_EQ(r.mainMenuAction, 7);

    // Old, longer contents after the record stay where the names end.
    std::vector<std::uint8_t> big(700, 0x77);
    std::fseek(f, 0, SEEK_SET);
    std::fwrite(big.data(), 1, big.size(), f);
    r.numSelNames = 2;
    ASSERT_TRUE(writeStatusRecord(f, r));
    ASSERT_TRUE(writeSelectedNames(f, encodeSelectedNames({"p1", "p2"}, 2)));
    FormStatusRec back;
    ASSERT_TRUE(readStatusRecord(f, back));
    EXPECT_EQ(back.mainMenuAction, 7);
    EXPECT_EQ(back.numSelNames, 2);
    std::vector<std::uint8_t> rest(700 - 524);
    std::fseek(f, 524, SEEK_SET);
    ASSERT_EQ(std::fread(rest.data(), 1, rest.size(), f), rest.size());
    EXPECT_EQ(decodeSelectedNames(rest.data(), rest.size(), 2),
              (std::vector<std::string>{"p1", "p2"}));
    EXPECT_EQ(rest.back(), 0x77);
    std::fclose(f);
}

TEST(StatusFile, InstallTmpPathRefusesMoreThan511Characters) {
    const std::string fits(511 - std::string("/install/tmp/form.status").size(), 'r');
    EXPECT_EQ(installTmpPath(fits, "form.status").value().size(), 511u);
    EXPECT_FALSE(installTmpPath(fits + "r", "form.status").has_value());
    EXPECT_EQ(installTmpPath("/p", "bundles.sun4").value(), "/p/install/tmp/bundles.sun4");
}

TEST(StatusFile, AFailedWriteIsReported) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    // A stream open for reading only cannot take the record.
    std::FILE* readOnly = std::fopen(("/proc/self/fd/" + std::to_string(fileno(f))).c_str(), "r");
    ASSERT_NE(readOnly, nullptr);
    FormStatusRec r;
    EXPECT_FALSE(writeStatusRecord(readOnly, r));
    EXPECT_FALSE(writeSelectedNames(readOnly, encodeSelectedNames({"p"}, 1)));
    std::fclose(readOnly);
    std::fclose(f);
}
