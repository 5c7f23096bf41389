// The object archive's byte format, its references and its refusals of damaged input.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <vector>

#include "common/TempDevice.h"

#include "platform/archive/Archive.h"
#include "platform/archive/ArchiveFile.h"
#include "platform/archive/File.h"
#include "platform/base/CodePage.h"
#include "platform/base/Errors.h"
#include "platform/fs/Files.h"

namespace {

// A serialisable class with no fields, and a container of objects that writes its count
// and then each object.
class CTestLeaf : public CObject {
  DECLARE_SERIAL(CTestLeaf)
};
IMPLEMENT_SERIAL(CTestLeaf, CObject, 1)

class CTestOther : public CObject {
  DECLARE_SERIAL(CTestOther)
};
IMPLEMENT_SERIAL(CTestOther, CObject, 7)

class CTestBag : public CObject {
  DECLARE_SERIAL(CTestBag)
 public:
  std::vector<std::unique_ptr<CObject>> owned;
  std::vector<const CObject*> written;  // what storing writes (may repeat)
  std::uint32_t schemaSeen = 0;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.WriteCount(written.size());
      for (const CObject* o : written) ar.WriteObject(o);
      return;
    }
    schemaSeen = ar.GetObjectSchema();
    const std::uint64_t n = ar.ReadCount();
    for (std::uint64_t i = 0; i < n; ++i) owned.push_back(ar.ReadObject(nullptr));
  }
};
IMPLEMENT_SERIAL(CTestBag, CObject, VERSIONABLE_SCHEMA | 3)

std::string Bytes(std::initializer_list<int> list) {
  std::string out;
  for (int b : list) out.push_back(static_cast<char>(b));
  return out;
}

template <class Write>
std::string Store(Write&& write) {
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  write(ar);
  ar.Close();
  return file.Bytes();
}

// Reads an object from the bytes; the cause of the failure, or none.
CArchiveException::Cause LoadCause(const std::string& bytes, const CRuntimeClass* requested = nullptr,
                                   std::unique_ptr<CObject>* out = nullptr) {
  CMemFile file(bytes);
  CArchive ar(&file, CArchive::load);
  try {
    auto object = ar.ReadObject(requested);
    if (out) *out = std::move(object);
    return CArchiveException::none;
  } catch (const CArchiveException& e) {
    return e.m_cause;
  }
}

// The header of a new class, as the archive writes it.
std::string ClassHeader(const std::string& name, int schema) {
  return Bytes({0xFF, 0xFF, schema & 0xFF, schema >> 8, static_cast<int>(name.size()), 0}) + name;
}

TEST(Archive, NumbersCountsAndStringLengthsHaveTheirShortAndLongForms) {
  EXPECT_EQ(Store([](CArchive& ar) { ar << std::uint8_t{0xAB} << std::uint16_t{0x1234} << std::uint32_t{0x89ABCDEF}; }),
            Bytes({0xAB, 0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89}));
  EXPECT_EQ(Store([](CArchive& ar) { ar.WriteCount(0xFFFE); }), Bytes({0xFE, 0xFF}));
  EXPECT_EQ(Store([](CArchive& ar) { ar.WriteCount(0xFFFF); }), Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0}));
  const auto lengthBytes = [](std::size_t n) {
    return Store([n](CArchive& ar) { ar << std::u16string(n, u'x'); }).substr(0, 10);
  };
  EXPECT_EQ(lengthBytes(254).substr(0, 4), Bytes({0xFF, 0xFE, 0xFF, 0xFE}));
  EXPECT_EQ(lengthBytes(255).substr(0, 6), Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}));
  EXPECT_EQ(lengthBytes(0xFFFD).substr(0, 6), Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}));
  EXPECT_EQ(lengthBytes(0xFFFE).substr(0, 10), Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0, 0}));
  // Every form reads back.
  for (std::size_t n : {0u, 1u, 254u, 255u, 0xFFFDu, 0xFFFEu, 0x10000u}) {
    std::u16string text(n, u'q');
    if (n) text[n - 1] = u'\u20AC';
    const std::string bytes = Store([&](CArchive& ar) { ar << text; });
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    EXPECT_EQ(ar.ReadString(), text) << n;
    EXPECT_EQ(ar.BytesLeft(), 0u);
  }
}

TEST(Archive, EightBitStringsReadThroughTheCodePage) {
  ASSERT_TRUE(plat::CodePage::SetSystem("CP1252"));
  // One-byte length; and 0xFF with a word length.
  CMemFile file(Bytes({3, 'a', 0xE9, 0x80, 0xFF, 2, 0, 'o', 'k'}));
  CArchive ar(&file, CArchive::load);
  EXPECT_EQ(ar.ReadString(), u"a\u00E9\u20AC");
  EXPECT_EQ(ar.ReadString(), u"ok");
  ASSERT_TRUE(plat::CodePage::SetSystem("UTF-8"));
}

TEST(Archive, ClassesAndObjectsShareOneCounter) {
  CTestBag bag;
  CTestLeaf a, b;
  CTestOther c;
  bag.written = {&a, &b, nullptr, &c, &a};
  const std::string bytes = Store([&](CArchive& ar) { ar.WriteObject(&bag); });
  // Bag: class 1, object 2. Leaf: class 3, a is 4; b is 0x8003 and 5; null; other: class 6,
  // object 7; a again is its number.
  EXPECT_EQ(bytes, ClassHeader("CTestBag", 3) + Bytes({5, 0}) + ClassHeader("CTestLeaf", 1) + Bytes({0x03, 0x80, 0, 0}) +
                       ClassHeader("CTestOther", 7) + Bytes({4, 0}));
}

TEST(Archive, NumbersFrom0x7FFFTakeTheLongForm) {
  CTestBag bag;
  std::vector<CTestLeaf> leaves(0x7FFF);
  for (auto& leaf : leaves) bag.written.push_back(&leaf);
  CTestOther x, y;
  bag.written.push_back(&x);
  bag.written.push_back(&y);
  const std::string bytes = Store([&](CArchive& ar) { ar.WriteObject(&bag); });
  // Leaves take 3..0x8002; the other class is 0x8003, x 0x8004; y names its class long.
  EXPECT_EQ(bytes.substr(bytes.size() - 6), Bytes({0xFF, 0x7F, 0x03, 0x80, 0x00, 0x80}));
  std::unique_ptr<CObject> read;
  ASSERT_EQ(LoadCause(bytes, RUNTIME_CLASS(CTestBag), &read), CArchiveException::none);
  auto* back = static_cast<CTestBag*>(read.get());
  ASSERT_EQ(back->owned.size(), 0x8001u);
  EXPECT_TRUE(back->owned.back()->IsKindOf(RUNTIME_CLASS(CTestOther)));
  EXPECT_EQ(back->schemaSeen, 3u);
}

TEST(Archive, ClassReferencesAndSchemasAreChecked) {
  const std::string bag = ClassHeader("CTestBag", 3);
  std::unique_ptr<CObject> read;
  EXPECT_EQ(LoadCause(bag + Bytes({1, 0}) + ClassHeader("CTestLeaf", 1), nullptr, &read), CArchiveException::none);
  EXPECT_EQ(LoadCause(Bytes({0, 0}), nullptr, &read), CArchiveException::none);
  EXPECT_EQ(read, nullptr);
  // A versionable class passes another stored schema on; others refuse it.
  ASSERT_EQ(LoadCause(ClassHeader("CTestBag", 9) + Bytes({0, 0}), nullptr, &read), CArchiveException::none);
  EXPECT_EQ(static_cast<CTestBag*>(read.get())->schemaSeen, 9u);
  EXPECT_EQ(LoadCause(bag + Bytes({1, 0}) + ClassHeader("CTestLeaf", 2)), CArchiveException::badSchema);
  // Names: unknown, not creatable, 64 characters or more.
  EXPECT_EQ(LoadCause(ClassHeader("CNoSuchClass", 0)), CArchiveException::badClass);
  EXPECT_EQ(LoadCause(ClassHeader("CObject", 0xFFFF)), CArchiveException::badClass);
  EXPECT_EQ(LoadCause(ClassHeader(std::string(64, 'C'), 0)), CArchiveException::badClass);
  // Class numbers: 0, not read yet, or the number of an object.
  EXPECT_EQ(LoadCause(Bytes({0x00, 0x80})), CArchiveException::badIndex);
  EXPECT_EQ(LoadCause(bag + Bytes({1, 0, 0x05, 0x80})), CArchiveException::badIndex);
  EXPECT_EQ(LoadCause(bag + Bytes({1, 0, 0x02, 0x80})), CArchiveException::badIndex);
  EXPECT_EQ(LoadCause(bag + Bytes({1, 0, 0xFF, 0x7F, 0x09, 0, 0, 0x80})), CArchiveException::badIndex);
  // A class that is not the one asked for.
  EXPECT_EQ(LoadCause(ClassHeader("CTestLeaf", 1), RUNTIME_CLASS(CTestBag)), CArchiveException::badClass);
  EXPECT_EQ(LoadCause(bag + Bytes({0, 0}), RUNTIME_CLASS(CObject)), CArchiveException::none);
}

TEST(Archive, AnObjectReadBeforeCannotBeOwnedTwice) {
  const std::string bag = ClassHeader("CTestBag", 3);
  // The same leaf twice; the bag inside itself; a number nobody has.
  EXPECT_EQ(LoadCause(bag + Bytes({2, 0}) + ClassHeader("CTestLeaf", 1) + Bytes({4, 0})), CArchiveException::badIndex);
  EXPECT_EQ(LoadCause(bag + Bytes({1, 0, 2, 0})), CArchiveException::badIndex);
  EXPECT_EQ(LoadCause(bag + Bytes({1, 0, 0x30, 0})), CArchiveException::badIndex);
  EXPECT_EQ(LoadCause(bag + Bytes({1, 0, 0xFF, 0x7F, 2, 0, 0, 0})), CArchiveException::badIndex);
}

TEST(Archive, DamagedInputCostsNoMoreThanTheFileHolds) {
  const std::string bag = ClassHeader("CTestBag", 3);
  // Counts and lengths beyond the bytes left end the read before anything is made.
  EXPECT_EQ(LoadCause(bag + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F})), CArchiveException::endOfFile);
  EXPECT_EQ(LoadCause(bag + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 0, 0, 0, 0})), CArchiveException::endOfFile);
  for (const std::string& s : {Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), Bytes({0x05, 'a', 'b'}),
                                Bytes({0xFF, 0xFE, 0xFF, 0x02, 'a', 0, 'b'})}) {
    CMemFile file(s);
    CArchive ar(&file, CArchive::load);
    EXPECT_THROW(ar.ReadString(), CArchiveException);
  }
  // Truncated anywhere: an end of file.
  CTestBag full;
  CTestLeaf leaf;
  full.written = {&leaf, nullptr};
  const std::string bytes = Store([&](CArchive& ar) { ar.WriteObject(&full); });
  for (std::size_t n = 0; n < bytes.size(); ++n)
    EXPECT_EQ(LoadCause(bytes.substr(0, n)), CArchiveException::endOfFile) << n;
  // Objects nest only a few deep.
  std::string nested;
  for (int i = 0; i < CArchive::kMaxDepth; ++i) nested += (i == 0 ? bag : Bytes({0x01, 0x80})) + Bytes({1, 0});
  EXPECT_EQ(LoadCause(nested + Bytes({0, 0})), CArchiveException::none);
  EXPECT_EQ(LoadCause(nested + Bytes({0x01, 0x80, 0, 0})), CArchiveException::badClass);
}

TEST(Archive, FilesAreReplacedWholeOrNotAtAll) {
  TempDevice device;
  const std::u16string path = device.DocDevice("bag.arc");
  TempDevice::WriteHostFile(device.DocHost("bag.arc"), "old");
  CTestBag bag;
  for (plat::fs::FsOp failing : {plat::fs::FsOp::Write, plat::fs::FsOp::Sync, plat::fs::FsOp::Replace}) {
    plat::fs::SetFaultHook([failing](plat::fs::FsOp op, const std::string&) -> std::uint32_t {
      return op == failing ? plat::ERROR_DISK_FULL : 0;
    });
    EXPECT_FALSE(WriteArchiveFile(path, bag));
    plat::fs::SetFaultHook(nullptr);
    EXPECT_EQ(TempDevice::ReadHostFile(device.DocHost("bag.arc")), "old");
    EXPECT_EQ(TempDevice::ListHost(device.DocumentsHost()), "bag.arc");  // no temporary file left
  }
  {
    // A write never closed is abandoned.
    CFile file;
    ASSERT_EQ(file.Open(path, CFile::modeCreate | CFile::modeWrite), 0u);
    file.Write("new", 3);
  }
  EXPECT_EQ(TempDevice::ReadHostFile(device.DocHost("bag.arc")), "old");
  EXPECT_TRUE(WriteArchiveFile(path, bag));
  ArchiveRead result = ArchiveRead::Damaged;
  EXPECT_NE(ReadArchiveFile(path, RUNTIME_CLASS(CTestBag), result), nullptr);
  EXPECT_EQ(result, ArchiveRead::Read);
  // Nothing there, and something there that is not a file.
  EXPECT_EQ(ReadArchiveFile(device.DocDevice("none.arc"), nullptr, result), nullptr);
  EXPECT_EQ(result, ArchiveRead::NoFile);
  EXPECT_EQ(ReadArchiveFile(u"\\My Documents\\no folder\\x.arc", nullptr, result), nullptr);
  EXPECT_EQ(result, ArchiveRead::NoFile);
  ASSERT_EQ(mkfifo(device.DocHost("pipe.arc").c_str(), 0600), 0);
  ASSERT_EQ(mkdir(device.DocHost("dir.arc").c_str(), 0700), 0);
  for (const char* name : {"pipe.arc", "dir.arc"}) {
    EXPECT_EQ(ReadArchiveFile(device.DocDevice(name), nullptr, result), nullptr);
    EXPECT_EQ(result, ArchiveRead::Refused) << name;
    EXPECT_FALSE(WriteArchiveFile(device.DocDevice(name), bag)) << name;
  }
}

}  // namespace
