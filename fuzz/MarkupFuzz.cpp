// Loads arbitrary bytes as a markup document and walks it the way the catalog reader does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/MarkupDocument.h"
#include "base/MarkupValues.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    MarkupDocument document;
    document.LoadFromBytes(data, size);
    // The first byte picks the root asked for, so both the UTF-16 and one-byte paths run.
    const wchar_t* roots[] = {L"ORVELLE", L"A", L"OPTIONS", L"X"};
    document.HasElement(roots[size > 0 ? data[0] % 4 : 0]);
    document.HasElement(L"SPECIMEN");
    int steps = 0;
    while (const wchar_t* name = document.NextTag()) {
        document.ProgressPercent();
        if (document.IsEndTag() || (++steps % 3) == 0)
            continue;
        if (const wchar_t* text = document.ReadText(name)) {
            // The catalog reader hands values on with the length the document tells; they must
            // read as the text up to its NUL does, and escaping must give them back unchanged.
            const std::wstring plain = Unescape(text);
            if (Unescape(std::wstring_view(text, document.TextLength())) != plain || Unescape(Escape(plain)) != plain)
                std::abort();
            ParseInteger(text);
            ParseDouble(text);
            ParseByteList(text, 255);
            ParseIntegerList(text, 1000);
        }
    }
    return 0;
}
