// Distinct keys numbered by first sight: every key, however many, keeps its
// place and its bytes through the table's growth, and no two keys share one.
#include "reports/keyplaces.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using reports::KeyPlaces;

TEST(KeyPlaces, EachDistinctKeyKeepsTheFirstPlaceItWasGiven)
{
    using namespace std::string_view_literals;
    struct Case {
        std::string_view key;
        std::uint32_t place;
        bool isNew;
    };
    // The empty key, keys that begin or end another, bytes of zero, letter case, and repeats.
    const Case cases[] = {{"ab"sv, 0, true}, {""sv, 1, true},       {"a"sv, 2, true},      {"ab"sv, 0, false},
                          {"abc"sv, 3, true}, {"a\0b"sv, 4, true},  {"a\0"sv, 5, true},    {"AB"sv, 6, true},
                          {""sv, 1, false},   {"a\0b"sv, 4, false}, {"b"sv, 7, true},      {"a"sv, 2, false}};
    KeyPlaces places;
    for (const Case& c : cases) {
        EXPECT_EQ(places.place(c.key), std::make_pair(c.place, c.isNew)) << c.key;
        EXPECT_EQ(places.key(c.place), c.key);
    }
    EXPECT_EQ(places.size(), 8u);
    EXPECT_EQ(places.find("a\0b"sv), 4u);
    EXPECT_EQ(places.find("ba"sv), std::nullopt);
    EXPECT_EQ(KeyPlaces().find(""sv), std::nullopt);

    // Many keys: each found where it was placed, with its own bytes, after every growth.
    KeyPlaces many;
    for (std::uint32_t i = 0; i < 100'000; ++i) ASSERT_EQ(many.place(std::to_string(i * 7919)).first, i);
    for (std::uint32_t i = 0; i < 100'000; i += 997) {
        EXPECT_EQ(many.find(std::to_string(i * 7919)), i);
        EXPECT_EQ(many.key(i), std::to_string(i * 7919));
    }
    EXPECT_EQ(many.find("7920"), std::nullopt);
    EXPECT_EQ(many.size(), 100'000u);
}

} // namespace
