#include "online/MarkupLabel.h"

#include <algorithm>

namespace {

wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
}

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return AsciiLower(x) == AsciiLower(y); });
}

bool IsWhiteSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f';
}

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    c = AsciiLower(c);
    return c >= L'a' && c <= L'f' ? c - L'a' + 10 : -1;
}

struct NamedColour {
    std::wstring_view word;
    LabelRgb rgb;
};

constexpr NamedColour kNamedColours[] = {
        {L"black>", {0, 0, 0}},
        {L"blue>", {0, 0, 255}},
        {L"cyan>", {0, 255, 255}},
        {L"darkblue>", {0, 0, 128}},
        {L"darkcyan>", {112, 219, 147}},
        {L"darkgreen>", {47, 79, 47}},
        {L"darkmagenta>", {204, 50, 153}},
        {L"darkred>", {142, 35, 35}},
        {L"darkyellow>", {216, 216, 191}},
        {L"gray>", {84, 84, 84}},
        {L"green>", {0, 255, 0}},
        {L"lightgray>", {230, 232, 250}},
        {L"magenta>", {255, 0, 255}},
        {L"red>", {255, 0, 0}},
        {L"white>", {255, 255, 255}},
        {L"yellow>", {255, 255, 0}},
};

struct NamedToken {
    std::wstring_view text;
    LabelToken kind;
};

constexpr NamedToken kNamedTokens[] = {
        {L"<p>", LabelToken::Paragraph},  {L"<b>", LabelToken::Bold},           {L"</b>", LabelToken::BoldEnd},
        {L"<color", LabelToken::Colour},  {L"</color>", LabelToken::ColourEnd}, {L"<i>", LabelToken::Italic},
        {L"</i>", LabelToken::ItalicEnd}, {L"<u>", LabelToken::Underline},      {L"</u>", LabelToken::UnderlineEnd},
        {L"<body>", LabelToken::Body},    {L"</body>", LabelToken::BodyEnd},    {L"<br>", LabelToken::Break},
        {L" ", LabelToken::Space},
};

class Tokenizer {
public:
    std::vector<std::wstring> Run(std::wstring_view text) {
        for (size_t i = 0; i < text.size(); ++i) {
            const wchar_t c = text[i];
            if (c == L'"') {
                Emit();
                const size_t close = text.find(L'"', i + 1);
                const size_t end = close == std::wstring_view::npos ? text.size() : close + 1;
                current_ = text.substr(i, end - i);
                Emit();
                i = end - 1;
            } else if (c == L'<') {
                Emit();
                current_ = L"<";
            } else if (c == L'>') {
                current_ += c;
                Emit();
            } else if (IsWhiteSpace(c)) {
                Emit();
                while (i + 1 < text.size() && IsWhiteSpace(text[i + 1]))
                    ++i;
                tokens_.push_back(L" ");
            } else {
                current_ += c;
            }
        }
        Emit();
        return std::move(tokens_);
    }

private:
    void Emit() {
        if (!current_.empty())
            tokens_.push_back(std::move(current_));
        current_.clear();
    }

    std::wstring current_;
    std::vector<std::wstring> tokens_;
};

class Layout {
public:
    Layout(int width, int height, int lineHeight, const LabelMeasure& measure)
        : width_(width), height_(height), lineHeight_(lineHeight), measure_(measure) {}

    void Place(const std::wstring& token) {
        const LabelToken kind = KindOfLabelToken(token);
        if (kind == LabelToken::Body)
            inBody_ = true;
        else if (kind == LabelToken::BodyEnd)
            inBody_ = false;
        if (!inBody_)
            return;
        switch (kind) {
            case LabelToken::Paragraph:
            case LabelToken::Break:
                x_ = 0;
                y_ += lineHeight_ * 3 / 2;
                break;
            case LabelToken::Bold:
            case LabelToken::BoldEnd:
                style_.bold = kind == LabelToken::Bold;
                break;
            case LabelToken::Italic:
            case LabelToken::ItalicEnd:
                style_.italic = kind == LabelToken::Italic;
                break;
            case LabelToken::Underline:
            case LabelToken::UnderlineEnd:
                style_.underline = kind == LabelToken::Underline;
                break;
            case LabelToken::Colour:
                colourPending_ = true;
                break;
            case LabelToken::ColourEnd:
                colour_.reset();
                break;
            case LabelToken::Word:
                if (colourPending_) {
                    colour_ = LabelColour(token);
                    colourPending_ = false;
                    break;
                }
                PlaceText(token, false);
                break;
            case LabelToken::Space:
                PlaceText(token, true);
                break;
            case LabelToken::Body:
            case LabelToken::BodyEnd:
                break;
        }
    }

    std::vector<LabelRun> TakeRuns() { return std::move(runs_); }

private:
    void PlaceText(const std::wstring& text, bool isSpace) {
        const LabelExtent extent = measure_.Measure(text, style_);
        if (x_ > 0 && x_ + extent.width > width_) {
            x_ = 0;
            y_ += lineHeight_;
        }
        if (y_ + extent.height > height_)
            return;
        if (isSpace && x_ == 0)
            return;
        runs_.push_back({text, x_, y_, style_, colour_});
        x_ += extent.width;
    }

    int width_;
    int height_;
    int lineHeight_;
    const LabelMeasure& measure_;
    int x_ = 0;
    int y_ = 0;
    bool inBody_ = false;
    bool colourPending_ = false;
    LabelStyle style_;
    std::optional<LabelRgb> colour_;
    std::vector<LabelRun> runs_;
};

}  // namespace

std::vector<std::wstring> TokenizeLabelMarkup(std::wstring_view text) {
    return Tokenizer().Run(text);
}

LabelToken KindOfLabelToken(std::wstring_view token) {
    for (const NamedToken& named : kNamedTokens) {
        if (SameIgnoringCase(token, named.text))
            return named.kind;
    }
    return LabelToken::Word;
}

LabelRgb LabelColour(std::wstring_view word) {
    for (const NamedColour& named : kNamedColours) {
        if (SameIgnoringCase(word, named.word))
            return named.rgb;
    }
    if (word.size() != 7)
        return {};
    size_t i = 0;
    while (i < word.size() && HexValue(word[i]) < 0)
        ++i;
    std::uint32_t value = 0;
    for (; i < word.size() && HexValue(word[i]) >= 0; ++i)
        value = value * 16 + static_cast<std::uint32_t>(HexValue(word[i]));
    return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value)};
}

std::vector<LabelRun> LayOutLabel(std::wstring_view text, int width, int height, int lineHeight,
                                  const LabelMeasure& measure) {
    Layout layout(width, height, lineHeight, measure);
    for (const std::wstring& token : TokenizeLabelMarkup(text))
        layout.Place(token);
    return layout.TakeRuns();
}
