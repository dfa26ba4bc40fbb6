#include "platform/regedit4.h"

#include <gtest/gtest.h>

namespace pendrake {
namespace {

RegistryValue Text(const std::string& name, const std::string& text) {
  return RegistryValue{name, kRegString, text};
}

TEST(Regedit4Test, WritesTheExportFormat) {
  RegistryTree tree;
  tree.CreateKey("Software\\Cygnus Solutions\\CYGWIN.DLL setup\\b15.0\\mounts\\04");
  const std::string key = "Software\\Cygnus Solutions\\CYGWIN.DLL setup\\b15.0\\mounts\\04";
  tree.SetValue(key, RegistryValue{"fsilent", kRegDword, std::string("\x0a\0\0\0", 4)});
  tree.SetValue(key, Text("native", "C:\\My \"Tools\""));
  tree.SetValue(key, Text("", "default"));
  EXPECT_EQ(
      "REGEDIT4\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Cygnus Solutions]\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Cygnus Solutions\\CYGWIN.DLL setup]\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Cygnus Solutions\\CYGWIN.DLL setup\\b15.0]\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Cygnus Solutions\\CYGWIN.DLL setup\\b15.0\\mounts]\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Cygnus Solutions\\CYGWIN.DLL setup\\b15.0\\mounts\\04]\r\n"
      "\"fsilent\"=dword:0000000a\r\n"
      "\"native\"=\"C:\\\\My \\\"Tools\\\"\"\r\n"
      "@=\"default\"\r\n"
      "\r\n",
      WriteRegedit4(tree));
}

TEST(Regedit4Test, TextsRoundTripByteForByte) {
  const std::string texts[] = {"",           "C:\\TOOLS\\", "\\\\.\\tape1:",
                               "say \"hi\"", "\\\"\\\\\"",  "\xe9t\xe9 \xff\x80",
                               "two\nlines", "cr\rhere",    std::string("nul\0inside", 10),
                               "ends in \\"};
  RegistryTree tree;
  tree.CreateKey("K");
  int n = 0;
  for (const std::string& text : texts) tree.SetValue("K", Text("v" + std::to_string(n++), text));
  tree.SetValue("K", Text("name \"with\" \\ quotes", "x"));
  const std::optional<RegistryTree> back = ParseRegedit4(WriteRegedit4(tree));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(tree, *back);
}

TEST(Regedit4Test, ReadsWhatWindowsToolsWrite) {
  const std::optional<RegistryTree> tree = ParseRegedit4(
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\A\\B]\n\"n\"=dword:1\n\"bin\"=hex:01,02,\\\n  ff\n"
      "\"exp\"=hex(2):25,00\n\"sz\"=hex(1):61,62,00\n\n[HKEY_CURRENT_USER]\n@=\"root\"\n");
  ASSERT_TRUE(tree.has_value());
  EXPECT_TRUE(tree->HasKey("A"));
  EXPECT_EQ(std::string("\1\0\0\0", 4), tree->FindValue("a\\b", "N")->data);
  EXPECT_EQ("\x01\x02\xff", tree->FindValue("A\\B", "bin")->data);
  EXPECT_EQ(2u, tree->FindValue("A\\B", "exp")->type);
  EXPECT_EQ("ab", tree->FindValue("A\\B", "sz")->data);
  EXPECT_EQ("root", tree->FindValue("", "")->data);
  // What it read, it writes back so that it reads the same again.
  EXPECT_EQ(*tree, *ParseRegedit4(WriteRegedit4(*tree)));
}

TEST(Regedit4Test, RefusesWhatIsNotAnExportOfTheUsersHive) {
  const char* bad[] = {
      "",
      "Windows Registry Editor Version 5.00\r\n",
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n",
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USERS\\x]\r\n",
      "REGEDIT4\r\n\r\n\"orphan\"=\"value\"\r\n",
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\a]\r\n\"v\"=\"unterminated\r\n",
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\a]\r\n\"v\"=\"bad \\n escape\"\r\n",
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\a]\r\n\"v\"=dword:123456789\r\n",
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\a]\r\n\"v\"=hex:1,2\r\n",
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\a]\r\n\"v\"=\"x\" trailing\r\n",
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\a\\\\b]\r\n",
      "REGEDIT4\r\n\r\n[-HKEY_CURRENT_USER\\a]\r\n",
      "REGEDIT4\r\n\r\n; a comment\r\n",
  };
  for (const char* text : bad) EXPECT_FALSE(ParseRegedit4(text).has_value()) << text;
}

TEST(Regedit4Test, KeysCompareWithoutCaseAndSortParentsFirst) {
  RegistryTree tree;
  tree.CreateKey("b");
  tree.CreateKey("a b");
  tree.CreateKey("A\\z");
  tree.CreateKey("a\\Y\\deep");
  EXPECT_TRUE(tree.HasKey("A"));
  EXPECT_TRUE(tree.HasKey("a\\y"));
  std::vector<std::string> order;
  for (const auto& entry : tree.keys()) order.push_back(entry.first);
  EXPECT_EQ((std::vector<std::string>{"", "A", "a\\Y", "a\\Y\\deep", "A\\z", "a b", "b"}), order);

  EXPECT_TRUE(tree.DeleteTree("a"));
  order.clear();
  for (const auto& entry : tree.keys()) order.push_back(entry.first);
  EXPECT_EQ((std::vector<std::string>{"", "a b", "b"}), order);
  EXPECT_FALSE(tree.DeleteTree("a"));
  EXPECT_FALSE(tree.CreateKey("bad\\\\path"));
  EXPECT_FALSE(tree.CreateKey("line\nbreak"));
}

}  // namespace
}  // namespace pendrake
