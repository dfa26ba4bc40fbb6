#include "install/failure_report.h"

#include <gtest/gtest.h>

namespace pendrake {
namespace {

TEST(FailureReportTest, ClosesTheMessageWithOneFullStop) {
  EXPECT_EQ(
      "Exception ERegistryException in module install.exe at 0000ABCD.\nFailed to set data "
      "for 'unix'.",
      FailureReport("ERegistryException", "install.exe", 0xABCD, "Failed to set data for 'unix'"));
  EXPECT_EQ("Exception EOutOfMemory in module install.exe at FFFFFFFF.\nOut of memory.",
            FailureReport("EOutOfMemory", "install.exe", 0xFFFFFFFFu, "Out of memory."));
  EXPECT_EQ("Exception E in module x at 00000000.\n", FailureReport("E", "x", 0, ""));
}

TEST(FailureReportTest, PathPartsSplitAtTheLastDelimiter) {
  struct Case {
    const char* path;
    const char* directory;
    const char* file;
  };
  const Case cases[] = {{"C:\\DIST\\install.exe", "C:\\DIST\\", "install.exe"},
                        {"C:install.exe", "C:", "install.exe"},
                        {"/opt/dist/install.exe", "/opt/dist/", "install.exe"},
                        {"install.exe", "", "install.exe"},
                        {"C:\\a/b\\", "C:\\a/b\\", ""}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.directory, DirectoryPart(c.path)) << c.path;
    EXPECT_EQ(c.file, FileNamePart(c.path)) << c.path;
  }
}

}  // namespace
}  // namespace pendrake
