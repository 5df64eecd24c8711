#pragma once
// Reference counting in the shape of COM: whoever creates or is handed an interface calls Release once.
#include <atomic>
#include <cstdint>

typedef uint32_t ULONG;

class Unknown {
public:
    Unknown() = default;
    Unknown(const Unknown&) = delete;
    Unknown& operator=(const Unknown&) = delete;

    ULONG AddRef() { return ++refCount; }
    ULONG Release() {
        const ULONG left = --refCount;
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual ~Unknown() = default;

private:
    std::atomic<ULONG> refCount{1};
};

// Releases an interface pointer if it is set and clears it.
template <typename T>
void SafeRelease(T*& p) {
    if (p) {
        p->Release();
        p = nullptr;
    }
}
