// A small Catch2 program whose XML reporter output the reader tests read:
// passing and failing test cases, nested sections, an expected failure
// ([!shouldfail]), info and warning messages and an unexpected exception.
// Built and run by scripts/regenerate-runner-files.
#define CATCH_CONFIG_MAIN
#include <catch2/catch.hpp>

#include <string>
#include <vector>

TEST_CASE("vectors can be sized and resized", "[vector]")
{
    std::vector<int> v(5);
    REQUIRE(v.size() == 5);

    SECTION("resizing bigger changes size")
    {
        v.resize(10);
        REQUIRE(v.size() == 10);
        SECTION("and capacity")
        {
            CHECK(v.capacity() >= 10);
        }
    }
    SECTION("resizing smaller keeps capacity")
    {
        v.resize(0);
        CHECK(v.size() == 0);
        CHECK(v.capacity() == 4);
    }
}

TEST_CASE("strings compare", "[string]")
{
    const std::string name = "korvat";
    INFO("comparing the product name");
    CHECK(name == "korvat");
    CHECK(name.size() == 7);
}

TEST_CASE("throws on bad input", "[error]")
{
    REQUIRE_THROWS_AS(std::stoi("x"), std::invalid_argument);
    REQUIRE_NOTHROW(std::stoi("y"));
}

TEST_CASE("known bug", "[!shouldfail]")
{
    CHECK(1 + 1 == 3);
}

TEST_CASE("all passes", "[simple]")
{
    WARN("a warning message");
    CHECK(true);
}
