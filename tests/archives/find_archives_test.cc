#include "archives/find_archives.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace pendrake {
namespace {

const char kPattern[] = "C:\\DIST\\*.bz2";

std::vector<std::string> Listed(const ArchiveList& list) {
  return std::vector<std::string>(list.Names.begin(), list.Names.begin() + list.Count);
}

std::vector<std::string> Numbered(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back("part" + std::to_string(10 + i) + ".bz2");
  return names;
}

TEST(FindArchivesTest, NothingFoundGivesAnEmptyListAndNoSearchToClose) {
  FakePlatform platform;
  ArchiveList list;
  FindArchives(platform, "C:\\DIST\\", &list);
  EXPECT_EQ(0, list.Count);
  EXPECT_EQ(std::vector<std::string>{"FindFirstFile C:\\DIST\\*.bz2"}, platform.calls);
}

TEST(FindArchivesTest, KeepsBareNamesInSearchOrder) {
  FakePlatform platform;
  platform.search_results[kPattern] = {"zeta.bz2", "ALPHA.BZ2", "my tools.bz2", "old.bz2"};
  ArchiveList list;
  FindArchives(platform, "C:\\DIST\\", &list);
  EXPECT_EQ(platform.search_results[kPattern], Listed(list));
  EXPECT_EQ("FindClose", platform.calls.back());
}

TEST(FindArchivesTest, StopsAtElevenWithoutAskingForMore) {
  for (int found : {11, 14}) {
    FakePlatform platform;
    platform.search_results[kPattern] = Numbered(found);
    ArchiveList list;
    FindArchives(platform, "C:\\DIST\\", &list);
    EXPECT_EQ(11, list.Count);
    EXPECT_EQ(Numbered(11), Listed(list));
    // One start, ten more entries, the close: never a twelfth entry.
    EXPECT_EQ(12u, platform.calls.size());
  }
}

TEST(FindArchivesTest, DropsEntriesMatchedOnlyThroughTheirShortAlias) {
  FakePlatform platform;
  std::vector<std::string> found = {"a.bz2x", "b.bz2", "notes.bz2~", "C.Bz2"};
  for (const std::string& name : Numbered(11)) found.push_back(name);
  platform.search_results[kPattern] = found;
  ArchiveList list;
  FindArchives(platform, "C:\\DIST\\", &list);
  std::vector<std::string> expected = {"b.bz2", "C.Bz2"};
  for (const std::string& name : Numbered(9)) expected.push_back(name);
  EXPECT_EQ(expected, Listed(list));
}

TEST(FindArchivesTest, AFailingSearchKeepsWhatWasFound) {
  FakePlatform platform;
  platform.search_results[kPattern] = {"a.bz2", "b.bz2"};
  platform.failing = {"FindNextFile"};
  ArchiveList list;
  FindArchives(platform, "C:\\DIST\\", &list);
  EXPECT_EQ(std::vector<std::string>{"a.bz2"}, Listed(list));
  EXPECT_EQ("FindClose", platform.calls.back());
}

}  // namespace
}  // namespace pendrake
