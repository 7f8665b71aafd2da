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
// too (Allegro, the image codecs, the C++ runtime's operator new). The bytes
// in use are counted here: the library's own figure (mallinfo2) also counts
// freed blocks it keeps in its per-thread cache, which comes and goes.
namespace {
std::atomic<long> bytes_in_use{0};

void *counted(void *block) {
    if (block) {
        allocations.fetch_add(1, std::memory_order_relaxed);
        bytes_in_use.fetch_add(malloc_usable_size(block), std::memory_order_relaxed);
    }
    return block;
}
}  // namespace

extern "C" {
void *__libc_malloc(size_t size);
void *__libc_calloc(size_t count, size_t size);
void *__libc_realloc(void *block, size_t size);
void *__libc_memalign(size_t alignment, size_t size);
void __libc_free(void *block);

void *malloc(size_t size) {
    return counted(__libc_malloc(size));
}

void *calloc(size_t count, size_t size) {
    return counted(__libc_calloc(count, size));
}

void free(void *block) {
    if (block) bytes_in_use.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
    __libc_free(block);
}

void *realloc(void *block, size_t size) {
    size_t before = block ? malloc_usable_size(block) : 0;
    void *moved = __libc_realloc(block, size);
    // A failed realloc keeps the old block; a realloc to 0 may free it.
    if (moved || size == 0) bytes_in_use.fetch_sub(before, std::memory_order_relaxed);
    if (!moved && size != 0) return nullptr;
    return counted(moved);
}

void *memalign(size_t alignment, size_t size) {
    return counted(__libc_memalign(alignment, size));
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
    return bytes_in_use.load(std::memory_order_relaxed);
}

#endif
