// The listing: header checks, member selection and one line per selected
// member.  Free of process state: input, output and messages go through the
// interfaces given, and the result is the exit status.
#pragma once

#include <string_view>

#include "entry.h"
#include "format.h"
#include "header.h"
#include "names.h"
#include "records.h"

namespace tart {

// Standard output and standard error of the listing.
class Console {
public:
    virtual ~Console() = default;
    // A piece of the listing; false when it could not be written.
    virtual bool out(std::string_view text) = 0;
    // A message.  Everything given to out() before comes first.
    virtual void err(std::string_view text) = 0;
};

// What GetDesired found.
enum class Found { Member, End, Failed };

class Lister {
public:
    Lister(const CompiledFormat& format, const NameLists& lists, ByteSource& src,
           Console& console, std::size_t chunkSize = RecordReader::kDefaultChunk);

    // Lists the whole archive; returns the exit status.
    int run();

private:
    // The next member the lists select; the data of the others is skipped.
    Found GetDesired(Entry& e);
    // Fills the values of the directives used and moves past the data.
    bool FilBuf(const Entry& e);
    // Reports the entry reader's failure.
    void fail();
    void fail(ReadStatus s);
    void failWith(std::string_view message, int status);

    const CompiledFormat& format_;
    const NameLists& lists_;
    Console& console_;
    RecordReader reader_;
    EntryReader entries_;
    DirectiveValues values_;
    std::string line_;
    int status_ = 0;
    // The last date formatted, reused by members with the same time.
    int64_t lastMtime_ = 0;
    bool haveDate_ = false;
};

int listArchive(const CompiledFormat& format, const NameLists& lists, ByteSource& src,
                Console& console);

}  // namespace tart
