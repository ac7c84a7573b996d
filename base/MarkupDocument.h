#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The program's own markup: a flat writer of one element per line, and a forward-only
// reader that scans the whole document in place. Files are UTF-16 little-endian without a
// byte-order mark; the reader falls back to one byte per character when asked for an
// element that only appears in that form.
class DataFile;

class MarkupDocument {
public:
    MarkupDocument() = default;
    MarkupDocument(const MarkupDocument&) = delete;
    MarkupDocument& operator=(const MarkupDocument&) = delete;

    // Writer. Each element ends with CR LF.
    void OpenElement(std::wstring_view tag);
    void CloseElement();
    void WriteEmpty(std::wstring_view tag);
    void WriteText(std::wstring_view tag, std::wstring_view text);
    void WriteInteger(std::wstring_view tag, long long number);
    void WriteBool(std::wstring_view tag, bool value);
    void WriteDouble(std::wstring_view tag, double number);
    void WriteByteList(std::wstring_view tag, const std::vector<std::uint8_t>& bytes);
    void WriteIntegerList(std::wstring_view tag, const std::vector<int>& integers);
    const std::wstring& Output() const { return output_; }
    bool SaveToFile(const std::wstring& path) const;
    // Sends what is written to the file in pieces as it grows, instead of keeping it all for
    // Output and SaveToFile; FinishStream writes the rest and says whether every piece went.
    void StreamTo(DataFile& file);
    bool FinishStream();

    // Reader. Names and texts handed out point into the document text, ended in place by a
    // NUL, and stay valid while the document lives.
    bool LoadFromFile(const std::wstring& path);
    void LoadFromBytes(const std::uint8_t* bytes, size_t count);
    void SetText(std::wstring text);
    bool HasElement(std::wstring_view tag);
    // Whether the element's start tag is there, with or without its end tag (a file cut
    // short); converts a one-byte file like HasElement.
    bool HasStartTag(std::wstring_view tag);
    // The next tag's name; null at the end of the document.
    const wchar_t* NextTag();
    bool IsEndTag() const { return endTag_; }
    bool IsSelfClosing() const { return selfClosing_; }
    // The text of the element NextTag has just returned when its end tag follows; null otherwise.
    const wchar_t* ReadText(std::wstring_view tag);
    // The length of the text ReadText last handed out, up to the tag after it; a NUL inside
    // ends it earlier for every reader of values, as it does the text handed out.
    size_t TextLength() const { return textLength_; }
    int ProgressPercent() const;
    // The share of the text read so far, from 0 to 1.
    double Progress() const;

private:
    void BeginElement(std::wstring_view tag);
    void EndElement(std::wstring_view tag);
    // Ends the line; a streamed document writes out the whole pieces it holds.
    void EndLine();
    void WriteElement(std::wstring_view tag, std::wstring_view content);
    void Restart(std::wstring text, bool hasOddByte, std::uint8_t oddByte);
    const wchar_t* ReadEndTag(std::wstring_view tag, size_t textStart);
    const wchar_t* NextTagOrNameless();
    bool FindOneByteElement(std::wstring_view tag, bool needEndTag) const;
    void ConvertFromOneByte();

    std::wstring output_;
    std::vector<std::wstring> openElements_;
    DataFile* stream_ = nullptr;
    bool streamWritten_ = true;

    std::wstring text_;
    size_t position_ = 0;
    size_t textLength_ = 0;
    bool selfClosing_ = false;
    bool endTag_ = false;
    // A file of odd length keeps its last byte here: it belongs to the text only when the
    // document turns out to be one byte per character.
    bool hasOddByte_ = false;
    std::uint8_t oddByte_ = 0;
};

// Two bytes per code unit, low byte first; an odd last byte is left out.
std::wstring TextFromUtf16Le(const std::uint8_t* bytes, size_t count);
// Two bytes per code unit, low byte first.
void AppendUtf16Le(std::wstring_view text, std::vector<std::uint8_t>& bytes);
// Writes the text to the file in pieces of 64 KiB of UTF-16 little-endian or, with oneByte,
// one byte per code unit: the unit itself up to 255, "?" above (no code page is involved).
bool WriteEncoded(DataFile& file, std::wstring_view text, bool oneByte);
// Writes the whole pieces the text holds and keeps the rest in it: a long text goes out as it
// grows, and the file's bytes are the same as from one WriteEncoded of the whole.
bool WriteWholePieces(DataFile& file, std::wstring& text, bool oneByte);
