#pragma once

#include <cstdint>
#include <string>

// One entry of a choice box: the text it shows and the 32-bit item data it stands for.
struct Choice {
    std::wstring text;
    std::int32_t data = 0;

    bool operator==(const Choice&) const = default;
};
