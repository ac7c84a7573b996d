#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The window-free half of the markup label: a static control's text in a tiny HTML-like markup
// is cut into tokens and laid out as words in bold, italic, underline and colours, wrapped at
// the control's right edge and cut off at its bottom. The control only draws the runs.

// Quoted texts stay whole, "<" starts a tag that ">" ends, each run of white space is one " ".
std::vector<std::wstring> TokenizeLabelMarkup(std::wstring_view text);

enum class LabelToken {
    Paragraph,
    Bold,
    BoldEnd,
    Colour,
    ColourEnd,
    Italic,
    ItalicEnd,
    Underline,
    UnderlineEnd,
    Body,
    BodyEnd,
    Break,
    Space,
    Word,
};
LabelToken KindOfLabelToken(std::wstring_view token);

struct LabelRgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const LabelRgb&) const = default;
};

// The word after "<color", its ">" included: a colour name, or seven characters read as a
// hexadecimal 0xRRGGBB from their first hexadecimal digit; anything else is black.
LabelRgb LabelColour(std::wstring_view word);

struct LabelStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const LabelStyle&) const = default;
};

struct LabelExtent {
    int width = 0;
    int height = 0;
};

// Measures text in the label's font with the style applied.
class LabelMeasure {
public:
    virtual LabelExtent Measure(std::wstring_view text, const LabelStyle& style) const = 0;

protected:
    ~LabelMeasure() = default;
};

// One token to draw with its top-left corner relative to the control's; no colour means the
// system's button-text colour.
struct LabelRun {
    std::wstring text;
    int x = 0;
    int y = 0;
    LabelStyle style;
    std::optional<LabelRgb> colour;
};

// lineHeight is the height of "Åy" in the control's font.
std::vector<LabelRun> LayOutLabel(std::wstring_view text, int width, int height, int lineHeight,
                                  const LabelMeasure& measure);
