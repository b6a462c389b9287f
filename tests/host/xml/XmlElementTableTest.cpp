// The segmented record table: growth steps, segment boundaries, and that
// growing moves only the last segment.
#include <gtest/gtest.h>

#include "xml/XmlElementTable.h"

namespace {

using xml::ElementTable;
constexpr uint32_t kSegment = ElementTable::kSegmentRecords;

TEST(XmlElementTable, GrowsByHalf) {
    ElementTable table;
    ASSERT_TRUE(table.Reset(8));
    EXPECT_EQ(table.Capacity(), 8u);
    ASSERT_TRUE(table.Grow());
    EXPECT_EQ(table.Capacity(), 12u);
    ASSERT_TRUE(table.Grow());
    EXPECT_EQ(table.Capacity(), 18u);
}

TEST(XmlElementTable, GrowthStopsAtTheSegmentBoundary) {
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

TEST(XmlElementTable, ResetSplitsIntoSegments) {
    ElementTable table;
    ASSERT_TRUE(table.Reset(2 * kSegment + 5));
    EXPECT_EQ(table.Capacity(), 2 * kSegment + 5);
    for (uint32_t pos = 0; pos < table.Capacity(); ++pos) table[pos].start = pos;
    for (uint32_t pos = 0; pos < table.Capacity(); ++pos) ASSERT_EQ(table[pos].start, pos);
    ASSERT_TRUE(table.Grow());
    EXPECT_EQ(table.Capacity(), 3 * kSegment);
}

TEST(XmlElementTable, GrowingKeepsRecordsAndMovesOnlyTheLastSegment) {
    ElementTable table;
    ASSERT_TRUE(table.Reset(kSegment + 100));
    for (uint32_t pos = 0; pos < table.Capacity(); ++pos) table[pos].start = pos;
    xml::ElementRecord* firstSegment = &table[0];
    ASSERT_TRUE(table.Grow());
    EXPECT_EQ(&table[0], firstSegment);
    EXPECT_EQ(table.Capacity(), kSegment + 100 + (kSegment + 100) / 2);
    for (uint32_t pos = 0; pos < kSegment + 100; ++pos) ASSERT_EQ(table[pos].start, pos);
}

TEST(XmlElementTable, ResetKeepsStorageThatFitsClosely) {
    ElementTable table;
    ASSERT_TRUE(table.Reset(1000));
    ASSERT_TRUE(table.Grow());
    EXPECT_TRUE(table.Reset(1000));
    EXPECT_EQ(table.Capacity(), 1500u);
    EXPECT_TRUE(table.Reset(8 + 2 * kSegment));
    EXPECT_EQ(table.Capacity(), 8 + 2 * kSegment);
    EXPECT_TRUE(table.Reset(8));  // far too much: given back
    EXPECT_EQ(table.Capacity(), 8u);
}

}  // namespace
