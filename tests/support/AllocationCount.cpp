#include "tests/support/AllocationCount.h"
#include "tests/support/Sanitizers.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool counting = false;
thread_local uint64_t counted = 0;

#if defined(VELDORIN_ASAN)
constexpr bool kReplaced = false;
#else
constexpr bool kReplaced = true;

void* Allocate(std::size_t size) {
    if (counting) ++counted;
    return std::malloc(size ? size : 1);
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
    if (counting) ++counted;
    const std::size_t align = static_cast<std::size_t>(alignment);
    // aligned_alloc wants a size that is a non-zero multiple of the alignment.
    const std::size_t rounded = (size + align - 1) / align * align;
    return std::aligned_alloc(align, rounded ? rounded : align);
}

void* OrThrow(void* p) {
    if (!p) throw std::bad_alloc();
    return p;
}
#endif

}  // namespace

namespace allocations {

bool Countable() { return kReplaced; }
void Start() {
    counted = 0;
    counting = true;
}
uint64_t Stop() {
    counting = false;
    return counted;
}
void Pause() { counting = false; }
void Resume() { counting = true; }

}  // namespace allocations

#if !defined(VELDORIN_ASAN)
void* operator new(std::size_t size) { return OrThrow(Allocate(size)); }
void* operator new[](std::size_t size) { return OrThrow(Allocate(size)); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new(std::size_t size, std::align_val_t a) { return OrThrow(AllocateAligned(size, a)); }
void* operator new[](std::size_t size, std::align_val_t a) { return OrThrow(AllocateAligned(size, a)); }
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, a);
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, a);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
#endif
