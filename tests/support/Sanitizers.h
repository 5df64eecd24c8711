#pragma once
// VELDORIN_ASAN is defined in a build under AddressSanitizer, whichever compiler made it (GCC names it
// __SANITIZE_ADDRESS__, clang answers __has_feature).
#if defined(__SANITIZE_ADDRESS__)
#define VELDORIN_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELDORIN_ASAN 1
#endif
#endif
