#include "support/heap_watch.h"

#include <atomic>

namespace {
std::atomic<long> allocations{0};
}  // namespace

long heap_allocations() {
    return allocations.load(std::memory_order_relaxed);
}

#if defined(__SANITIZE_ADDRESS__)

// The sanitizer runtime's allocator interface (GCC ships no header for it).
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*on_malloc)(const volatile void *, size_t),
                                              void (*on_free)(const volatile void *));
size_t __sanitizer_get_current_allocated_bytes();
}

namespace {

void count_allocation(const volatile void *, size_t) {
    allocations.fetch_add(1, std::memory_order_relaxed);
}
void ignore_free(const volatile void *) {}

const int hooks_installed =
    __sanitizer_install_malloc_and_free_hooks(count_allocation, ignore_free);

}  // namespace

size_t heap_in_use() {
    (void)hooks_installed;
    return __sanitizer_get_current_allocated_bytes();
}

#else

#include <malloc.h>

#include <cerrno>

// The C library's own allocator, under its internal names. Defining malloc in
// the executable puts it in front of the library's for every shared library
// too (Allegro, the image codecs, the C++ runtime's operator new).
extern "C" {
void *__libc_malloc(size_t size);
void *__libc_calloc(size_t count, size_t size);
void *__libc_realloc(void *block, size_t size);
void *__libc_memalign(size_t alignment, size_t size);

void *malloc(size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

void *calloc(size_t count, size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

void *realloc(void *block, size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(block, size);
}

void *memalign(size_t alignment, size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_memalign(alignment, size);
}

void *aligned_alloc(size_t alignment, size_t size) {
    return memalign(alignment, size);
}

int posix_memalign(void **block, size_t alignment, size_t size) {
    *block = memalign(alignment, size);
    return *block ? 0 : ENOMEM;
}
}

size_t heap_in_use() {
    // Large blocks (the pictures) are mapped apart from the arena.
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

#endif
