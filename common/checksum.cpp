#include "checksum.h"

namespace trev {

uint16_t checksumBlock(uint16_t sum, const unsigned char* data, std::size_t n) {
    // The sum stays a 16-bit value so that the compiler keeps the 16-bit
    // rotate: masking a 32-bit sum instead costs shifts, an or and a
    // zero-extension on the chain that carries the sum from byte to byte.
    for (const unsigned char* end = data + n; data != end; ++data) sum = checksumStep16(sum, *data);
    return sum;
}

}  // namespace trev
