#include "base/MarkupDocument.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <memory>

#include "base/DataFile.h"
#include "base/MarkupValues.h"
#include "base/NumberFormat.h"
#include "base/TextCompare.h"

namespace {

using namespace std::string_view_literals;

constexpr std::wstring_view kLineEnd = L"\r\n";
// Files are converted to and from code units in pieces of this many bytes.
constexpr size_t kChunkBytes = 1 << 16;
constexpr size_t kPieceUnits = kChunkBytes / 2;

bool IsWhiteSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

bool IsLetterOrDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

wchar_t UnitFromBytes(std::uint8_t low, std::uint8_t high) {
    return static_cast<wchar_t>(low | (high << 8));
}

// Appends the code units of UTF-16 little-endian bytes through a small buffer, so that the
// text grows by whole runs rather than one unit at a time.
void AppendUnits(std::wstring& text, const std::uint8_t* bytes, size_t units) {
    wchar_t buffer[4096];
    while (units > 0) {
        const size_t count = std::min(units, std::size(buffer));
        for (size_t i = 0; i < count; ++i)
            buffer[i] = UnitFromBytes(bytes[2 * i], bytes[2 * i + 1]);
        text.append(buffer, count);
        bytes += 2 * count;
        units -= count;
    }
}

// Whether an end tag's name is the start tag's: the same ASCII letters settle it without
// asking the system, as they do in every file the program writes.
bool SameEndName(std::wstring_view endName, std::wstring_view tag) {
    return SameAsciiIgnoringCase(endName, tag) || SameTextIgnoringCase(endName, tag);
}

void AppendDecimal(std::wstring& out, long long number) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    out.append(buffer, result.ptr);
}

std::wstring_view Tagged(std::wstring& scratch, std::wstring_view prefix, std::wstring_view tag) {
    scratch.assign(prefix);
    scratch.append(tag);
    return scratch;
}

}  // namespace

std::wstring TextFromUtf16Le(const std::uint8_t* bytes, size_t count) {
    std::wstring text;
    text.reserve(count / 2);
    AppendUnits(text, bytes, count / 2);
    return text;
}

void AppendUtf16Le(std::wstring_view text, std::vector<std::uint8_t>& bytes) {
    const size_t start = bytes.size();
    bytes.resize(start + text.size() * 2);
    std::uint8_t* out = bytes.data() + start;
    for (size_t i = 0; i < text.size(); ++i) {
        auto value = static_cast<std::uint32_t>(text[i]);
        out[2 * i] = static_cast<std::uint8_t>(value & 0xFF);
        out[2 * i + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    }
}

// What a character that needs more than one byte is written as in the one-byte form.
constexpr std::uint32_t kNotOneByte = '?';

bool WriteEncoded(DataFile& file, std::wstring_view text, bool oneByte) {
    // One buffer for every piece, filled by index: no growing, no clearing first.
    const size_t unitBytes = oneByte ? 1 : 2;
    const auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(std::min(text.size(), kPieceUnits) * unitBytes);
    while (!text.empty()) {
        const std::wstring_view piece = text.substr(0, kPieceUnits);
        std::uint8_t* out = bytes.get();
        if (oneByte) {
            // No code page is involved. A character above 255 becomes "?": its low byte alone
            // could be a quote, a comma or a line feed and break the row.
            for (size_t i = 0; i < piece.size(); ++i) {
                const auto value = static_cast<std::uint32_t>(piece[i]);
                out[i] = static_cast<std::uint8_t>(value <= 0xFF ? value : kNotOneByte);
            }
        } else {
            for (size_t i = 0; i < piece.size(); ++i) {
                const auto value = static_cast<std::uint32_t>(piece[i]);
                out[2 * i] = static_cast<std::uint8_t>(value & 0xFF);
                out[2 * i + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
            }
        }
        if (!file.Write(out, piece.size() * unitBytes))
            return false;
        text.remove_prefix(piece.size());
    }
    return true;
}

bool WriteWholePieces(DataFile& file, std::wstring& text, bool oneByte) {
    const size_t whole = text.size() - text.size() % kPieceUnits;
    if (whole == 0)
        return true;
    const bool written = WriteEncoded(file, std::wstring_view(text).substr(0, whole), oneByte);
    text.erase(0, whole);
    return written;
}

void MarkupDocument::BeginElement(std::wstring_view tag) {
    output_ += L'<';
    output_ += tag;
    output_ += L'>';
}

void MarkupDocument::EndElement(std::wstring_view tag) {
    output_ += L"</"sv;
    output_ += tag;
    output_ += L'>';
    EndLine();
}

void MarkupDocument::EndLine() {
    output_ += kLineEnd;
    if (stream_ == nullptr || output_.size() < kPieceUnits)
        return;
    // After a failed write the rest is dropped: the file is not kept anyway.
    if (streamWritten_)
        streamWritten_ = WriteWholePieces(*stream_, output_, false);
    else
        output_.clear();
}

void MarkupDocument::WriteElement(std::wstring_view tag, std::wstring_view content) {
    BeginElement(tag);
    output_ += content;
    EndElement(tag);
}

void MarkupDocument::OpenElement(std::wstring_view tag) {
    BeginElement(tag);
    EndLine();
    openElements_.emplace_back(tag);
}

void MarkupDocument::CloseElement() {
    if (openElements_.empty())
        return;
    output_ += L"</"sv;
    output_ += openElements_.back();
    output_ += L'>';
    EndLine();
    openElements_.pop_back();
}

void MarkupDocument::WriteEmpty(std::wstring_view tag) {
    output_ += L'<';
    output_ += tag;
    output_ += L"/>"sv;
    EndLine();
}

void MarkupDocument::WriteText(std::wstring_view tag, std::wstring_view text) {
    if (text.empty()) {
        WriteEmpty(tag);
        return;
    }
    BeginElement(tag);
    AppendEscaped(output_, text);
    EndElement(tag);
}

void MarkupDocument::WriteInteger(std::wstring_view tag, long long number) {
    if (number == 0) {
        WriteEmpty(tag);
        return;
    }
    BeginElement(tag);
    AppendDecimal(output_, number);
    EndElement(tag);
}

void MarkupDocument::WriteBool(std::wstring_view tag, bool value) {
    if (value)
        WriteElement(tag, L"1"sv);
    else
        WriteEmpty(tag);
}

void MarkupDocument::WriteDouble(std::wstring_view tag, double number) {
    // NaN has no written form; it is stored as nothing, like 0.
    if (number == 0 || number != number)
        WriteEmpty(tag);
    else
        WriteElement(tag, FormatPlainDecimal(number));
}

void MarkupDocument::WriteByteList(std::wstring_view tag, const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) {
        WriteEmpty(tag);
        return;
    }
    BeginElement(tag);
    // Up to four characters a byte, made in a buffer and added a run at a time.
    wchar_t run[1024];
    wchar_t* out = run;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            *out++ = L',';
        const std::uint8_t byte = bytes[i];
        if (byte >= 100)
            *out++ = static_cast<wchar_t>(L'0' + byte / 100);
        if (byte >= 10)
            *out++ = static_cast<wchar_t>(L'0' + byte / 10 % 10);
        *out++ = static_cast<wchar_t>(L'0' + byte % 10);
        if (out > run + std::size(run) - 4) {
            output_.append(run, static_cast<size_t>(out - run));
            out = run;
        }
    }
    output_.append(run, static_cast<size_t>(out - run));
    EndElement(tag);
}

void MarkupDocument::WriteIntegerList(std::wstring_view tag, const std::vector<int>& integers) {
    if (integers.empty()) {
        WriteEmpty(tag);
        return;
    }
    BeginElement(tag);
    for (size_t i = 0; i < integers.size(); ++i) {
        if (i > 0)
            output_ += L',';
        AppendDecimal(output_, integers[i]);
    }
    EndElement(tag);
}

void MarkupDocument::StreamTo(DataFile& file) {
    stream_ = &file;
    streamWritten_ = WriteWholePieces(file, output_, false);
}

bool MarkupDocument::FinishStream() {
    if (stream_ != nullptr && streamWritten_)
        streamWritten_ = WriteEncoded(*stream_, output_, false);
    output_.clear();
    stream_ = nullptr;
    return streamWritten_;
}

bool MarkupDocument::SaveToFile(const std::wstring& path) const {
    return WriteFileReplacing(path, [this](DataFile& file) { return WriteEncoded(file, output_, false); });
}

bool MarkupDocument::LoadFromFile(const std::wstring& path) {
    DataFile file(path);
    const size_t size = file.Size();
    std::wstring text;
    text.reserve(size / 2);
    // Read in pieces and decoded as they come: the whole file is never held as bytes too.
    std::vector<std::uint8_t> piece(std::min(size, kChunkBytes));
    size_t total = 0;
    size_t read = 0;
    do {
        const size_t wanted = std::min(piece.size(), size - total);
        if (!file.Read(piece.data(), wanted, read))
            return false;
        total += read;
        AppendUnits(text, piece.data(), read / 2);
        if (read < wanted)
            break;  // the file ended early
    } while (total < size);
    // Only the last piece can end in half a code unit.
    Restart(std::move(text), total % 2 != 0, total % 2 != 0 ? piece[read - 1] : 0);
    return true;
}

void MarkupDocument::LoadFromBytes(const std::uint8_t* bytes, size_t count) {
    Restart(TextFromUtf16Le(bytes, count), count % 2 != 0, count % 2 != 0 ? bytes[count - 1] : 0);
}

void MarkupDocument::SetText(std::wstring text) {
    Restart(std::move(text), false, 0);
}

void MarkupDocument::Restart(std::wstring text, bool hasOddByte, std::uint8_t oddByte) {
    text_ = std::move(text);
    hasOddByte_ = hasOddByte;
    oddByte_ = oddByte;
    position_ = 0;
    selfClosing_ = false;
    endTag_ = false;
}

bool MarkupDocument::HasElement(std::wstring_view tag) {
    std::wstring pattern;
    size_t start = text_.find(Tagged(pattern, L"<", tag));
    if (start != std::wstring::npos)
        return text_.find(Tagged(pattern, L"</", tag), start) != std::wstring::npos;
    if (!FindOneByteElement(tag, true))
        return false;
    ConvertFromOneByte();
    return true;
}

bool MarkupDocument::HasStartTag(std::wstring_view tag) {
    std::wstring pattern;
    if (text_.find(Tagged(pattern, L"<", tag)) != std::wstring::npos)
        return true;
    if (!FindOneByteElement(tag, false))
        return false;
    ConvertFromOneByte();
    return true;
}

// Looks for the element in the file's bytes taken one per character, wherever it lies.
bool MarkupDocument::FindOneByteElement(std::wstring_view tag, bool needEndTag) const {
    std::vector<std::uint8_t> bytes;
    AppendUtf16Le(text_, bytes);
    if (hasOddByte_)
        bytes.push_back(oddByte_);
    auto asBytes = [](std::string_view prefix, std::wstring_view name) {
        std::vector<std::uint8_t> pattern(prefix.begin(), prefix.end());
        for (wchar_t c : name)
            pattern.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(c) & 0xFF));
        return pattern;
    };
    auto find = [&bytes](std::vector<std::uint8_t> pattern, std::vector<std::uint8_t>::const_iterator from) {
        return std::search(from, bytes.cend(), pattern.begin(), pattern.end());
    };
    auto start = find(asBytes("<", tag), bytes.cbegin());
    if (start == bytes.cend())
        return false;
    if (!needEndTag)
        return true;
    return find(asBytes("</", tag), start) != bytes.cend() || find(asBytes("/", tag), start) != bytes.cend();
}

void MarkupDocument::ConvertFromOneByte() {
    std::wstring converted;
    converted.reserve(text_.size() * 2 + 1);
    for (wchar_t unit : text_) {
        auto value = static_cast<std::uint32_t>(unit);
        converted += static_cast<wchar_t>(value & 0xFF);
        converted += static_cast<wchar_t>((value >> 8) & 0xFF);
    }
    if (hasOddByte_)
        converted += static_cast<wchar_t>(oddByte_);
    hasOddByte_ = false;
    text_ = std::move(converted);
    position_ = 0;
}

const wchar_t* MarkupDocument::NextTag() {
    // A tag without a name ("<>", "< />") is passed over, so that none means the end.
    selfClosing_ = false;
    endTag_ = false;
    while (position_ < text_.size()) {
        if (const wchar_t* name = NextTagOrNameless())
            return name;
    }
    return nullptr;
}

const wchar_t* MarkupDocument::NextTagOrNameless() {
    selfClosing_ = false;
    endTag_ = false;
    size_t open = text_.find(L'<', position_);
    if (open == std::wstring::npos) {
        position_ = text_.size();
        return nullptr;
    }
    position_ = open + 1;
    const wchar_t* name = nullptr;
    for (; position_ < text_.size(); ++position_) {
        wchar_t& c = text_[position_];
        if (IsWhiteSpace(c)) {
            c = L'\0';
        } else if (c == L'/') {
            if (name != nullptr)
                selfClosing_ = true;
            else
                endTag_ = true;
            c = L'\0';
        } else if (c == L'>') {
            c = L'\0';
            ++position_;
            return name;
        } else if (name == nullptr) {
            name = &c;
        }
    }
    return nullptr;
}

const wchar_t* MarkupDocument::ReadText(std::wstring_view tag) {
    textLength_ = 0;
    if (selfClosing_)
        return L"";
    if (endTag_) {
        endTag_ = false;
        return nullptr;
    }
    // The text runs to the next "<" and holds no ">"; both are found by whole-text searches.
    const std::wstring_view text = text_;
    const size_t open = text.find(L'<', position_);
    const size_t stray = text.substr(0, open).find(L'>', position_);
    if (stray != std::wstring_view::npos) {
        position_ = stray;
        return nullptr;
    }
    if (open == std::wstring_view::npos) {
        position_ = text_.size();
        return nullptr;
    }
    const size_t textStart = open > position_ ? position_ : std::wstring::npos;
    textLength_ = open - position_;
    text_[open] = L'\0';
    position_ = open + 1;
    return ReadEndTag(tag, textStart);
}

// Reads the tag after an element's text; the text when it is the element's end tag.
const wchar_t* MarkupDocument::ReadEndTag(std::wstring_view tag, size_t textStart) {
    size_t endNameStart = std::wstring::npos;
    bool slashSeen = false;
    for (; position_ < text_.size(); ++position_) {
        wchar_t& c = text_[position_];
        if (c == L'/') {
            if (slashSeen)
                return nullptr;
            slashSeen = true;
        } else if (c == L'<') {
            return nullptr;
        } else if (c == L'>') {
            if (endNameStart == std::wstring::npos)
                return nullptr;
            c = L'\0';
            std::wstring_view endName(text_.data() + endNameStart, position_ - endNameStart);
            ++position_;
            if (textStart == std::wstring::npos || !SameEndName(endName, tag))
                return nullptr;
            return text_.data() + textStart;
        } else if (slashSeen && endNameStart == std::wstring::npos && IsLetterOrDigit(c)) {
            endNameStart = position_;
        }
    }
    return nullptr;
}

double MarkupDocument::Progress() const {
    return text_.empty() ? 0 : static_cast<double>(position_) / static_cast<double>(text_.size());
}

int MarkupDocument::ProgressPercent() const {
    if (text_.empty())
        return 0;
    return static_cast<int>(static_cast<unsigned long long>(position_) * 100 / text_.size());
}
