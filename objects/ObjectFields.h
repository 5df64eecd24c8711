#pragma once
// What an object tells about itself beyond the fields every object shares: named values that
// diagnostics (the runner's per-frame dump) write out. Each class names its own.
#include "platform/math/D3DXMath.h"

class ObjectFields {
public:
    virtual ~ObjectFields() = default;
    virtual void Int(const char* name, int value) = 0;
    virtual void Float(const char* name, float value) = 0;
    virtual void Vector(const char* name, const D3DXVECTOR3& value) = 0;
};
