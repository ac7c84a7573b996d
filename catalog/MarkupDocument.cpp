#include "catalog/MarkupDocument.h"

#include <algorithm>
#include <charconv>

#include "catalog/DataFile.h"
#include "catalog/MarkupValues.h"
#include "catalog/NumberFormat.h"
#include "catalog/TextCompare.h"

namespace {

constexpr std::wstring_view kLineEnd = L"\r\n";
// Files are converted to and from code units in pieces of this many bytes.
constexpr size_t kChunkBytes = 1 << 16;

bool IsWhiteSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

bool IsLetterOrDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

wchar_t UnitFromBytes(std::uint8_t low, std::uint8_t high) {
    return static_cast<wchar_t>(low | (high << 8));
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

void AppendUtf16Le(std::wstring_view text, std::vector<std::uint8_t>& bytes) {
    const size_t start = bytes.size();
    bytes.resize(start + text.size() * 2);
    // Through a plain pointer: a byte at a time through the vector is slow in debug builds.
    std::uint8_t* out = bytes.data() + start;
    for (wchar_t unit : text) {
        auto value = static_cast<std::uint32_t>(unit);
        *out++ = static_cast<std::uint8_t>(value & 0xFF);
        *out++ = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    }
}

void MarkupDocument::WriteElement(std::wstring_view tag, std::wstring_view content) {
    output_ += L'<';
    output_ += tag;
    output_ += L'>';
    output_ += content;
    output_ += L"</";
    output_ += tag;
    output_ += L'>';
    output_ += kLineEnd;
}

void MarkupDocument::OpenElement(std::wstring_view tag) {
    output_ += L'<';
    output_ += tag;
    output_ += L'>';
    output_ += kLineEnd;
    openElements_.emplace_back(tag);
}

void MarkupDocument::CloseElement() {
    if (openElements_.empty())
        return;
    output_ += L"</";
    output_ += openElements_.back();
    output_ += L'>';
    output_ += kLineEnd;
    openElements_.pop_back();
}

void MarkupDocument::WriteEmpty(std::wstring_view tag) {
    output_ += L'<';
    output_ += tag;
    output_ += L"/>";
    output_ += kLineEnd;
}

void MarkupDocument::WriteText(std::wstring_view tag, std::wstring_view text) {
    if (text.empty())
        WriteEmpty(tag);
    else
        WriteElement(tag, Escape(text));
}

void MarkupDocument::WriteInteger(std::wstring_view tag, long long number) {
    if (number == 0) {
        WriteEmpty(tag);
        return;
    }
    std::wstring content;
    AppendDecimal(content, number);
    WriteElement(tag, content);
}

void MarkupDocument::WriteBool(std::wstring_view tag, bool value) {
    if (value)
        WriteElement(tag, L"1");
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
    std::wstring content;
    content.reserve(bytes.size() * 4);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            content += L',';
        AppendDecimal(content, bytes[i]);
    }
    WriteElement(tag, content);
}

void MarkupDocument::WriteIntegerList(std::wstring_view tag, const std::vector<int>& integers) {
    if (integers.empty()) {
        WriteEmpty(tag);
        return;
    }
    std::wstring content;
    for (size_t i = 0; i < integers.size(); ++i) {
        if (i > 0)
            content += L',';
        AppendDecimal(content, integers[i]);
    }
    WriteElement(tag, content);
}

bool MarkupDocument::SaveToFile(const std::wstring& path) const {
    return WriteFileReplacing(path, [this](DataFile& file) {
        std::vector<std::uint8_t> bytes;
        std::wstring_view rest = output_;
        while (!rest.empty()) {
            std::wstring_view piece = rest.substr(0, kChunkBytes / 2);
            bytes.clear();
            AppendUtf16Le(piece, bytes);
            if (!file.Write(bytes.data(), bytes.size()))
                return false;
            rest.remove_prefix(piece.size());
        }
        return true;
    });
}

bool MarkupDocument::LoadFromFile(const std::wstring& path) {
    DataFile file(path);
    std::vector<std::uint8_t> bytes;
    if (!file.ReadAll(bytes))
        return false;
    LoadFromBytes(bytes.data(), bytes.size());
    return true;
}

void MarkupDocument::LoadFromBytes(const std::uint8_t* bytes, size_t count) {
    text_.clear();
    text_.reserve(count / 2);
    for (size_t i = 0; i + 1 < count; i += 2)
        text_ += UnitFromBytes(bytes[i], bytes[i + 1]);
    hasOddByte_ = count % 2 != 0;
    oddByte_ = hasOddByte_ ? bytes[count - 1] : 0;
    position_ = 0;
    selfClosing_ = false;
    endTag_ = false;
}

void MarkupDocument::SetText(std::wstring text) {
    text_ = std::move(text);
    hasOddByte_ = false;
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
    if (selfClosing_)
        return L"";
    if (endTag_) {
        endTag_ = false;
        return nullptr;
    }
    size_t textStart = std::wstring::npos;
    size_t endNameStart = std::wstring::npos;
    bool insideTag = false;
    bool slashSeen = false;
    for (; position_ < text_.size(); ++position_) {
        wchar_t& c = text_[position_];
        if (insideTag) {
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
                if (textStart == std::wstring::npos || !SameTextIgnoringCase(endName, tag))
                    return nullptr;
                return text_.data() + textStart;
            } else if (slashSeen && endNameStart == std::wstring::npos && IsLetterOrDigit(c)) {
                endNameStart = position_;
            }
        } else if (c == L'<') {
            c = L'\0';
            insideTag = true;
        } else if (c == L'>') {
            return nullptr;
        } else if (textStart == std::wstring::npos) {
            textStart = position_;
        }
    }
    return nullptr;
}

int MarkupDocument::ProgressPercent() const {
    if (text_.empty())
        return 0;
    return static_cast<int>(static_cast<unsigned long long>(position_) * 100 / text_.size());
}
