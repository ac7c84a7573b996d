#include "online/MarkupToRtf.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/MarkupValues.h"
#include "base/NumberFormat.h"

namespace {

constexpr int kDefaultFont = 0;
constexpr int kDefaultColour = 0;
constexpr int kDefaultSize = 20;
constexpr size_t kMostColours = 255;
// Links and unknown tags start a protected run in the default font.
constexpr std::wstring_view kProtectedReset = L"\\plain\\f0\\fs20\\protect";

wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
}

// Whether the text at the position starts with the lower-case prefix, ignoring case.
bool HasAt(std::wstring_view text, size_t at, std::wstring_view prefix) {
    if (at > text.size() || text.size() - at < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (AsciiLower(text[at + i]) != prefix[i])
            return false;
    }
    return true;
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// One UTF-16 unit as RTF: itself up to 255 (the rich edit reads it as one byte), beyond that a
// \uN escape (N the unit as a signed 16-bit number) with "?" for readers without Unicode.
void AppendRtfUnit(std::wstring& out, std::uint32_t unit) {
    if (unit < 0x100) {
        out += static_cast<wchar_t>(unit);
        return;
    }
    const auto signedUnit = static_cast<std::int16_t>(static_cast<std::uint16_t>(unit));
    out += L"\\u" + FormatInteger(signedUnit) + L"?";
}

// A character as RTF; a code point beyond 16 bits (only where wchar_t is 32 bits wide) goes out
// as its two surrogates, as it would from a UTF-16 text.
void AppendRtfCharacter(std::wstring& out, wchar_t c) {
    const auto code = static_cast<std::uint32_t>(c);
    if (code < 0x10000 || code > 0x10FFFF) {
        AppendRtfUnit(out, code & 0xFFFF);
        return;
    }
    AppendRtfUnit(out, 0xD800 + ((code - 0x10000) >> 10));
    AppendRtfUnit(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
}

void AppendHexByte(std::wstring& out, unsigned value) {
    constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    out += L"\\'";
    out += kDigits[(value >> 4) & 15];
    out += kDigits[value & 15];
}

struct Entity {
    std::wstring_view name;
    std::wstring_view rtf;
};

constexpr Entity kEntities[] = {
        {L"&amp;", L"&"},      {L"&lt;", L"<"},       {L"&gt;", L">"},      {L"&quot;", L"\""},
        {L"&nbsp;", L"\\'7F"}, {L"&copy;", L"\\'A9"}, {L"&reg;", L"\\'AE"},
};

// Tags with a fixed text; outside the body each is passed over whole.
constexpr std::wstring_view kFixedTags[] = {L"<body>", L"</body>", L"<b>", L"</b>", L"<i>",     L"</i>", L"<u>",
                                            L"</u>",   L"<br>",    L"<p>", L"</p>", L"</font>", L"</a>"};

// Reads an "&" at the position into the output; returns the position after what it used.
size_t AppendEntity(std::wstring& out, std::wstring_view body, size_t at) {
    for (const Entity& entity : kEntities) {
        if (HasAt(body, at, entity.name)) {
            out += entity.rtf;
            return at + entity.name.size();
        }
    }
    if (HasAt(body, at, L"&#") && at + 2 < body.size() && IsDigit(body[at + 2])) {
        unsigned value = 0;
        for (size_t i = at + 2; i < at + 5 && i < body.size() && IsDigit(body[i]); ++i)
            value = value * 10 + static_cast<unsigned>(body[i] - L'0');
        if (value < 0x100)
            AppendHexByte(out, value);
        else
            AppendRtfUnit(out, value);
        // A numeric reference is taken as five characters, whatever its length, but never
        // reaches into the RTF the walk wrote after it: splitting a doubled "\\" would leave a
        // backslash that starts a control word of the message's choosing.
        const size_t backslash = body.find(L'\\', at);
        return std::min({at + 5, body.size(), backslash});
    }
    out += L'&';
    return at + 1;
}

// Braces become literal, entities become characters, and every character fits one byte.
std::wstring EscapeBody(std::wstring_view body) {
    std::wstring out;
    out.reserve(body.size() + body.size() / 8);
    for (size_t i = 0; i < body.size();) {
        const wchar_t c = body[i];
        if (c == L'&') {
            i = AppendEntity(out, body, i);
            continue;
        }
        if (c == L'{' || c == L'}')
            out += L'\\';
        AppendRtfCharacter(out, c);
        ++i;
    }
    return out;
}

// A face name as the font table may hold it: the characters that would end the entry or start
// RTF of its own ("{", "}", "\", ";") and control characters are left out.
std::wstring CleanFaceName(std::wstring_view name) {
    std::wstring clean;
    for (wchar_t c : name) {
        if (c >= L' ' && c != L'{' && c != L'}' && c != L'\\' && c != L';')
            clean += c;
    }
    return clean;
}

struct CharacterFormat {
    int font = kDefaultFont;
    int colour = kDefaultColour;
    int size = kDefaultSize;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool isProtected = false;
};

class MarkupConverter {
public:
    MarkupConverter(std::wstring_view markup, bool showTags) : markup_(markup), showTags_(showTags) {}

    std::wstring Convert() {
        Walk();
        std::wstring rtf = L"{\\rtf1\\ansi\\deff0\\deftab720";
        rtf += FontTable();
        rtf += ColourTable();
        rtf += L"\\deflang1033\\pard\\plain\\f0\\fs20 ";
        rtf += EscapeBody(body_);
        if (trailingReset_)
            rtf += L"\\plain\\f0\\fs20  ";
        rtf += L"\\par }";
        return rtf;
    }

private:
    void Walk() {
        size_t i = 0;
        while (i < markup_.size()) {
            const wchar_t c = markup_[i];
            if (c == L'<') {
                i = inBody_ ? ReadTag(i) : SkipTagOutsideBody(i);
                continue;
            }
            ++i;
            if (!inBody_)
                continue;
            if (c == L' ' || c == L'\r' || c == L'\n')
                AddSpace();
            else if (c == L'\\')
                AddBackslash();
            else
                AddCharacter(c);
        }
    }

    void AddSpace() {
        if (atLineStart_ || lastWasSpace_)
            return;
        Put(L" ");
        lastWasSpace_ = true;
    }

    void AddBackslash() {
        atLineStart_ = false;
        Put(L"\\\\");
    }

    void AddCharacter(wchar_t c) {
        atLineStart_ = false;
        lastWasSpace_ = false;
        Put(std::wstring_view(&c, 1));
        trailingReset_ = false;
    }

    // Text goes in after the format it needs.
    void Put(std::wstring_view text) {
        if (formatChanged_)
            EmitFormat();
        body_ += text;
    }

    void EmitFormat() {
        body_ += L"\\plain\\f" + FormatInteger(format_.font);
        if (format_.colour != kDefaultColour)
            body_ += L"\\cf" + FormatInteger(format_.colour + 1);
        body_ += L"\\fs" + FormatInteger(format_.size);
        if (format_.isProtected)
            body_ += L"\\protect";
        if (format_.bold)
            body_ += L"\\b";
        if (format_.italic)
            body_ += L"\\i";
        if (format_.underline)
            body_ += L"\\ul";
        body_ += L' ';
        formatChanged_ = false;
    }

    void Switch(bool& flag, bool on) {
        if (flag != on)
            formatChanged_ = true;
        flag = on;
    }

    void SetNumber(int& field, int value) {
        if (field != value)
            formatChanged_ = true;
        field = value;
    }

    void RestoreFont() {
        SetNumber(format_.font, kDefaultFont);
        SetNumber(format_.size, kDefaultSize);
        SetNumber(format_.colour, kDefaultColour);
    }

    void AddLineBreaks(int count) {
        for (int i = 0; i < count; ++i)
            body_ += L"\\\n";
        atLineStart_ = true;
    }

    size_t SkipTagOutsideBody(size_t at) {
        if (HasAt(markup_, at, L"<body>")) {
            inBody_ = true;
            return at + 6;
        }
        if (HasAt(markup_, at, L"<font"))
            return at + 5;
        for (std::wstring_view tag : kFixedTags) {
            if (HasAt(markup_, at, tag))
                return at + tag.size();
        }
        return PastTag(at);
    }

    // The position after the tag's ">", or the end of the text.
    size_t PastTag(size_t at) const {
        const size_t end = markup_.find(L'>', at);
        return end == std::wstring_view::npos ? markup_.size() : end + 1;
    }

    size_t ReadTag(size_t at) {
        atLineStart_ = false;
        struct Switched {
            std::wstring_view tag;
            bool CharacterFormat::*flag;
            bool on;
        };
        static constexpr Switched kSwitches[] = {
                {L"<b>", &CharacterFormat::bold, true},      {L"</b>", &CharacterFormat::bold, false},
                {L"<i>", &CharacterFormat::italic, true},    {L"</i>", &CharacterFormat::italic, false},
                {L"<u>", &CharacterFormat::underline, true}, {L"</u>", &CharacterFormat::underline, false},
        };
        for (const Switched& s : kSwitches) {
            if (HasAt(markup_, at, s.tag)) {
                Switch(format_.*s.flag, s.on);
                return at + s.tag.size();
            }
        }
        if (HasAt(markup_, at, L"<body>"))
            return at + 6;
        if (HasAt(markup_, at, L"</body>")) {
            inBody_ = false;
            return at + 7;
        }
        if (HasAt(markup_, at, L"<br>")) {
            AddLineBreaks(1);
            return at + 4;
        }
        if (HasAt(markup_, at, L"<p>")) {
            AddLineBreaks(2);
            EmitFormat();
            trailingReset_ = false;
            return at + 3;
        }
        if (HasAt(markup_, at, L"</p>")) {
            RestoreFont();
            Switch(format_.bold, false);
            Switch(format_.italic, false);
            Switch(format_.underline, false);
            return at + 4;
        }
        if (HasAt(markup_, at, L"<font"))
            return ReadFontAttributes(at + 5);
        if (HasAt(markup_, at, L"</font>")) {
            RestoreFont();
            return at + 7;
        }
        if (HasAt(markup_, at, L"</a>")) {
            format_.isProtected = false;
            body_ += kProtectedReset;
            if (showTags_)
                body_ += L"</a>";
            EmitFormat();
            trailingReset_ = false;
            return at + 4;
        }
        return ReadOtherTag(at);
    }

    size_t ReadOtherTag(size_t at) {
        body_ += kProtectedReset;
        const size_t end = PastTag(at);
        if (showTags_) {
            for (size_t i = at; i < end; ++i)
                body_ += markup_[i] == L'\\' ? std::wstring_view(L"\\\\") : markup_.substr(i, 1);
        }
        trailingReset_ = true;
        if (HasAt(markup_, at, L"<a")) {
            format_.isProtected = true;
            // Without the tag's text after it, the link's own text would run on into the
            // control word ("\protectlink"); a space ends the word and shows nothing.
            if (!showTags_)
                body_ += L' ';
        } else {
            EmitFormat();
        }
        return end;
    }

    // Attributes are recognised one character after the position, so each follows a separator.
    size_t ReadFontAttributes(size_t at) {
        while (at < markup_.size() && markup_[at] != L'>') {
            if (HasAt(markup_, at + 1, L"face="))
                at = ReadFace(at + 6);
            else if (HasAt(markup_, at + 1, L"color="))
                at = ReadColour(at + 7);
            else if (HasAt(markup_, at + 1, L"size="))
                at = ReadSize(at + 6);
            else
                ++at;
        }
        return std::min(at + 1, markup_.size());
    }

    // An attribute's value: in quotes up to the closing one, else up to white space; never
    // beyond the tag's ">". Moves the position past it.
    std::wstring_view ReadValue(size_t& at) const {
        wchar_t quote = 0;
        if (at < markup_.size() && (markup_[at] == L'"' || markup_[at] == L'\'')) {
            quote = markup_[at];
            ++at;
        }
        const size_t start = at;
        while (at < markup_.size() && markup_[at] != L'>' &&
               (quote != 0 ? markup_[at] != quote : !IsBlank(markup_[at])))
            ++at;
        const std::wstring_view value = markup_.substr(start, at - start);
        if (quote != 0 && at < markup_.size() && markup_[at] == quote)
            ++at;
        return value;
    }

    size_t ReadFace(size_t at) {
        const std::wstring name = CleanFaceName(ReadValue(at));
        auto found = std::find(faces_.begin(), faces_.end(), name);
        if (found == faces_.end())
            found = faces_.insert(faces_.end(), name);
        SetNumber(format_.font, static_cast<int>(found - faces_.begin()));
        return at;
    }

    size_t ReadColour(size_t at) {
        const auto value = static_cast<std::uint32_t>(ParseWholeNumber(ReadValue(at), 16));
        auto found = std::find(colours_.begin(), colours_.end(), value);
        if (found == colours_.end()) {
            if (colours_.size() >= kMostColours)
                return at;
            found = colours_.insert(colours_.end(), value);
        }
        SetNumber(format_.colour, static_cast<int>(found - colours_.begin()));
        return at;
    }

    size_t ReadSize(size_t at) {
        const std::wstring_view value = ReadValue(at);
        const wchar_t sign = value.empty() ? L'\0' : value.front();
        const std::wstring_view digits = sign == L'+' || sign == L'-' ? value.substr(1) : value;
        // Held to four digits, so that no size overflows.
        const int n = std::clamp(ParseInteger(digits), -9999, 9999);
        const int size = sign == L'+' ? kDefaultSize + 2 * n : sign == L'-' ? kDefaultSize - 2 * n : 14 + 2 * n;
        SetNumber(format_.size, size);
        return at;
    }

    std::wstring FontTable() const {
        std::wstring table = L"{\\fonttbl";
        if (faces_.empty())
            table += L"{\\f0\\fswiss Arial;}";
        for (size_t i = 0; i < faces_.size(); ++i) {
            table += L"{\\f" + FormatInteger(static_cast<long long>(i)) + L"\\fswiss ";
            for (wchar_t c : faces_[i])
                AppendRtfCharacter(table, c);
            table += L";}";
        }
        return table + L"}";
    }

    std::wstring ColourTable() const {
        std::wstring table = L"{\\colortbl ;";
        for (std::uint32_t colour : colours_) {
            table += L"\\red" + FormatInteger((colour >> 16) & 0xFF) + L"\\green" +
                     FormatInteger((colour >> 8) & 0xFF) + L"\\blue" + FormatInteger(colour & 0xFF) + L";";
        }
        return table + L"}";
    }

    std::wstring_view markup_;
    bool showTags_;
    std::wstring body_;
    bool inBody_ = false;
    bool atLineStart_ = true;
    bool lastWasSpace_ = false;
    bool formatChanged_ = true;
    bool trailingReset_ = false;
    CharacterFormat format_;
    std::vector<std::wstring> faces_;
    std::vector<std::uint32_t> colours_{0x000000};
};

}  // namespace

std::wstring ConvertMarkupToRtf(std::wstring_view markup, bool showTags) {
    return MarkupConverter(markup, showTags).Convert();
}

size_t ReadRtfBytes(std::wstring_view rtf, size_t& position, std::uint8_t* buffer, size_t capacity) {
    if (position >= rtf.size())
        return 0;
    const size_t count = std::min(capacity, rtf.size() - position);
    for (size_t i = 0; i < count; ++i)
        buffer[i] = static_cast<std::uint8_t>(rtf[position + i] & 0xFF);
    position += count;
    return count;
}
