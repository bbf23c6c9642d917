#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "AELoader.h"
#include "fake_flash.h"

extern "C" {
FakeFlashJournal fake_flash_journal;
}

namespace {

bool KernelLibraryLoaded() {
  void* handle = dlopen("libIAEKernel.so", RTLD_NOW | RTLD_NOLOAD);
  if (handle != nullptr) dlclose(handle);
  return handle != nullptr;
}

std::uint32_t HeaderCount(void* pointer) { return static_cast<std::uint32_t*>(pointer)[-1]; }

struct Point {
  int x;
  int y;
};

constexpr std::size_t kHuge = std::numeric_limits<std::size_t>::max();

class AELoaderTest : public testing::Test {
 protected:
  void SetUp() override { fake_flash_journal = FakeFlashJournal{}; }
  void TearDown() override {
    while (IAEKernel::GetKernel() != nullptr) IAEKernel::UninitializeAEKernel();
  }

  char program_[8] = "flash";
  char option_[8] = "-demo";
  char* argv_[2] = {program_, option_};
};

TEST_F(AELoaderTest, KernelStaysLoadedUntilItsLastReferenceIsGivenBack) {
  IAEKernel* kernel = IAEKernel::InitializeAEKernel(2, argv_);
  ASSERT_NE(kernel, nullptr);
  EXPECT_EQ(IAEKernel::InitializeAEKernel(2, argv_), kernel);
  EXPECT_EQ(fake_flash_journal.loads, 1);
  EXPECT_EQ(fake_flash_journal.initializes, 1);
  EXPECT_EQ(fake_flash_journal.lastArgc, 2);
  EXPECT_STREQ(fake_flash_journal.firstArg, "flash");

  IAEKernel::UninitializeAEKernel();
  EXPECT_EQ(IAEKernel::GetKernel(), kernel);
  EXPECT_TRUE(KernelLibraryLoaded());
  EXPECT_EQ(fake_flash_journal.unloads, 0);

  IAEKernel::UninitializeAEKernel();
  EXPECT_EQ(IAEKernel::GetKernel(), nullptr);
  EXPECT_EQ(fake_flash_journal.unloads, 1);
  EXPECT_EQ(fake_flash_journal.libraryUnloads, 1);
  EXPECT_FALSE(KernelLibraryLoaded());

  // One uninitialisation too many must not leave the count below zero: the next
  // kernel goes away with its single reference.
  IAEKernel::UninitializeAEKernel();
  ASSERT_NE(IAEKernel::InitializeAEKernel(0, nullptr), nullptr);
  EXPECT_EQ(fake_flash_journal.loads, 2);
  IAEKernel::UninitializeAEKernel();
  EXPECT_FALSE(KernelLibraryLoaded());
}

TEST_F(AELoaderTest, StagecraftHoldsOneKernelReferenceForAllOfItsOwn) {
  ae::stagecraft::IStagecraft* module = ae::stagecraft::IStagecraft::InitializeStagecraftLibrary(2, argv_);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(ae::stagecraft::IStagecraft::InitializeStagecraftLibrary(2, argv_), module);
  EXPECT_EQ(fake_flash_journal.modulesGiven, 1);

  // The Flash runtime may hold the kernel itself as well.
  ASSERT_NE(IAEKernel::InitializeAEKernel(2, argv_), nullptr);
  IAEKernel::UninitializeAEKernel();

  ae::stagecraft::IStagecraft::UninitializeStagecraftLibrary();
  EXPECT_EQ(fake_flash_journal.modulesReleased, 0);
  EXPECT_TRUE(KernelLibraryLoaded());

  ae::stagecraft::IStagecraft::UninitializeStagecraftLibrary();
  EXPECT_EQ(fake_flash_journal.modulesReleased, 1);
  EXPECT_EQ(fake_flash_journal.lastReleased, static_cast<void*>(module));
  EXPECT_EQ(IAEKernel::GetKernel(), nullptr);
  EXPECT_FALSE(KernelLibraryLoaded());

  ae::stagecraft::IStagecraft::UninitializeStagecraftLibrary();
  EXPECT_EQ(fake_flash_journal.modulesReleased, 1);
}

TEST_F(AELoaderTest, StagecraftRefusedByTheKernelGivesTheKernelBack) {
  fake_flash_journal.refuseModules = true;
  EXPECT_EQ(ae::stagecraft::IStagecraft::InitializeStagecraftLibrary(2, argv_), nullptr);
  EXPECT_EQ(IAEKernel::GetKernel(), nullptr);
  EXPECT_EQ(fake_flash_journal.unloads, 1);
  EXPECT_FALSE(KernelLibraryLoaded());
}

TEST_F(AELoaderTest, OperatorsTakeBlocksFromTheKernelBehindAHeader) {
  ASSERT_NE(IAEKernel::InitializeAEKernel(2, argv_), nullptr);

  Point* point = new (AEMem_Selector_AE_NEW_DELETE{}, "point.cpp", 7) Point{3, 4};
  ASSERT_NE(point, nullptr);
  EXPECT_EQ(point->y, 4);
  EXPECT_EQ(HeaderCount(point), 1u);
  EXPECT_EQ(fake_flash_journal.lastSize, sizeof(Point) + 8);
  EXPECT_STREQ(fake_flash_journal.lastFile, "point.cpp");
  EXPECT_EQ(fake_flash_journal.lastLine, 7);
  void* block = reinterpret_cast<char*>(point) - 8;
  operator delete(point, AEMem_Selector_AE_NEW_DELETE{}, "point.cpp", 9);
  EXPECT_EQ(fake_flash_journal.frees, 1);
  EXPECT_EQ(fake_flash_journal.lastFreed, block);

  void* vector = operator new(0, AEMem_Selector_AE_VECTOR_NEW_DELETE{}, 5, 4, "v.cpp", 1);
  ASSERT_NE(vector, nullptr);
  EXPECT_EQ(HeaderCount(vector), 5u);
  EXPECT_EQ(fake_flash_journal.lastSize, 5u * 4u + 8u);
  operator delete(vector, AEMem_Selector_AE_VECTOR_NEW_DELETE{}, 5, 4, "v.cpp", 2);

  void* raw = operator new(0, AEMem_Selector_AE_MALLOC_FREE{}, 10, "m.cpp", 1);
  ASSERT_NE(raw, nullptr);
  EXPECT_EQ(HeaderCount(raw), 0u);
  EXPECT_EQ(fake_flash_journal.lastSize, 18u);
  operator delete(raw, AEMem_Selector_AE_MALLOC_FREE{}, 10, "m.cpp", 2);
  EXPECT_EQ(fake_flash_journal.frees, 3);

  operator delete(nullptr, AEMem_Selector_AE_NEW_DELETE{}, "n.cpp", 1);
  operator delete(nullptr, AEMem_Selector_AE_MALLOC_FREE{}, 0, "n.cpp", 1);
  EXPECT_EQ(fake_flash_journal.frees, 3);
}

TEST_F(AELoaderTest, EmptyOverflowingAndArraySizesGiveNullWithoutAsking) {
  ASSERT_NE(IAEKernel::InitializeAEKernel(2, argv_), nullptr);
  const AEMem_Selector_AE_NEW_DELETE single;
  const AEMem_Selector_AE_VECTOR_NEW_DELETE vector;
  const AEMem_Selector_AE_MALLOC_FREE raw;

  EXPECT_EQ(operator new(0, single, "f", 1), nullptr);
  EXPECT_EQ(operator new(0, vector, 0, 16, "f", 1), nullptr);
  EXPECT_EQ(operator new(0, raw, 0, "f", 1), nullptr);
  EXPECT_EQ(operator new(kHuge - 3, single, "f", 1), nullptr);
  EXPECT_EQ(operator new(0, vector, kHuge / 2 + 1, 2, "f", 1), nullptr);
  EXPECT_EQ(operator new(0, vector, (std::size_t{1} << 32) + 1, 1, "f", 1), nullptr);
  EXPECT_EQ(operator new(0, raw, kHuge - 7, "f", 1), nullptr);
  EXPECT_EQ(operator new[](16, single, "f", 1), nullptr);
  EXPECT_EQ(operator new[](16, vector, 2, 8, "f", 1), nullptr);
  EXPECT_EQ(operator new[](16, raw, 16, "f", 1), nullptr);
  EXPECT_EQ(fake_flash_journal.allocations, 0);
}

TEST_F(AELoaderTest, WithoutAKernelNothingIsAllocated) {
  Point* point = new (AEMem_Selector_AE_NEW_DELETE{}, "point.cpp", 1) Point{1, 2};
  EXPECT_EQ(point, nullptr);
  EXPECT_EQ(fake_flash_journal.allocations, 0);
}

TEST(AEError, StaticsCarryTheirNamesAndCodes) {
  const AEError* errors[] = {&AEError_OK,       &AEError_NoMemory, &AEError_Timeout,          &AEError_Generic,
                             &AEError_NotFound, &AEError_Usage,    &AEError_InvalidParameters};
  const char* names[] = {"AEError_OK",       "AEError_NoMemory", "AEError_Timeout",          "AEError_Generic",
                         "AEError_NotFound", "AEError_Usage",    "AEError_InvalidParameters"};
  for (int code = 0; code < 7; ++code) {
    EXPECT_STREQ(errors[code]->Name(), names[code]);
    EXPECT_EQ(errors[code]->Code(), code);
  }
}

TEST(AEError, LongNamesAreCutTo31Characters) {
  const AEError error("AEError_ThisNameIsMuchTooLongToBeKept", 9);
  EXPECT_STREQ(error.Name(), "AEError_ThisNameIsMuchTooLongTo");
  EXPECT_EQ(error.Code(), 9);
}

}  // namespace
