#pragma once
// A character for tests: a small table whose records all hold, an Update
// that steps the records and then runs an optional hook, and counters of
// what was called.
#include <cstdint>
#include <functional>
#include <vector>

#include "character/Character.h"

class TestCharacter : public CCharacter {
public:
    static constexpr int32_t kRecords = 300;

    // With holding records unless told to leave the table bare (record 0
    // default, the rest all zero).
    explicit TestCharacter(bool holding = true) {
        hp = hpMax = 100;
        frameTable.Allocate(kRecords);
        if (!holding) return;
        for (int32_t r = 1; r < kRecords; ++r)
            SetFrameRecord(r, 32, 32, -32, 31, -32, 31, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, kHeldDuration, -1,
                           kHeldDuration, 0);
    }
    ~TestCharacter() override {
        if (destroyed != nullptr) *destroyed = true;
    }

    void Update() override {
        ++updates;
        StepAnimation();
        if (onUpdate) onUpdate(*this);
    }
    void Draw() override {
        if (drawLog != nullptr) drawLog->push_back(this);
    }

    int32_t updates = 0;
    bool* destroyed = nullptr;
    std::vector<const CCharacter*>* drawLog = nullptr;
    std::function<void(TestCharacter&)> onUpdate;
};
