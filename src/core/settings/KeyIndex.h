#pragma once

#include <QtGlobal>
#include <vector>

// Open-addressing hash index from a key to the position of its last line in a section. The index keeps
// only hashes and positions; the caller compares the key text, so the index never copies names.
class KeyIndex final {
public:
    // Makes room for count keys without growing.
    void Reserve(qsizetype count) {
        qsizetype capacity = 16;
        while (capacity < count * 2)
            capacity *= 2;
        if (capacity > static_cast<qsizetype>(FSlots.size()))
            Rehash(capacity);
    }

    // Position stored for the key, or -1. sameKey(position) tells whether the key at that position is
    // the one looked for.
    template <typename SameKey> qsizetype Find(quint32 hash, SameKey&& sameKey) const {
        if (FSlots.empty())
            return -1;
        const Slot* const table = FSlots.data();
        const size_t mask = FSlots.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = table[i];
            if (slot.position < 0)
                return -1;
            if (slot.hash == hash && sameKey(slot.position))
                return slot.position;
        }
    }

    // Records position for the key; a later position of the same key replaces the earlier one.
    template <typename SameKey> void Insert(quint32 hash, qsizetype position, SameKey&& sameKey) {
        if ((FUsed + 1) * 2 > static_cast<qsizetype>(FSlots.size()))
            Rehash(FSlots.empty() ? 16 : static_cast<qsizetype>(FSlots.size()) * 2);
        Slot* const table = FSlots.data();
        const size_t mask = FSlots.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = table[i];
            if (slot.position < 0) {
                slot = {hash, static_cast<qint32>(position)};
                ++FUsed;
                return;
            }
            if (slot.hash == hash && sameKey(slot.position)) {
                slot.position = static_cast<qint32>(position);
                return;
            }
        }
    }

private:
    struct Slot {
        quint32 hash = 0;
        qint32 position = -1; // -1: empty
    };

    // Slots move by hash alone: every stored key is distinct, so no comparison is needed.
    void Rehash(qsizetype capacity) {
        std::vector<Slot> old(static_cast<size_t>(capacity));
        old.swap(FSlots);
        const size_t mask = FSlots.size() - 1;
        for (const Slot& slot : old) {
            if (slot.position < 0)
                continue;
            size_t i = slot.hash & mask;
            while (FSlots[i].position >= 0)
                i = (i + 1) & mask;
            FSlots[i] = slot;
        }
    }

    std::vector<Slot> FSlots; // size 0 or a power of two, at most half full
    qsizetype FUsed = 0;
};
