// Members as the listing sees them: a header with everything that the
// extension records before it say folded in (pax headers, global and per
// member; GNU long names and long link names; GNU sparse maps), read from the
// record stream one member at a time.  The extension records themselves are
// never members.
#pragma once

#include <cstdint>
#include <string>

#include "header.h"
#include "pax.h"
#include "records.h"
#include "sparse.h"

namespace tart {

struct Entry {
    // The member's effective fields.  For a sparse member the name and size
    // are the file's own, not those of the archive's stand-in.
    TarHeader header;
    // Bytes of data that follow the header in the archive (before the
    // padding of the last record): 0 when the member owns none.
    uint64_t storedBytes = 0;
    SparseForm sparse = SparseForm::None;
    SparseMap map;  // for SparseForm::InHeader
};

// An extension header's data is held in memory; one larger than this is
// refused as damage rather than read.
constexpr uint64_t kMaxExtensionSize = 1 << 20;

class EntryReader {
public:
    explicit EntryReader(RecordReader& records) : records_(records) {}

    enum class Next { Member, End, Failed };
    // The next member; on Failed, message() and status() say why.
    Next next(Entry& e);

    // The checksum of a member's contents (a sparse file's holes count as
    // zero bytes), reading its data; or its data skipped.  Both leave the
    // reader at the next header.
    bool checksumData(const Entry& e, uint16_t& sum);
    bool skipData(const Entry& e);

    const std::string& message() const { return message_; }
    int status() const { return status_; }

private:
    bool fail(ReadStatus s);
    bool failWith(std::string message, int status);
    bool readExtension(const TarHeader& h, std::string& data);
    bool readGnuSparseRecords(const unsigned char* header, Entry& e);
    bool sumRegions(const Entry& e, const SparseMap& map, uint64_t mapBytes, uint16_t& sum);

    RecordReader& records_;
    PaxFields global_;
    bool haveGlobal_ = false;
    PaxFields local_;  // reused from member to member
    std::string message_;
    int status_ = 0;
};

}  // namespace tart
