// What a parse allocates: documents of millions of elements parse without any
// single allocation above 2 MB, and the records are one per start tag plus
// record 0, taken once, never grown. The host build runs under
// AddressSanitizer, whose allocator calls a hook for every block handed out
// (malloc, realloc, operator new alike).
#include <gtest/gtest.h>
#include <sanitizer/allocator_interface.h>

#include <atomic>
#include <string>

#include "xml/XmlDocument.h"

namespace {

std::atomic<bool> g_counting{false};
std::atomic<size_t> g_largest{0};
std::atomic<size_t> g_count{0};
// Blocks of 1 KB and more (record segments; not the segment pointers), by count
// and total size, and the total of all smaller ones.
constexpr size_t kLargeBlock = 1024;
std::atomic<size_t> g_largeCount{0};
std::atomic<size_t> g_largeBytes{0};
std::atomic<size_t> g_smallBytes{0};

void OnAllocation(const volatile void*, size_t size) {
    if (!g_counting) return;
    ++g_count;
    if (size >= kLargeBlock) {
        ++g_largeCount;
        g_largeBytes += size;
    } else {
        g_smallBytes += size;
    }
    size_t seen = g_largest;
    while (size > seen && !g_largest.compare_exchange_weak(seen, size)) {
    }
}

void OnFree(const volatile void*) {}

// Counts the allocations made during its lifetime.
struct AllocationWatch {
    AllocationWatch() {
        static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnAllocation, OnFree) != 0;
        EXPECT_TRUE(installed);
        g_largest = 0;
        g_count = 0;
        g_largeCount = 0;
        g_largeBytes = 0;
        g_smallBytes = 0;
        g_counting = true;
    }
    ~AllocationWatch() { g_counting = false; }
};

constexpr size_t kTwoMegabytes = 2u << 20;
constexpr size_t kElements = 4000000;
constexpr size_t kRecord = sizeof(xml::ElementRecord);

TEST(XmlLargeDocument, FlatDocumentOfMillionsOfElements) {
    std::string text = "<r>";
    text.reserve(kElements * 10 + 8);
    for (size_t i = 0; i < kElements; ++i) text += (i % 2) ? "<e>x</e>" : "<f/>";
    text += "</r>";

    XmlDocument doc;
    {
        AllocationWatch watch;
        ASSERT_TRUE(doc.SetText(std::move(text))) << doc.ErrorText();
        EXPECT_GT(g_count.load(), 0u);  // the watch sees the record segments
        EXPECT_LE(g_largest.load(), kTwoMegabytes);
        // Records for the elements, the root and record 0, and nothing to spare.
        EXPECT_EQ(g_largeBytes.load(), (kElements + 2) * kRecord);
    }
    size_t found = 0;
    while (doc.NextChild(nullptr)) ++found;
    EXPECT_EQ(found, kElements);
    EXPECT_EQ(doc.ChildText(), "x");  // the last one is an <e>
}

TEST(XmlLargeDocument, WatchSeesTheCopyOfALargeText) {
    // SetText from a C string copies the text: the one block above 2 MB.
    std::string text = "<r>" + std::string(3u << 20, 'x') + "</r>";
    XmlDocument doc;
    AllocationWatch watch;
    ASSERT_TRUE(doc.SetText(text.c_str()));
    EXPECT_GT(g_largest.load(), kTwoMegabytes);
}

TEST(XmlLargeDocument, NestingMillionsDeep) {
    constexpr size_t kDepth = 3000000;
    std::string text;
    text.reserve(kDepth * 7 + 1);
    for (size_t i = 0; i < kDepth; ++i) text += "<a>";
    text += "x";
    for (size_t i = 0; i < kDepth; ++i) text += "</a>";

    XmlDocument doc;
    {
        AllocationWatch watch;
        ASSERT_TRUE(doc.SetText(std::move(text))) << doc.ErrorText();
        EXPECT_LE(g_largest.load(), kTwoMegabytes);
    }
    // Walk down to the innermost element.
    ASSERT_TRUE(doc.NextElement("a"));
    size_t depth = 1;
    while (doc.NextChild("a")) {
        ++depth;
        if (doc.ChildText() == "x") break;
        ASSERT_TRUE(doc.EnterElement());
    }
    EXPECT_EQ(depth, kDepth);
}

// --- record reservation ----------------------------------------------------

TEST(XmlRecordReservation, OneBlockOfOneRecordPerMarkupAndRecordZero) {
    constexpr size_t kCount = 3000;  // elements below the root
    std::string text = "<?xml version=\"1.0\"?><!-- items --><r>";
    for (size_t i = 0; i < kCount; ++i) text += (i % 2) ? "<e>x</e>\r\n" : "<f a=\"1\"/>\r\n";
    text += "</r>";

    XmlDocument doc;
    AllocationWatch watch;
    ASSERT_TRUE(doc.SetText(std::move(text))) << doc.ErrorText();
    EXPECT_EQ(g_largeCount.load(), 1u);
    // The elements, the declaration and the comment.
    EXPECT_EQ(g_largeBytes.load(), (kCount + 4) * kRecord);
    EXPECT_LT(g_smallBytes.load(), kLargeBlock);
}

TEST(XmlRecordReservation, ManySegmentsEachTakenOnceAndTheLastOneSizedToFit) {
    constexpr size_t kSegment = xml::ElementTable::kSegmentRecords;
    constexpr size_t kCount = 3 * kSegment + 1000;
    std::string text = "<r>";
    for (size_t i = 0; i < kCount; ++i) text += "<e/>";
    text += "</r>";

    XmlDocument doc;
    AllocationWatch watch;
    ASSERT_TRUE(doc.SetText(std::move(text))) << doc.ErrorText();
    EXPECT_EQ(g_largeCount.load(), 4u);
    EXPECT_EQ(g_largeBytes.load(), (kCount + 2) * kRecord);
    EXPECT_LE(g_largest.load(), kTwoMegabytes);
}

TEST(XmlRecordReservation, TagsInsideCommentsAndCdataCostAtMostOneSegment) {
    // Counted as if they were elements, they would ask for 32 MB of records.
    std::string tags;
    for (size_t i = 0; i < 500000; ++i) tags += "<a>";
    std::string text = "<r><!--" + tags + "--><e><![CDATA[" + tags + "]]></e></r>";

    XmlDocument doc;
    {
        AllocationWatch watch;
        ASSERT_TRUE(doc.SetText(std::move(text))) << doc.ErrorText();
        EXPECT_LE(g_largeBytes.load(), kTwoMegabytes);
    }
    ASSERT_TRUE(doc.NextChild("e"));
    EXPECT_EQ(doc.ChildText(), tags);
    EXPECT_FALSE(doc.NextChild(nullptr));
    EXPECT_FALSE(doc.NextElement(nullptr));
}

TEST(XmlRecordReservation, OpeningsWithoutClosesCostAtMostOneSegment) {
    std::string openings;
    for (size_t i = 0; i < 500000; ++i) openings += "<a";
    std::string text = "<r v=\"" + openings + "\"><e>x</e></r>";

    XmlDocument doc;
    {
        AllocationWatch watch;
        ASSERT_TRUE(doc.SetText(std::move(text))) << doc.ErrorText();
        EXPECT_LE(g_largeBytes.load(), kTwoMegabytes);
    }
    ASSERT_TRUE(doc.NextChild("e"));
    EXPECT_EQ(doc.ChildText(), "x");
}

}  // namespace
