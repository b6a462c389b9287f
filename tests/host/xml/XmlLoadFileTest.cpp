// LoadFile: the file's raw bytes become the document, and the error text
// carries the size in front of any parse error.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "xml/XmlDocument.h"

namespace {

class XmlLoadFile : public ::testing::Test {
protected:
    std::string WriteFile(const std::string& name, const std::string& bytes) {
        std::string path = ::testing::TempDir() + "xml_load_" + name;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        m_written.push_back(path);
        return path;
    }
    void TearDown() override {
        for (const std::string& path : m_written) std::remove(path.c_str());
    }

private:
    std::vector<std::string> m_written;
};

TEST_F(XmlLoadFile, SuccessReportsTheSize) {
    std::string doc = "<spkprotocol><version>1.0.3</version></spkprotocol>";
    doc += std::string(120 - doc.size(), ' ');
    XmlDocument reader;
    EXPECT_TRUE(reader.LoadFile(WriteFile("ok.xml", doc).c_str()));
    EXPECT_EQ(reader.ErrorText(), "120 bytes");
    ASSERT_TRUE(reader.NextChild("version"));
    EXPECT_EQ(reader.ChildText(), "1.0.3");
}

TEST_F(XmlLoadFile, ParseErrorFollowsTheSize) {
    XmlDocument reader;
    EXPECT_FALSE(reader.LoadFile(WriteFile("noroot.xml", std::string(120, ' ')).c_str()));
    EXPECT_EQ(reader.ErrorText(), "120 bytes, Root element not found");
    EXPECT_FALSE(reader.LoadFile(WriteFile("open.xml", "<a><b></a>").c_str()));
    EXPECT_EQ(reader.ErrorText(), "10 bytes, End tag 'a' at offset 7 does not match start tag 'b' at offset 3");
    EXPECT_FALSE(reader.NextElement(nullptr));
}

TEST_F(XmlLoadFile, EmptyFile) {
    XmlDocument reader;
    EXPECT_FALSE(reader.LoadFile(WriteFile("empty.xml", "").c_str()));
    EXPECT_EQ(reader.ErrorText(), "0 bytes, Empty document");
}

TEST_F(XmlLoadFile, ParseFailingWithoutMessageLeavesTheSizeAlone) {
    XmlDocument reader;
    EXPECT_FALSE(reader.LoadFile(WriteFile("dtd.xml", "<r><!ELEMENT r ANY></r>").c_str()));
    EXPECT_EQ(reader.ErrorText(), "23 bytes");
}

TEST_F(XmlLoadFile, BytesAreTakenRawIncludingNul) {
    XmlDocument reader;
    std::string doc("<r><c>a\0b\r\n</c></r>", 19);
    ASSERT_TRUE(reader.LoadFile(WriteFile("nul.xml", doc).c_str()));
    EXPECT_EQ(reader.ErrorText(), "19 bytes");
    ASSERT_TRUE(reader.NextChild("c"));
    EXPECT_EQ(reader.ChildText(), std::string("a\0b\r\n", 5));
}

TEST_F(XmlLoadFile, MissingFileKeepsThePreviousDocument) {
    XmlDocument reader;
    ASSERT_TRUE(reader.SetText("<r><c>kept</c></r>"));
    EXPECT_FALSE(reader.LoadFile((::testing::TempDir() + "xml_load_does_not_exist.xml").c_str()));
    EXPECT_EQ(reader.ErrorText(), std::strerror(ENOENT));
    ASSERT_TRUE(reader.NextChild("c"));
    EXPECT_EQ(reader.ChildText(), "kept");
}

TEST_F(XmlLoadFile, NullPathIsAnInvalidArgument) {
    XmlDocument reader;
    EXPECT_FALSE(reader.LoadFile(nullptr));
    EXPECT_EQ(reader.ErrorText(), std::strerror(EINVAL));
}

TEST_F(XmlLoadFile, SetTextAfterwardsDropsTheSize) {
    XmlDocument reader;
    ASSERT_TRUE(reader.LoadFile(WriteFile("ok2.xml", "<r/>").c_str()));
    EXPECT_EQ(reader.ErrorText(), "4 bytes");
    EXPECT_FALSE(reader.SetText("<r>"));
    EXPECT_EQ(reader.ErrorText(), "Element 'r' at offset 0 not ended");
}

}  // namespace
