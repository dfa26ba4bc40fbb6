#include "setup/mount_table.h"

#include <gtest/gtest.h>

#include "install/install_sequence.h"
#include "support/fake_platform.h"

namespace pendrake {
namespace {

const std::string kTree = "Software\\Cygnus Solutions\\CYGWIN.DLL setup";
const std::string kMounts = kTree + "\\b15.0\\mounts\\";

// Every value of the table, in write order, as the fake records it.
std::vector<std::string> TableWrites(const std::string& install_dir) {
  const char* native[] = {"\\\\.\\tape1:", "\\\\.\\tape0:", "\\\\.\\b:", "\\\\.\\a:"};
  const char* unix[] = {"/dev/st1", "/dev/st0", "/dev/fd1", "/dev/fd0", "/"};
  std::vector<std::string> writes;
  for (int i = 0; i < 5; ++i) {
    writes.push_back("RegWriteInteger fbinary=0");
    writes.push_back(std::string("RegWriteInteger fsilent=") + (i < 4 ? "1" : "0"));
    writes.push_back("RegWriteString native=" + (i < 4 ? std::string(native[i]) : install_dir));
    writes.push_back(std::string("RegWriteString unix=") + unix[i]);
  }
  return writes;
}

std::vector<std::string> RegistryCalls(const FakePlatform& platform) {
  std::vector<std::string> calls;
  for (const std::string& call : platform.calls) {
    if (call.rfind("Reg", 0) == 0) calls.push_back(call);
  }
  return calls;
}

// The values the fake's registry holds, in table order, as recorded writes.
std::vector<std::string> StoredValues(const FakePlatform& platform) {
  std::vector<std::string> stored;
  for (int i = 0; i < 5; ++i) {
    const std::string key = kMounts + "0" + std::to_string(i);
    for (const char* name : {"fbinary", "fsilent", "native", "unix"}) {
      const RegistryValue* value = platform.registry.FindValue(key, name);
      if (value == nullptr) continue;
      if (value->type == kRegDword) {
        stored.push_back(std::string("RegWriteInteger ") + name + "=" +
                         std::to_string(static_cast<unsigned char>(value->data[0])));
      } else {
        stored.push_back(std::string("RegWriteString ") + name + "=" + value->data);
      }
    }
  }
  return stored;
}

TEST(WriteMountTableTest, OneDeletionFiveKeysTwentyValuesInTableOrder) {
  FakePlatform platform;
  WriteMountTable(platform, "C:\\TOOLS");
  std::vector<std::string> expected = {"RegOpen", "RegDeleteTree " + kTree};
  const std::vector<std::string> writes = TableWrites("C:\\TOOLS");
  for (int i = 0; i < 5; ++i) {
    expected.push_back("RegCreateKey " + kMounts + "0" + std::to_string(i));
    expected.insert(expected.end(), writes.begin() + 4 * i, writes.begin() + 4 * i + 4);
  }
  expected.push_back("RegClose");
  EXPECT_EQ(expected, RegistryCalls(platform));
  EXPECT_EQ(writes, StoredValues(platform));
}

TEST(WriteMountTableTest, TheRootEntryHoldsTheInstallDirectoryAsTyped) {
  for (const char* install_dir : {"C:\\TOOLS\\", "c:\\tools", "tools", "C:\\My Tools"}) {
    FakePlatform platform;
    WriteMountTable(platform, install_dir);
    const RegistryValue* native = platform.registry.FindValue(kMounts + "04", "native");
    ASSERT_NE(nullptr, native);
    EXPECT_EQ(install_dir, native->data);
    EXPECT_EQ(std::string(1, '/'), platform.registry.FindValue(kMounts + "04", "unix")->data);
  }
}

TEST(WriteMountTableTest, AnOldTreeIsReplacedWholeAndOthersAreKept) {
  FakePlatform platform;
  RegistryTree& registry = platform.registry;
  registry.CreateKey(kMounts + "05");
  registry.SetValue(kMounts + "05", RegistryValue{"native", kRegString, "D:\\old"});
  registry.CreateKey(kMounts + "00\\deeper\\still");
  registry.SetValue(kMounts + "00", RegistryValue{"extra", kRegString, "x"});
  registry.CreateKey(kTree + "\\b14.0");
  registry.SetValue(kTree, RegistryValue{"setting", kRegDword, std::string(4, '\1')});
  registry.CreateKey("Software\\Cygnus Solutions\\Other");
  registry.CreateKey("Software\\Elsewhere");

  WriteMountTable(platform, "C:\\TOOLS");

  FakePlatform fresh;
  fresh.registry.CreateKey("Software\\Cygnus Solutions\\Other");
  fresh.registry.CreateKey("Software\\Elsewhere");
  WriteMountTable(fresh, "C:\\TOOLS");
  EXPECT_EQ(WriteRegedit4(fresh.registry), WriteRegedit4(platform.registry));
}

class RefusedValueTest : public testing::TestWithParam<int> {};

// The registry refuses value write N: the run ends with the report naming
// that value, and exactly the values before it are in the registry.
TEST_P(RefusedValueTest, EndsTheRunWithWhatWasWrittenBefore) {
  const int refused = GetParam();
  FakePlatform platform;
  platform.search_results["C:\\DIST\\*.bz2"] = {"base.bz2"};
  // Each entry writes two numbers, then two texts.
  const int entry = (refused - 1) / 4;
  const int place = (refused - 1) % 4;
  platform.fail_nth = {
      {place < 2 ? "RegWriteInteger" : "RegWriteString", entry * 2 + place % 2 + 1}};
  const std::vector<std::string> writes = TableWrites("C:\\TOOLS");
  const std::string& write = writes[refused - 1];
  const std::string name = write.substr(write.find(' ') + 1, write.find('=') - write.find(' ') - 1);

  EXPECT_EQ(1, RunInstall(platform));
  const std::string transcript = platform.Transcript();
  const std::string ending =
      "Creating Registry Entries...\r\nException ERegistryException in "
      "module install.exe at 0040A1B2.\nFailed to set data for '" +
      name + "'.\r\n";
  ASSERT_GE(transcript.size(), ending.size());
  EXPECT_EQ(ending, transcript.substr(transcript.size() - ending.size()));
  EXPECT_EQ(std::vector<std::string>(writes.begin(), writes.begin() + refused - 1),
            StoredValues(platform));
  EXPECT_EQ("RegClose", RegistryCalls(platform).back()) << "the registry object is released";
}

INSTANTIATE_TEST_SUITE_P(EveryValue, RefusedValueTest, testing::Range(1, 21));

TEST(WriteMountTableTest, AKeyThatCannotBeCreatedTakesNoValuesAnywhere) {
  FakePlatform platform;
  platform.search_results["C:\\DIST\\*.bz2"] = {"base.bz2"};
  platform.fail_nth = {{"RegCreateKey", 3}};
  EXPECT_EQ(1, RunInstall(platform));
  const std::string transcript = platform.Transcript();
  const std::string ending =
      "Exception ERegistryException in module install.exe at 0040A1B2.\n"
      "Failed to create key '\\Software\\Cygnus Solutions\\CYGWIN.DLL setup\\b15.0\\mounts\\02'."
      "\r\n";
  ASSERT_GE(transcript.size(), ending.size());
  EXPECT_EQ(ending, transcript.substr(transcript.size() - ending.size()));
  // Entry 01 keeps its own values; nothing of entry 02 was written.
  const std::vector<std::string> writes = TableWrites("C:\\TOOLS");
  EXPECT_EQ(std::vector<std::string>(writes.begin(), writes.begin() + 8), StoredValues(platform));
}

}  // namespace
}  // namespace pendrake
