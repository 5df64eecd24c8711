#pragma once
// The four XInput game pads, read once per frame by the main loop before the scene update. Readers
// use pad 0's held buttons and thumbs and the edge fields the poll derives.
#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/input/Input.h"

// What one user index holds after a poll.
struct PadRecord {
    XINPUT_STATE state;          // after the dead zone
    XINPUT_VIBRATION vibration;  // motor speeds sent on the next poll, then cleared
    uint16_t stickBits;          // bit 3 LX, bit 2 LY, bit 1 RX, bit 0 RY: the axis is not zero
    uint8_t triggerBits;         // bit 1 left, bit 0 right: the trigger is not zero
    uint8_t triggerEdges;        // bits 0-1: trigger bits that cleared; bits 2-3: that became set
    uint16_t stickPressed;       // stick bits that became set this poll
    uint16_t stickReleased;      // stick bits that became clear this poll
    uint16_t buttonsPressed;     // wButtons bits that became set this poll
    uint16_t buttonsReleased;    // wButtons bits that became clear this poll
};

class GamePad {
public:
    // The XInput default dead zones; an axis pair counts as centred while both lie strictly inside.
    static constexpr int kLeftDeadZone = 7849;
    static constexpr int kRightDeadZone = 8689;
    static constexpr int kPadCount = 4;

    static GamePad& GetInstance();
    // A pad set of its own (the singleton is the one the game polls).
    GamePad() = default;

    // Sends each pad's vibration, then reads the pads in index order; stops at the first index that is
    // not connected, which reads as all zero while the later indices keep their old records.
    void Update();

    PadRecord& Pad(int index) { return pads[static_cast<std::size_t>(index)]; }
    const PadRecord& Pad(int index) const { return pads[static_cast<std::size_t>(index)]; }

private:
    bool PollOne(PadRecord& pad, DWORD index);

    std::array<PadRecord, kPadCount> pads{};
};

// Zeroes an axis pair when both values lie strictly within (-zone, zone).
void ApplySquareDeadZone(SHORT& x, SHORT& y, int zone);
