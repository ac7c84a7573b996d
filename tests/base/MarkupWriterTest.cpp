#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/DataFile.h"
#include "base/MarkupDocument.h"
#include "base/MarkupValues.h"
#include "base/NumberFormat.h"
#include "support/TestFolder.h"

namespace {

std::wstring Written(void (*write)(MarkupDocument&)) {
    MarkupDocument document;
    write(document);
    return document.Output();
}

// The content between the tags of a one-element document.
std::wstring ElementContent(const std::wstring& line) {
    size_t open = line.find(L'>');
    size_t close = line.find(L"</");
    if (open == std::wstring::npos || close == std::wstring::npos)
        return L"";
    return line.substr(open + 1, close - open - 1);
}

TEST(MarkupWriter, WritesEachValueSyntaxOnItsOwnLine) {
    MarkupDocument document;
    document.WriteText(L"A", L"x<y & z>");
    document.WriteText(L"B", L"");
    document.WriteText(L"Q", L"say \"hi\"\tit's\r\nnew");
    document.WriteInteger(L"C", 0);
    document.WriteInteger(L"D", -42);
    document.WriteBool(L"E", false);
    document.WriteBool(L"F", true);
    document.WriteDouble(L"G", 0);
    document.WriteDouble(L"H", 12.5);
    document.WriteDouble(L"I", 1234.567);
    document.WriteByteList(L"J", {});
    document.WriteByteList(L"K", {0, 7, 255});
    document.WriteIntegerList(L"L", {});
    document.WriteIntegerList(L"M", {-1, 0, 2147483647});
    document.WriteEmpty(L"N");
    EXPECT_EQ(document.Output(),
              L"<A>x&lt;y &amp; z&gt;</A>\r\n"
              L"<B/>\r\n"
              L"<Q>say \"hi\"\tit's\r\nnew</Q>\r\n"
              L"<C/>\r\n"
              L"<D>-42</D>\r\n"
              L"<E/>\r\n"
              L"<F>1</F>\r\n"
              L"<G/>\r\n"
              L"<H>12.5</H>\r\n"
              L"<I>1234.567</I>\r\n"
              L"<J/>\r\n"
              L"<K>0,7,255</K>\r\n"
              L"<L/>\r\n"
              L"<M>-1,0,2147483647</M>\r\n"
              L"<N/>\r\n");
}

TEST(MarkupWriter, ContainersNestWithoutIndentationAndCloseInnermostFirst) {
    EXPECT_EQ(Written([](MarkupDocument& d) {
                  d.CloseElement();  // nothing open: nothing written
                  d.OpenElement(L"ORVELLE");
                  d.OpenElement(L"SPECIMENLIST");
                  d.WriteText(L"TAG", L"7");
                  d.CloseElement();
                  d.CloseElement();
                  d.CloseElement();
              }),
              L"<ORVELLE>\r\n<SPECIMENLIST>\r\n<TAG>7</TAG>\r\n</SPECIMENLIST>\r\n</ORVELLE>\r\n");
}

TEST(MarkupWriter, SavedFileIsUtf16LittleEndianWithoutByteOrderMark) {
    TestFolder folder;
    MarkupDocument document;
    document.OpenElement(L"R");
    document.WriteText(L"T", std::wstring(L"\x00E9\x4E2D"));
    document.CloseElement();
    ASSERT_TRUE(document.SaveToFile(folder.File(L"out.xml")));
    std::vector<std::uint8_t> expected = {0x3C, 0, 'R',  0,    0x3E, 0, '\r', 0, '\n', 0, 0x3C, 0, 'T',  0, 0x3E, 0,
                                          0xE9, 0, 0x2D, 0x4E, 0x3C, 0, '/',  0, 'T',  0, 0x3E, 0, '\r', 0, '\n', 0,
                                          0x3C, 0, '/',  0,    'R',  0, 0x3E, 0, '\r', 0, '\n', 0};
    EXPECT_EQ(ReadFileBytes(folder.File(L"out.xml")), expected);
}

// A catalog is written as it is made, in pieces; the file must not show where they were cut.
TEST(MarkupWriter, AStreamedDocumentIsTheDocumentKeptWhole) {
    TestFolder folder;
    auto write = [](MarkupDocument& d) {
        d.OpenElement(L"ROOT");
        for (int i = 0; i < 9000; ++i) {
            d.WriteText(L"T", L"a & b <" + std::wstring(static_cast<size_t>(i % 7), L'\x00E9') + L">");
            d.WriteByteList(L"B", {static_cast<std::uint8_t>(i), 0, 255});
            d.WriteDouble(L"D", i * 0.25);
        }
        d.CloseElement();
    };
    MarkupDocument whole;
    write(whole);
    ASSERT_TRUE(whole.SaveToFile(folder.File(L"whole.xml")));
    ASSERT_TRUE(WriteFileReplacing(folder.File(L"streamed.xml"), [&](DataFile& file) {
        MarkupDocument streamed;
        streamed.StreamTo(file);
        write(streamed);
        return streamed.FinishStream();
    }));
    const std::vector<std::uint8_t> bytes = ReadFileBytes(folder.File(L"whole.xml"));
    EXPECT_GT(bytes.size(), 4u << 16);
    EXPECT_TRUE(ReadFileBytes(folder.File(L"streamed.xml")) == bytes);
}

TEST(MarkupWriter, SavingReplacesAnOlderLongerFile) {
    TestFolder folder;
    std::wstring path = folder.File(L"out.xml");
    ASSERT_TRUE(WriteFileBytes(path, std::vector<std::uint8_t>(1000, 'x')));
    MarkupDocument document;
    document.WriteEmpty(L"A");
    ASSERT_TRUE(document.SaveToFile(path));
    EXPECT_EQ(ReadFileBytes(path), Utf16Bytes(L"<A/>\r\n"));
}

TEST(MarkupWriter, SavingIntoAMissingFolderFails) {
    TestFolder folder;
    MarkupDocument document;
    document.WriteEmpty(L"A");
    EXPECT_FALSE(document.SaveToFile(folder.File(L"missing\\out.xml")));
}

TEST(MarkupWriter, DoublesKeepEveryDigitTheyHave) {
    const std::pair<double, const wchar_t*> cases[] = {
            {12.5, L"12.5"},   {0.25, L"0.25"},     {1234.567, L"1234.567"}, {999999, L"999999"},
            {-3.75, L"-3.75"}, {0.0001, L"0.0001"}, {100, L"100"},           {0.000123456, L"0.000123456"},
    };
    for (const auto& [value, text] : cases) {
        MarkupDocument document;
        document.WriteDouble(L"V", value);
        EXPECT_EQ(ElementContent(document.Output()), text) << value;
    }
}

TEST(MarkupWriter, DoublesAreWrittenAsPlainDecimalsWithoutRounding) {
    const std::pair<double, const wchar_t*> cases[] = {
            {1e6, L"1000000"},
            {1234567, L"1234567"},
            {-2.5e6, L"-2500000"},
            {999999.5, L"999999.5"},
            {1.23456789e9, L"1234567890"},
            {1e-5, L"0.00001"},
            {1234585, L"1234585"},
            {12345.67, L"12345.67"},
            {1.25e-5, L"0.0000125"},
            {-7.654321e-8, L"-0.00000007654321"},
    };
    for (const auto& [value, text] : cases) {
        MarkupDocument document;
        document.WriteDouble(L"V", value);
        EXPECT_EQ(ElementContent(document.Output()), text) << value;
    }
}

TEST(MarkupWriter, EveryWrittenDoubleReadsBackAsTheSameNumber) {
    const double cases[] = {1e6,  123456789.0, 9.87654321e15, 1e300,    1.7976931348623157e308,
                            1e-5, 3.3e-9,      1e-300,        4.9e-324, -6.02214e23,
                            0.1,  2.5,         1e-4,          99999.95};
    for (double value : cases) {
        MarkupDocument document;
        document.WriteDouble(L"V", value);
        std::wstring content = ElementContent(document.Output());
        EXPECT_EQ(content.find(L'e'), std::wstring::npos) << value;
        EXPECT_EQ(ParseDouble(content), value) << value;
    }
}

TEST(MarkupWriter, NumbersWithoutAWrittenFormStayReadable) {
    MarkupDocument infinite;
    infinite.WriteDouble(L"V", std::numeric_limits<double>::infinity());
    double readBack = ParseDouble(ElementContent(infinite.Output()));
    EXPECT_TRUE(std::isfinite(readBack));
    EXPECT_EQ(FormatGeneral(readBack), FormatGeneral(std::numeric_limits<double>::max()));

    MarkupDocument notANumber;
    notANumber.WriteDouble(L"V", std::nan(""));
    EXPECT_EQ(notANumber.Output(), L"<V/>\r\n");
}

}  // namespace
