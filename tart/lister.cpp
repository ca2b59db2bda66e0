#include "lister.h"

#include <cinttypes>
#include <cstdio>

#include "tartExit.h"

namespace tart {

namespace {

std::string decimal(int64_t v, const char* fmt = "%" PRId64) {
    char buf[32];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

}  // namespace

Lister::Lister(const CompiledFormat& format, const NameLists& lists, ByteSource& src,
               Console& console, std::size_t chunkSize)
    : format_(format), lists_(lists), console_(console), reader_(src, chunkSize),
      entries_(reader_) {}

void Lister::failWith(std::string_view message, int status) {
    console_.err(message);
    status_ = status;
}

void Lister::fail() { failWith(entries_.message(), entries_.status()); }

void Lister::fail(ReadStatus s) {
    switch (s) {
    case ReadStatus::Eof:
        failWith("tart: unexpected end of archive\n", kExitTruncated);
        break;
    case ReadStatus::BlocksizeError:
        failWith("tart: blocksize error\n", kExitBlocksize);
        break;
    case ReadStatus::Error:
    case ReadStatus::Ok:
        failWith("tart: read error\n", kExitRead);
        break;
    }
}

Found Lister::GetDesired(Entry& e) {
    for (;;) {
        switch (entries_.next(e)) {
        case EntryReader::Next::End:
            return Found::End;
        case EntryReader::Next::Failed:
            fail();
            return Found::Failed;
        case EntryReader::Next::Member:
            break;
        }
        if (lists_.selects(e.header.name)) return Found::Member;
        if (!entries_.skipData(e)) {
            fail();
            return Found::Failed;
        }
    }
}

bool Lister::FilBuf(const Entry& e) {
    const TarHeader& h = e.header;
    auto uses = [this](Directive d) { return format_.uses(d); };
    auto value = [this](Directive d) -> std::string& {
        return values_[static_cast<std::size_t>(d)];
    };
    if (uses(Directive::Type)) {
        const bool dir = h.typeflag == kTypeDirectory || (!h.name.empty() && h.name.back() == '/');
        value(Directive::Type) = h.typeflag == kTypeSymLink ? "l" : dir ? "d" : "-";
    }
    if (uses(Directive::Size)) value(Directive::Size) = decimal(h.size, "%6" PRId64);
    if (uses(Directive::Checksum)) {
        uint16_t sum = 0;
        if (!entries_.checksumData(e, sum)) {
            fail();
            return false;
        }
        value(Directive::Checksum) = decimal(sum, "%05" PRId64);
    }
    if (uses(Directive::Mode)) value(Directive::Mode) = decimal(h.mode, "%" PRIo64);
    if (uses(Directive::ModeStr)) value(Directive::ModeStr) = GetModeStr(h.mode);
    if (uses(Directive::Uid)) value(Directive::Uid) = decimal(h.uid);
    if (uses(Directive::UidStr)) value(Directive::UidStr) = decimal(h.uid);
    if (uses(Directive::Gid)) value(Directive::Gid) = decimal(h.gid);
    if (uses(Directive::GidStr)) value(Directive::GidStr) = decimal(h.gid);
    if (uses(Directive::FileName)) value(Directive::FileName) = h.name;
    if (uses(Directive::LinkName)) {
        const bool link = h.typeflag == kTypeHardLink || h.typeflag == kTypeSymLink;
        value(Directive::LinkName) = link ? " -> " + h.linkname : std::string();
    }
    if ((uses(Directive::Date) || uses(Directive::DateStr)) &&
        !(haveDate_ && lastMtime_ == h.mtime)) {
        std::tm t{};
        const bool ok = localTime(h.mtime, t);
        value(Directive::Date) = ok ? GetyymmddHHMM(t) : "??????????";
        value(Directive::DateStr) = ok ? GetDateStr(t) : "??? ?? ??:?? ????";
        lastMtime_ = h.mtime;
        haveDate_ = true;
    }
    if (!uses(Directive::Checksum) && !entries_.skipData(e)) {
        fail();
        return false;
    }
    return true;
}

int Lister::run() {
    int count = 0;
    const ReadStatus first = reader_.firstRead(count);
    if (first != ReadStatus::Ok) {
        fail(first);
        return status_;
    }
    if (count != 1) {
        console_.err("tart: blocksize = " + decimal(count) + "\n");
    }
    if (count == 0) return kExitOk;  // nothing at all: the archive ends here

    Entry e;
    for (;;) {
        const Found f = GetDesired(e);
        if (f == Found::End) break;
        if (f == Found::Failed || !FilBuf(e)) return status_;
        line_.clear();
        format_.render(values_, line_);
        if (!console_.out(line_)) {
            failWith("tart: write error\n", kExitWrite);
            return status_;
        }
    }
    return kExitOk;
}

int listArchive(const CompiledFormat& format, const NameLists& lists, ByteSource& src,
                Console& console) {
    Lister lister(format, lists, src, console);
    return lister.run();
}

}  // namespace tart
