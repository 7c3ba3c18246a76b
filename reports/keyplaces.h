#pragma once
// Distinct keys of a long walk numbered in the order they are first seen: a
// flat table over one block of the keys' bytes, so a million lookups make no
// allocation per key and the whole set is freed in a few blocks.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace reports {

class KeyPlaces {
public:
    // The key's place (0, 1, 2, ... by first sight), and whether it is new.
    std::pair<std::uint32_t, bool> place(std::string_view key);
    std::optional<std::uint32_t> find(std::string_view key) const;
    std::size_t size() const { return ends_.size(); }
    std::string_view key(std::uint32_t place) const;

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t place = kEmpty;
    };
    static constexpr std::uint32_t kEmpty = 0xffffffffu;
    static std::uint32_t hashOf(std::string_view key);
    std::size_t slotOf(std::string_view key, std::uint32_t hash) const;   // its slot, or the empty one it would take
    void grow();

    std::vector<Slot> slots_;   // a power of two, at most half full
    std::string bytes_;
    std::vector<std::size_t> ends_;   // by place
};

} // namespace reports
