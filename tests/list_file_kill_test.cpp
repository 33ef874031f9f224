// A list file must survive its writer being killed at any moment: whatever
// is on disk afterwards is the old list or the new one, byte for byte.
#include "framework/handle.h"
#include "tests/support/files.h"
#include "tests/support/list_churn.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(ListFileKill, KilledWriterLeavesAWholeList) {
  ScratchInstallDir install;
  const std::string lists[] = {ChurnListBytes(0), ChurnListBytes(1)};
  WriteFileBytes(install.AdditionalList(), lists[0]);
  KernelHandle ready(CreateEventA(nullptr, TRUE, FALSE, kChurnReadyEvent));
  std::mt19937 random(11);
  int caughtWriting = 0;
  const int rounds = 30;
  for (int round = 0; round < rounds; ++round) {
    ResetEvent(ready.get());
    ChildProcess writer(BesideTestProgram("list_writer_child.exe"), "");
    ASSERT_TRUE(writer.Started());
    ASSERT_EQ(WaitForSingleObject(ready.get(), 20000), WAIT_OBJECT_0);
    Sleep(random() % 40);
    writer.Terminate();

    std::string onDisk = ReadFileBytes(install.AdditionalList());
    ASSERT_TRUE(onDisk == lists[0] || onDisk == lists[1])
        << "round " << round << ": " << onDisk.size() << " bytes, expected " << lists[0].size()
        << " or " << lists[1].size();
    // A temporary file left behind shows the kill came in the middle of a write.
    if (FileExists(install.AdditionalList() + ".tmp"))
      ++caughtWriting;
  }
  EXPECT_GT(caughtWriting, 0) << "no kill came during a write";
}

} // namespace
