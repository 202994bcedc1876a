// The pool behind FEManager: fixed-size entries handed out from strips of
// 4,096 slots allocated once and recycled through a free list, each named by
// a 32-bit id (bits 24..31 strip, bits 0..23 slot) from which its address
// follows directly.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

constexpr int32_t kFEStripSlots = 4096;
constexpr int32_t kFEMaxStrips = 256;

template <typename Entry>
class FragmentPool {
public:
    FragmentPool() = default;
    FragmentPool(const FragmentPool&) = delete;
    FragmentPool& operator=(const FragmentPool&) = delete;

    // A fresh entry holding a copy of initial (by default the initial state
    // Entry{}), or null after reporting the failure in an error box.
    Entry* ReserveFE(const Entry& initial = Entry{}) {
        try {
            if (freeCount_ == 0) AddStrip();
            --freeCount_;
            int32_t id = freeList_[freeCount_];
            Entry* entry = GetFEByID(id);
            *entry = initial;
            reserved_[Index(id)] = 1;
            return entry;
        } catch (const std::exception& e) {
            ShowErrorBox(u"Exception " + Utf8Decode(e.what()) + u" in FEManager.ReserveFE, FreeStrip=" +
                         Decimal(stripCount_) + u", FreeCount=" + Decimal(freeCount_));
        }
        return nullptr;
    }

    // Returns an entry to the free list. An entry that is not from this pool
    // or not reserved is reported and left alone, so that no entry can be
    // handed out twice.
    void FreeFE(Entry* entry) {
        try {
            if (!entry) throw std::invalid_argument("FreeFE of no entry");
            const Slot* slot = SlotOf(entry);
            int32_t id = slot->id;
            if (!ValidId(id) || GetFEByID(id) != entry)
                throw std::invalid_argument("an entry that is not from the pool");
            if (!reserved_[Index(id)])
                throw std::logic_error("an entry that is already free (id " + std::to_string(id) + ")");
            reserved_[Index(id)] = 0;
            freeList_[freeCount_++] = id;
        } catch (const std::exception& e) {
            ShowErrorBox(u"Exception in " + Utf8Decode(e.what()) + u" in FEManager.FreeFE");
        }
    }

    // The entry of an id (and the id written into its slot); null for an id
    // of no allocated slot.
    Entry* GetFEByID(int32_t id) {
        if (!ValidId(id)) return nullptr;
        Slot& slot = strips_[static_cast<uint32_t>(id) >> 24][id & 0xFFFFFF];
        slot.id = id;
        return &slot.entry;
    }

    // The id stored with an entry of this pool.
    static int32_t IdOf(const Entry* entry) { return SlotOf(entry)->id; }

    int32_t FreeCount() const { return freeCount_; }
    int32_t StripCount() const { return stripCount_; }

private:
    struct Slot {
        int32_t id = 0;
        Entry entry{};
    };
    static_assert(std::is_standard_layout_v<Slot>, "the id is found from the entry's address");

    static const Slot* SlotOf(const Entry* entry) {
        return reinterpret_cast<const Slot*>(reinterpret_cast<const char*>(entry) - offsetof(Slot, entry));
    }
    static std::size_t Index(int32_t id) {
        return static_cast<std::size_t>(static_cast<uint32_t>(id) >> 24) * kFEStripSlots + (id & 0xFFFFFF);
    }
    bool ValidId(int32_t id) const {
        return static_cast<int32_t>(static_cast<uint32_t>(id) >> 24) < stripCount_ &&
               (id & 0xFFFFFF) < kFEStripSlots;
    }
    static std::u16string Decimal(int32_t v) {
        std::string digits = std::to_string(v);
        return std::u16string(digits.begin(), digits.end());
    }

    void AddStrip() {
        if (stripCount_ >= kFEMaxStrips) throw std::runtime_error("Out of FEStrips!");
        auto strip = std::make_unique<Slot[]>(kFEStripSlots);
        freeList_.resize(static_cast<std::size_t>(stripCount_ + 1) * kFEStripSlots);
        reserved_.resize(freeList_.size());
        strips_[stripCount_] = std::move(strip);
        for (int32_t i = 0; i < kFEStripSlots; ++i)
            freeList_[freeCount_ + i] = static_cast<int32_t>(static_cast<uint32_t>(stripCount_) << 24 | i);
        freeCount_ += kFEStripSlots;
        ++stripCount_;
    }

    std::array<std::unique_ptr<Slot[]>, kFEMaxStrips> strips_;
    std::vector<int32_t> freeList_;
    std::vector<uint8_t> reserved_;
    int32_t freeCount_ = 0;
    int32_t stripCount_ = 0;
};

}  // namespace pv
