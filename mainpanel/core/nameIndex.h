// An index of ids by name for the catalogue's look-ups: open addressing in
// one flat array of (hash, id) pairs, so that a look-up touches one slot and
// then the name it matches.  The names themselves stay with the owner, which
// hands a way to read the name of an id to every call.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace trev {

class NameIndex {
public:
    static constexpr std::uint32_t kNone = ~std::uint32_t{0};

    std::size_t size() const { return count_; }

    // The id of `name`, or kNone.  `nameOf(id)` gives the name of an id.
    template <typename NameOf>
    std::uint32_t find(std::string_view name, const NameOf& nameOf) const {
        if (slots_.empty()) return kNone;
        const std::uint32_t h = hashOf(name);
        for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
            const Slot& s = slots_[i];
            if (s.id == kNone) return kNone;
            if (s.hash == h && nameOf(s.id) == name) return s.id;
        }
    }

    // Records `id` for `name`, which is not in the index yet.
    void insert(std::string_view name, std::uint32_t id) {
        if ((count_ + 1) * 4 > slots_.size() * 3) grow();
        place({hashOf(name), id});
        ++count_;
    }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t id = kNone;
    };

    static std::uint32_t hashOf(std::string_view name) {
        const std::size_t h = std::hash<std::string_view>{}(name);
        return static_cast<std::uint32_t>(h ^ (h >> 32));
    }

    void place(const Slot& slot) {
        for (std::size_t i = slot.hash & mask_;; i = (i + 1) & mask_)
            if (slots_[i].id == kNone) {
                slots_[i] = slot;
                return;
            }
    }

    // Doubles the table; the stored hashes place the ids again.
    void grow() {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
        mask_ = slots_.size() - 1;
        for (const Slot& s : old)
            if (s.id != kNone) place(s);
    }

    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    std::size_t count_ = 0;
};

}  // namespace trev
