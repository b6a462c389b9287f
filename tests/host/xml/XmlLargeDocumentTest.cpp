// Documents of millions of elements parse without any single allocation above
// 2 MB. The host build runs under AddressSanitizer, whose allocator calls a
// hook for every block handed out (malloc, realloc, operator new alike).
#include <gtest/gtest.h>
#include <sanitizer/allocator_interface.h>

#include <atomic>
#include <string>

#include "xml/XmlDocument.h"

namespace {

std::atomic<bool> g_counting{false};
std::atomic<size_t> g_largest{0};
std::atomic<size_t> g_count{0};

void OnAllocation(const volatile void*, size_t size) {
    if (!g_counting) return;
    ++g_count;
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
        g_counting = true;
    }
    ~AllocationWatch() { g_counting = false; }
};

constexpr size_t kTwoMegabytes = 2u << 20;
constexpr size_t kElements = 4000000;

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

}  // namespace
