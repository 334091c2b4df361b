// Memory, string and file streams.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/Streams.h"

namespace {

TEST(MemoryStreamTest, WriteSeekReadAndGaps) {
  TMemoryStream s;
  s.WriteBuffer("hello", 5);
  EXPECT_EQ(s.GetPosition(), 5);
  EXPECT_EQ(s.Seek(2, soEnd), 7);
  s.WriteBuffer("!", 1);  // leaves a gap of zeros
  EXPECT_EQ(s.GetSize(), 8);
  EXPECT_EQ(std::string(static_cast<const char*>(s.GetMemory()), 8), std::string("hello\0\0!", 8));
  s.SetPosition(1);
  char buf[4];
  EXPECT_EQ(s.Read(buf, 4), 4);
  EXPECT_EQ(std::string(buf, 4), "ello");
  s.SetPosition(6);
  EXPECT_EQ(s.Read(buf, 4), 2);  // short read at the end
  EXPECT_THROW(s.ReadBuffer(buf, 1), EReadError);
  s.SetSize(3);
  EXPECT_EQ(s.GetPosition(), 3);
  EXPECT_EQ(s.ReadRemaining(), "");
  s.SetPosition(0);
  EXPECT_EQ(s.ReadRemaining(), "hel");
  s.Clear();
  EXPECT_EQ(s.GetSize(), 0);
  EXPECT_EQ(s.GetPosition(), 0);
}

TEST(MemoryStreamTest, NegativePositionReadsAndWritesNothing) {
  TMemoryStream s;
  s.WriteBuffer("abc", 3);
  EXPECT_EQ(s.Seek(-2, soBeginning), -2);
  char buf[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(s.Read(buf, 4), 0);
  EXPECT_EQ(std::string(buf, 4), "xxxx");
  EXPECT_EQ(s.Write("zz", 2), 0);
  s.SetPosition(0);
  EXPECT_EQ(s.ReadRemaining(), "abc");
}

TEST(MemoryStreamTest, ManySmallWritesAndCopyFrom) {
  TMemoryStream s;
  std::string expected;
  for (int i = 0; i < 100000; ++i) {
    char c = char('a' + i % 26);
    s.WriteBuffer(&c, 1);
    expected += c;
  }
  TMemoryStream copy;
  EXPECT_EQ(copy.CopyFrom(s, 0), 100000);  // 0: all of it, from its start
  copy.SetPosition(0);
  EXPECT_EQ(copy.ReadRemaining(), expected);
  s.SetPosition(10);
  TStringStream part;
  EXPECT_EQ(part.CopyFrom(s, 5), 5);
  EXPECT_EQ(part.GetDataString(), expected.substr(10, 5));
  EXPECT_THROW(part.CopyFrom(s, 1000000), EReadError);
}

TEST(StringStreamTest, OverwritesInPlaceAndReads) {
  TStringStream s("abcdef");
  EXPECT_EQ(s.ReadString(2), "ab");
  s.WriteString("XY");
  EXPECT_EQ(s.GetDataString(), "abXYef");
  s.Seek(0, soEnd);
  s.WriteString("!");
  EXPECT_EQ(s.GetDataString(), "abXYef!");
  EXPECT_EQ(s.Seek(100, soBeginning), 7);  // kept inside the string
  EXPECT_EQ(s.ReadString(3), "");
  s.SetSize(2);
  EXPECT_EQ(s.GetDataString(), "ab");
}

TEST(FileStreamTest, CreateWriteReopenAndErrors) {
  std::string name = ::testing::TempDir() + "streams_test_file.bin";
  {
    TFileStream f(name, fmCreate);
    f.WriteBuffer("0123456789", 10);
    EXPECT_EQ(f.GetSize(), 10);
    f.SetSize(4);
    EXPECT_EQ(f.GetSize(), 4);
  }
  {
    TFileStream f(name, fmOpenReadWrite | fmShareDenyNone);
    EXPECT_EQ(f.GetFileName(), name);
    f.Seek(0, soEnd);
    f.WriteBuffer("xy", 2);
    f.SetPosition(0);
    EXPECT_EQ(f.ReadRemaining(), "0123xy");
  }
  {
    TFileStream f(name, fmOpenRead);
    EXPECT_EQ(f.Write("z", 1), 0);  // opened for reading only
    EXPECT_THROW(f.WriteBuffer("z", 1), EWriteError);
  }
  std::remove(name.c_str());
  try {
    TFileStream f(name, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + name);
  }
  std::string badDir = ::testing::TempDir() + "no_such_dir_xyz/file.txt";
  try {
    TFileStream f(badDir, fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + badDir);
  }
  EXPECT_THROW(TFileStream(::testing::TempDir(), fmOpenRead), EFOpenError);  // a folder
}

TEST(FileStreamTest, ShareModes) {
  std::string name = ::testing::TempDir() + "streams_test_share.bin";
  { TFileStream create(name, fmCreate); }
  {
    TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
    TFileStream another(name, fmOpenRead | fmShareDenyNone);  // reading alongside is fine
#ifdef _WIN32
    // Only Windows enforces sharing; POSIX has no such locks.
    EXPECT_THROW(TFileStream(name, fmOpenWrite | fmShareDenyNone), EFOpenError);
#endif
  }
  {
    TFileStream exclusive(name, fmOpenReadWrite | fmShareExclusive);
#ifdef _WIN32
    EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);
#endif
  }
  {
    TFileStream writer(name, fmOpenWrite | fmShareDenyNone);  // all closed again: opens
    EXPECT_EQ(writer.GetSize(), 0);
  }
  EXPECT_TRUE(FileDelete(name));
}

TEST(FileStreamTest, SecondCreateTruncates) {
  std::string name = ::testing::TempDir() + "streams_test_trunc.bin";
  {
    TFileStream f(name, fmCreate);
    f.WriteBuffer("long content", 12);
  }
  {
    TFileStream f(name, fmCreate);
    f.WriteBuffer("x", 1);
  }
  EXPECT_EQ(FileSizeByName(name), 1);
  EXPECT_TRUE(FileDelete(name));
  EXPECT_FALSE(FileExists(name));
  EXPECT_EQ(FileSizeByName(name), -1);
}

}  // namespace
