// The probe replaces the C allocator's entry points in the test executable
// and forwards them to glibc's own, so that shared libraries' requests are
// counted too. Under the address sanitizer, which has its own allocator, it
// counts through the sanitizer's allocation hooks instead.
#include "support/AllocationProbe.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#if defined(__SANITIZE_ADDRESS__)
#define PRISMEL_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PRISMEL_UNDER_ASAN 1
#endif
#endif

namespace {

std::atomic<bool> g_counting{false};
std::atomic<size_t> g_largest{0};
std::atomic<int64_t> g_held{0};
std::atomic<int64_t> g_peak{0};
// Under the sanitizer, a child measuring ends at once when a block larger
// than this is granted: its address space cannot be limited.
std::atomic<size_t> g_ceiling{SIZE_MAX};

void NoteRequest(size_t size) {
  if (!g_counting.load(std::memory_order_relaxed)) return;
  size_t largest = g_largest.load(std::memory_order_relaxed);
  while (size > largest && !g_largest.compare_exchange_weak(largest, size)) {
  }
}

void NoteHeld(int64_t change) {
  if (!g_counting.load(std::memory_order_relaxed) || change == 0) return;
  const int64_t held = g_held.fetch_add(change) + change;
  int64_t peak = g_peak.load(std::memory_order_relaxed);
  while (held > peak && !g_peak.compare_exchange_weak(peak, held)) {
  }
}

}  // namespace

#ifdef PRISMEL_UNDER_ASAN

extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*granted)(const volatile void*, size_t),
                                              void (*released)(const volatile void*));
size_t __sanitizer_get_allocated_size(const volatile void* block);
}

namespace {

void OnGranted(const volatile void*, size_t size) {
  if (!g_counting.load(std::memory_order_relaxed)) return;
  NoteRequest(size);
  NoteHeld(static_cast<int64_t>(size));
  if (size > g_ceiling.load(std::memory_order_relaxed)) _exit(4);
}

void OnReleased(const volatile void* block) {
  if (block != nullptr) NoteHeld(-static_cast<int64_t>(__sanitizer_get_allocated_size(block)));
}

void StartCounting() {
  static const int installed = __sanitizer_install_malloc_and_free_hooks(OnGranted, OnReleased);
  (void)installed;
}

// The sanitizer's own mappings leave no address-space limit to set.
bool LimitAddressSpace(uint64_t room) {
  g_ceiling = room;
  return true;
}

}  // namespace

#else

#include <malloc.h>

namespace {

int64_t HeldBy(void* block) {
  return block == nullptr ? 0 : static_cast<int64_t>(malloc_usable_size(block));
}

void* Granted(void* block) {
  NoteHeld(HeldBy(block));
  return block;
}

void StartCounting() {}

// The memory a process may map now, in bytes.
uint64_t MappedBytes() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return 0;
  char line[256];
  unsigned long kib = 0;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::sscanf(line, "VmSize: %lu", &kib) == 1) break;
  }
  std::fclose(status);
  return static_cast<uint64_t>(kib) * 1024;
}

bool LimitAddressSpace(uint64_t room) {
  const uint64_t most = MappedBytes() + room;
  const rlimit limit{most, most};
  return setrlimit(RLIMIT_AS, &limit) == 0;
}

}  // namespace

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);

void* malloc(size_t size) {
  NoteRequest(size);
  return Granted(__libc_malloc(size));
}

void* calloc(size_t count, size_t size) {
  NoteRequest(size != 0 && count > SIZE_MAX / size ? SIZE_MAX : count * size);
  return Granted(__libc_calloc(count, size));
}

void* realloc(void* block, size_t size) {
  NoteRequest(size);
  const int64_t before = HeldBy(block);
  void* moved = __libc_realloc(block, size);
  // A failed realloc keeps the old block.
  if (moved != nullptr || size == 0) NoteHeld(HeldBy(moved) - before);
  return moved;
}

void* memalign(size_t alignment, size_t size) {
  NoteRequest(size);
  return Granted(__libc_memalign(alignment, size));
}

void* aligned_alloc(size_t alignment, size_t size) { return memalign(alignment, size); }

int posix_memalign(void** block, size_t alignment, size_t size) {
  if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
  void* granted = memalign(alignment, size);
  if (granted == nullptr) return ENOMEM;
  *block = granted;
  return 0;
}

void free(void* block) {
  NoteHeld(-HeldBy(block));
  __libc_free(block);
}
}  // extern "C"

#endif

namespace testing_support {

ChildMeasure MeasureInChild(uint64_t room, const std::function<int()>& run) {
  ChildMeasure measure;
  int channel[2];
  if (pipe(channel) != 0) return measure;
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    if (!LimitAddressSpace(room)) _exit(2);
    StartCounting();
    g_counting = true;
    ChildMeasure inside;
    inside.result = run();
    g_counting = false;
    inside.largest = g_largest.load();
    inside.peakGrowth = g_peak.load();
    inside.exited = true;
    const bool sent = write(channel[1], &inside, sizeof inside) == sizeof inside;
    _exit(sent ? 0 : 3);
  }
  close(channel[1]);
  if (child > 0) {
    ChildMeasure received;
    const bool got = read(channel[0], &received, sizeof received) == sizeof received;
    int status = 0;
    if (waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
        got) {
      measure = received;
    }
  }
  close(channel[0]);
  return measure;
}

}  // namespace testing_support
