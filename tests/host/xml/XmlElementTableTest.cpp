// The segmented record table: the count of start tags that sizes it, the
// reservation taken a segment at a time, growth steps beyond it, segment
// boundaries, and that growing moves only the last segment.
#include <gtest/gtest.h>

#include <string>

#include "xml/XmlElementTable.h"
#include "xml/XmlNodeScanner.h"

namespace {

using xml::ElementTable;
constexpr uint32_t kSegment = ElementTable::kSegmentRecords;

// --- count of start tags ---------------------------------------------------

uint32_t Bound(const std::string& text) {
    return xml::StartTagCountBound(text.data(), static_cast<uint32_t>(text.size()));
}

// Start tags a scan yields before its end or its first error.
uint32_t ScannedStartTags(const std::string& text) {
    xml::NodeScanner scanner(text.data(), static_cast<uint32_t>(text.size()));
    uint32_t count = 0;
    for (xml::Node node = scanner.Next(); node.kind >= 0; node = scanner.Next())
        if (node.kind == xml::kNodeStartTag) ++count;
    return count;
}

TEST(XmlStartTagCountBound, IsTheNumberOfStartTagsOfAPlainDocument) {
    EXPECT_EQ(Bound("<r><a x=\"1\"/><b>t</b></r>"), 3u);
    EXPECT_EQ(Bound("<\xb5\xd8>\x81<e/>\xd6\xd0</\xb5\xd8>"), 2u);  // GBK names and text
    EXPECT_EQ(Bound(""), 0u);
}

TEST(XmlStartTagCountBound, EveryLessThanSignButThoseOfEndTagsCounts) {
    // The declaration, the doctype and its element declaration, and r, a, b.
    EXPECT_EQ(Bound("<?xml version=\"1.0\"?>\r\n<!DOCTYPE r [<!ELEMENT r ANY>]>\r\n"
                    "<r><a x=\"1\"/><b>t</b></r>"),
              6u);
    EXPECT_EQ(Bound("</r></a></\xb5\xd8>"), 0u);
    EXPECT_EQ(Bound("<"), 0u);  // nothing can follow it
}

TEST(XmlStartTagCountBound, CountsMarkupInsideCommentsCdataAndValues) {
    // r, the comment, a, the CDATA section, b, c and d, of which a scan takes
    // only r and c for start tags.
    std::string text = "<r><!-- <a> --><![CDATA[<b>]]><c v=\"<d>\"/></r>";
    EXPECT_EQ(Bound(text), 7u);
    EXPECT_EQ(ScannedStartTags(text), 2u);
}

TEST(XmlStartTagCountBound, CountsAcrossTheBlocksOfTheByteCount) {
    // A long document goes through the counting loop in blocks; the pairs
    // that straddle a block's end count once, as do those of the tail.
    for (size_t padding = 0; padding < 300; padding += 7) {
        std::string tags(padding, ' ');
        for (int i = 0; i < 1000; ++i) tags += "<a></a>";
        ASSERT_EQ(Bound(tags), 1000u) << padding;
        ASSERT_EQ(Bound(tags + "<"), 1000u) << padding;
    }
}

TEST(XmlStartTagCountBound, NeverBelowWhatAScanOfAnyPrefixFinds) {
    // A doctype with nested declarations, quoted closes, a lead byte before
    // markup, an empty element, CDATA that a trail-byte "]" keeps open past a
    // tag, GBK names.
    const std::string text =
        "<!DOCTYPE r [<!ELEMENT r ANY><!-- <x> -->]><r a='>\"' b=\"'>\"><c>\x81</c><d/>"
        "<![CDATA[\x81]]><e>]]><f\xb5\xd8 g=\"<h>\">\xb5\xd8<i/></f\xb5\xd8></r>";
    ASSERT_EQ(ScannedStartTags(text), 5u);  // r, c, d, f and i
    for (size_t length = 0; length <= text.size(); ++length) {
        std::string prefix = text.substr(0, length);
        ASSERT_GE(Bound(prefix), ScannedStartTags(prefix)) << prefix;
    }
}

// --- reservation ----------------------------------------------------------

TEST(XmlElementTableReset, TakesTheFirstSegmentNowAndTheOthersAsGrowReachesThem) {
    ElementTable table;
    ASSERT_TRUE(table.Reset(2 * kSegment + 5));
    EXPECT_EQ(table.Capacity(), kSegment);
    ASSERT_TRUE(table.Grow());
    EXPECT_EQ(table.Capacity(), 2 * kSegment);
    ASSERT_TRUE(table.Grow());
    EXPECT_EQ(table.Capacity(), 2 * kSegment + 5);  // the last one sized to what is left
    for (uint32_t pos = 0; pos < table.Capacity(); ++pos) table[pos].start = pos;
    for (uint32_t pos = 0; pos < table.Capacity(); ++pos) ASSERT_EQ(table[pos].start, pos);
    ASSERT_TRUE(table.Grow());  // past the reservation: by half, up to the boundary
    EXPECT_EQ(table.Capacity(), 3 * kSegment);
}

TEST(XmlElementTableReset, KeepsStorageThatFitsClosely) {
    ElementTable table;
    ASSERT_TRUE(table.Reset(1000));
    ASSERT_TRUE(table.Grow());
    EXPECT_TRUE(table.Reset(1000));
    EXPECT_EQ(table.Capacity(), 1500u);
    ASSERT_TRUE(table.Grow());  // the kept storage is all there is: growth by half
    EXPECT_EQ(table.Capacity(), 2250u);

    EXPECT_TRUE(table.Reset(8 + 2 * kSegment));
    while (table.Capacity() < 8 + 2 * kSegment) ASSERT_TRUE(table.Grow());
    EXPECT_EQ(table.Capacity(), 8 + 2 * kSegment);
    EXPECT_TRUE(table.Reset(8));  // far too much: given back
    EXPECT_EQ(table.Capacity(), 8u);
}

// --- growth beyond the reservation ----------------------------------------

TEST(XmlElementTableGrow, GrowsByHalf) {
    ElementTable table;
    ASSERT_TRUE(table.Reset(8));
    EXPECT_EQ(table.Capacity(), 8u);
    ASSERT_TRUE(table.Grow());
    EXPECT_EQ(table.Capacity(), 12u);
    ASSERT_TRUE(table.Grow());
    EXPECT_EQ(table.Capacity(), 18u);
}

TEST(XmlElementTableGrow, StopsAtTheSegmentBoundary) {
    ElementTable table;
    ASSERT_TRUE(table.Reset(60000));
    ASSERT_TRUE(table.Grow());
    EXPECT_EQ(table.Capacity(), kSegment);  // not 90000
    ASSERT_TRUE(table.Grow());
    EXPECT_EQ(table.Capacity(), kSegment + kSegment / 2);  // a new segment of half the capacity
    ASSERT_TRUE(table.Grow());
    EXPECT_EQ(table.Capacity(), 2 * kSegment);  // the last one filled up to its boundary
    ASSERT_TRUE(table.Grow());
    EXPECT_EQ(table.Capacity(), 3 * kSegment);  // then a whole segment at a time
}

TEST(XmlElementTableGrow, KeepsRecordsAndMovesOnlyTheLastSegment) {
    ElementTable table;
    ASSERT_TRUE(table.Reset(kSegment + 100));
    ASSERT_TRUE(table.Grow());
    ASSERT_EQ(table.Capacity(), kSegment + 100);
    for (uint32_t pos = 0; pos < table.Capacity(); ++pos) table[pos].start = pos;
    xml::ElementRecord* firstSegment = &table[0];
    ASSERT_TRUE(table.Grow());
    EXPECT_EQ(&table[0], firstSegment);
    EXPECT_EQ(table.Capacity(), kSegment + 100 + (kSegment + 100) / 2);
    for (uint32_t pos = 0; pos < kSegment + 100; ++pos) ASSERT_EQ(table[pos].start, pos);
}

}  // namespace
