#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/MarkupDocument.h"
#include "base/MarkupValues.h"
#include "support/TestFolder.h"

namespace {

std::wstring Name(const wchar_t* name) {
    return name == nullptr ? L"<none>" : std::wstring(name);
}

// Every tag's name with its flags: "A", "/A" for an end tag, "A/" for a self-closing tag.
std::vector<std::wstring> Tags(MarkupDocument& document) {
    std::vector<std::wstring> tags;
    while (const wchar_t* name = document.NextTag()) {
        std::wstring tag = name;
        if (document.IsEndTag())
            tag = L"/" + tag;
        if (document.IsSelfClosing())
            tag += L"/";
        tags.push_back(tag);
    }
    return tags;
}

std::wstring ReadFirst(const std::wstring& text, const std::wstring& tag) {
    MarkupDocument document;
    document.SetText(text);
    if (document.NextTag() == nullptr)
        return L"<no tag>";
    return Name(document.ReadText(tag));
}

TEST(MarkupReader, WrittenTextReadsBackThroughReadTextAndUnescape) {
    MarkupDocument writer;
    writer.WriteText(L"A", L"x<y & z>");
    writer.WriteText(L"B", L"");
    writer.WriteText(L"C", L"one\r\ntwo \"q\" 'a'\t;&amp;");
    // A ">" alone must be escaped too: the reader takes a raw one for a broken element.
    writer.WriteText(L"D", L"size > 5 cm");
    EXPECT_NE(writer.Output().find(L"<D>size &gt; 5 cm</D>"), std::wstring::npos);

    MarkupDocument reader;
    reader.SetText(writer.Output());
    EXPECT_EQ(Name(reader.NextTag()), L"A");
    EXPECT_EQ(Unescape(reader.ReadText(L"A")), L"x<y & z>");
    EXPECT_EQ(Name(reader.NextTag()), L"B");
    EXPECT_TRUE(reader.IsSelfClosing());
    EXPECT_EQ(Name(reader.ReadText(L"B")), L"");
    EXPECT_EQ(Name(reader.NextTag()), L"C");
    EXPECT_EQ(Unescape(reader.ReadText(L"C")), L"one\r\ntwo \"q\" 'a'\t;&amp;");
    EXPECT_EQ(Name(reader.NextTag()), L"D");
    EXPECT_EQ(Unescape(Name(reader.ReadText(L"D"))), L"size > 5 cm");
    EXPECT_EQ(reader.NextTag(), nullptr);
}

TEST(MarkupReader, ReadTextAnswersOnlyWhenTheMatchingEndTagFollows) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
            {L"<A>text</A>", L"text"},
            {L"<A>text</a>", L"text"},  // end tag compared ignoring case
            {L"<A>text</B>", L"<none>"},
            {L"<A></A>", L"<none>"},  // empty content reads like a missing value
            {L"<A>one\r\ntwo</A>", L"one\r\ntwo"},
            {L"<A>  padded  </A>", L"  padded  "},
            {L"<A>a/b</A>", L"a/b"},
            {L"<A>x<B>y</B></A>", L"<none>"},  // a start tag before the end tag
            {L"<A>x</A/>", L"<none>"},
            {L"<A>x<<A>", L"<none>"},
            {L"<A>x>y</A>", L"<none>"},
            {L"<A>unterminated", L"<none>"},
            {L"<A>x</A", L"<none>"},
            {L"<A>x</ A>", L"x"},
            {L"<A/>", L""},
            {L"</A>", L"<none>"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ReadFirst(text, L"A"), expected) << text;
}

TEST(MarkupReader, TagNamesStopAtWhiteSpaceAndSkipAttributesAndDeclarations) {
    MarkupDocument document;
    document.SetText(L"<?xml version=\"1.0\"?><ROOT a=\"1\">\r\n<A b='2'>v</A>\n< B >w</B><C/><D />\t</ROOT>");
    EXPECT_EQ(Tags(document),
              (std::vector<std::wstring>{L"?xml", L"ROOT", L"A", L"/A", L"B", L"/B", L"C/", L"D/", L"/ROOT"}));

    MarkupDocument attributes;
    attributes.SetText(L"<A b=\"1\">value</A>");
    EXPECT_EQ(Name(attributes.NextTag()), L"A");
    EXPECT_EQ(Name(attributes.ReadText(L"A")), L"value");
}

TEST(MarkupReader, AFailedReadLetsTheScanGoOn) {
    MarkupDocument document;
    document.SetText(L"<A>x</B>\r\n<C>y</C>\r\n<D>x<E>z</E></D>\r\n<F>w</F>");
    EXPECT_EQ(Name(document.NextTag()), L"A");
    EXPECT_EQ(document.ReadText(L"A"), nullptr);
    EXPECT_EQ(Name(document.NextTag()), L"C");
    EXPECT_EQ(Name(document.ReadText(L"C")), L"y");
    EXPECT_EQ(Name(document.NextTag()), L"D");
    EXPECT_EQ(document.ReadText(L"D"), nullptr);
    // The start tag that broke the read has been consumed with it.
    EXPECT_EQ(Name(document.NextTag()), L"E");
    EXPECT_TRUE(document.IsEndTag());
    EXPECT_EQ(document.ReadText(L"E"), nullptr);
    EXPECT_FALSE(document.IsEndTag());
    EXPECT_EQ(Name(document.NextTag()), L"D");
    EXPECT_EQ(Name(document.NextTag()), L"F");
    EXPECT_EQ(Name(document.ReadText(L"F")), L"w");
    EXPECT_EQ(document.NextTag(), nullptr);
    EXPECT_EQ(document.NextTag(), nullptr);
}

TEST(MarkupReader, MalformedTagsEndTheScanQuietly) {
    const std::pair<const wchar_t*, std::vector<std::wstring>> cases[] = {
            {L"", {}},         {L"<", {}},   {L"no tags at all", {}}, {L"<A", {}}, {L"<<<", {}},
            {L"< >", {}},      {L"</>", {}}, {L"<A>text<", {L"A"}},   {L"<>", {}}, {L"<A<B>", {L"A<B"}},
            {L"<A>>", {L"A"}},
    };
    for (const auto& [text, expected] : cases) {
        MarkupDocument document;
        document.SetText(text);
        EXPECT_EQ(Tags(document), expected) << text;
        EXPECT_EQ(document.NextTag(), nullptr) << text;
        EXPECT_EQ(document.ReadText(L"A"), nullptr) << text;
    }
}

TEST(MarkupReader, TagsWithoutANameArePassedOver) {
    MarkupDocument document;
    document.SetText(L"< ><A>v</A><//><B/>");
    EXPECT_EQ(Name(document.NextTag()), L"A");
    EXPECT_EQ(Name(document.ReadText(L"A")), L"v");
    EXPECT_EQ(Name(document.NextTag()), L"B");
    EXPECT_TRUE(document.IsSelfClosing());
    EXPECT_FALSE(document.IsEndTag());
    EXPECT_EQ(document.NextTag(), nullptr);
}

TEST(MarkupReader, NulCodeUnitsInTheFileDoNotDerailTheScan) {
    std::wstring text = L"<A>v";
    text += L'\0';
    text += L"w</A><B>";
    text += L'\0';
    text += L"</B><C>ok</C>";
    MarkupDocument document;
    document.SetText(text);
    EXPECT_EQ(Name(document.NextTag()), L"A");
    EXPECT_EQ(Name(document.ReadText(L"A")), L"v");  // the value ends at the NUL
    EXPECT_EQ(Name(document.NextTag()), L"B");
    EXPECT_EQ(Name(document.ReadText(L"B")), L"");
    EXPECT_EQ(Name(document.NextTag()), L"C");
    EXPECT_EQ(Name(document.ReadText(L"C")), L"ok");
}

TEST(MarkupReader, ProgressGoesFromZeroToOneHundred) {
    MarkupDocument empty;
    empty.SetText(L"");
    EXPECT_EQ(empty.ProgressPercent(), 0);

    MarkupDocument document;
    document.SetText(L"<A>1</A><B>2</B>");  // 16 code units
    EXPECT_EQ(document.ProgressPercent(), 0);
    document.NextTag();
    EXPECT_EQ(document.ProgressPercent(), 3 * 100 / 16);
    document.ReadText(L"A");
    EXPECT_EQ(document.ProgressPercent(), 8 * 100 / 16);
    while (document.NextTag() != nullptr) {
    }
    EXPECT_EQ(document.ProgressPercent(), 100);
}

TEST(MarkupReader, HasElementFindsTheRootInTheUtf16Document) {
    MarkupDocument document;
    document.SetText(L"<ORVELLE>\r\n<X/>\r\n</ORVELLE>\r\n");
    EXPECT_TRUE(document.HasElement(L"ORVELLE"));
    EXPECT_FALSE(document.HasElement(L"X"));        // no end tag for a self-closed element
    EXPECT_FALSE(document.HasElement(L"orvelle"));  // case matters here
    EXPECT_FALSE(document.HasElement(L"MISSING"));
    EXPECT_EQ(Name(document.NextTag()), L"ORVELLE");

    MarkupDocument unclosed;
    unclosed.SetText(L"<ORVELLE>\r\n<A>1</A>");
    EXPECT_FALSE(unclosed.HasElement(L"ORVELLE"));
}

TEST(MarkupReader, OneBytePerCharacterFilesAreReadLikeUtf16Files) {
    TestFolder folder;
    std::wstring path = folder.File(L"old.xml");
    std::string content = "<ORVELLE>\r\n<NAME>Caf\xE9 &amp; Bar</NAME>\r\n</ORVELLE>\r\n";
    ASSERT_TRUE(WriteFileBytes(path, AsciiBytes(content)));

    MarkupDocument document;
    ASSERT_TRUE(document.LoadFromFile(path));
    ASSERT_TRUE(document.HasElement(L"ORVELLE"));
    EXPECT_EQ(Name(document.NextTag()), L"ORVELLE");
    EXPECT_EQ(Name(document.NextTag()), L"NAME");
    EXPECT_EQ(Unescape(document.ReadText(L"NAME")), L"Caf\x00E9 & Bar");
    EXPECT_EQ(Name(document.NextTag()), L"ORVELLE");
    EXPECT_TRUE(document.IsEndTag());
    EXPECT_EQ(document.NextTag(), nullptr);
}

TEST(MarkupReader, OneByteFilesKeepTheirLastByteAndMayStartAtAnOddOffset) {
    // Odd length: the final ">" must survive; a leading byte puts the root at an odd offset.
    for (std::string content : {std::string("<R><A>x</A></R>"), std::string(" <R><A>x</A></R>"),
                                std::string("\xEF\xBB\xBF<R><A>x</A></R>\n")}) {
        MarkupDocument document;
        auto bytes = AsciiBytes(content);
        document.LoadFromBytes(bytes.data(), bytes.size());
        ASSERT_TRUE(document.HasElement(L"R")) << content;
        std::vector<std::wstring> tags;
        while (const wchar_t* name = document.NextTag()) {
            tags.push_back((document.IsEndTag() ? L"/" : L"") + std::wstring(name));
            if (tags.back() == L"A") {
                EXPECT_EQ(Name(document.ReadText(L"A")), L"x");
            }
        }
        EXPECT_EQ(tags, (std::vector<std::wstring>{L"R", L"A", L"/R"})) << content;
    }
}

TEST(MarkupReader, OneByteFilesNeedTheRootsEndTag) {
    for (std::string content : {std::string("<R><A>x</A>"), std::string("<R>")}) {
        MarkupDocument document;
        auto bytes = AsciiBytes(content);
        document.LoadFromBytes(bytes.data(), bytes.size());
        EXPECT_FALSE(document.HasElement(L"R")) << content;
    }
    // "/R" anywhere after the root will do, as with a self-closed root.
    MarkupDocument selfClosed;
    auto bytes = AsciiBytes("<R/R>");
    selfClosed.LoadFromBytes(bytes.data(), bytes.size());
    EXPECT_TRUE(selfClosed.HasElement(L"R"));
}

TEST(MarkupReader, LoadingAMissingFileFails) {
    TestFolder folder;
    MarkupDocument document;
    EXPECT_FALSE(document.LoadFromFile(folder.File(L"absent.xml")));
    EXPECT_FALSE(document.LoadFromFile(folder.Path()));
}

TEST(MarkupReader, AUtf16FileOfOddLengthLosesOnlyItsLastByte) {
    TestFolder folder;
    std::wstring path = folder.File(L"cut.xml");
    auto bytes = Utf16Bytes(L"<A>v</A>");
    bytes.push_back(0x3C);
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    MarkupDocument document;
    ASSERT_TRUE(document.LoadFromFile(path));
    EXPECT_TRUE(document.HasElement(L"A"));
    EXPECT_EQ(Name(document.NextTag()), L"A");
    EXPECT_EQ(Name(document.ReadText(L"A")), L"v");
    EXPECT_EQ(document.NextTag(), nullptr);
}

}  // namespace
