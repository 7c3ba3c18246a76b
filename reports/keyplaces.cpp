#include "reports/keyplaces.h"

#include <functional>

namespace reports {

std::uint32_t KeyPlaces::hashOf(std::string_view key)
{
    const std::size_t hash = std::hash<std::string_view>()(key);
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

std::string_view KeyPlaces::key(std::uint32_t place) const
{
    const std::size_t start = place == 0 ? 0 : ends_[place - 1];
    return std::string_view(bytes_).substr(start, ends_[place] - start);
}

std::size_t KeyPlaces::slotOf(std::string_view key, std::uint32_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.place == kEmpty || (slot.hash == hash && this->key(slot.place) == key)) return at;
    }
}

std::optional<std::uint32_t> KeyPlaces::find(std::string_view key) const
{
    if (slots_.empty()) return std::nullopt;
    const std::uint32_t place = slots_[slotOf(key, hashOf(key))].place;
    if (place == kEmpty) return std::nullopt;
    return place;
}

std::pair<std::uint32_t, bool> KeyPlaces::place(std::string_view key)
{
    if (2 * (size() + 1) > slots_.size()) grow();
    const std::uint32_t hash = hashOf(key);
    Slot& slot = slots_[slotOf(key, hash)];
    if (slot.place != kEmpty) return {slot.place, false};
    bytes_.append(key);
    ends_.push_back(bytes_.size());
    slot = {hash, static_cast<std::uint32_t>(size() - 1)};
    return {slot.place, true};
}

void KeyPlaces::grow()
{
    std::vector<Slot> old(std::max<std::size_t>(64, 2 * slots_.size()));
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.place == kEmpty) continue;
        std::size_t at = slot.hash & mask;
        while (slots_[at].place != kEmpty) at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

} // namespace reports
