#include "checksum.h"

namespace trev {

uint16_t checksumBlock(uint16_t sum, const unsigned char* data, std::size_t n) {
    // A 16-bit rotate right by one, then an add that wraps at 16 bits.  Kept in
    // a 32-bit register to avoid partial-register stalls; the mask keeps it
    // exact.
    uint32_t c = sum;
    const unsigned char* end = data + n;
    while (data != end) {
        c = ((c >> 1) | (c << 15)) & 0xFFFFu;
        c = (c + *data++) & 0xFFFFu;
    }
    return static_cast<uint16_t>(c);
}

}  // namespace trev
