// A boss's frame records checked against the chains the game gives them:
// where each record leads and how long it holds (and, where given, its sheet).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "character/FrameRecord.h"

namespace boss_test {

struct Chain {
    int32_t record, nextFrame, nextState, frameDuration, stateDuration;
    int32_t texture = -1;  // -1: the sheet is not checked
};

template <class T>
void ExpectChains(std::initializer_list<Chain> chains) {
    auto boss = std::make_unique<T>();
    for (const Chain& k : chains) {
        const FrameRecord* r = boss->frameTable.Find(k.record);
        ASSERT_NE(r, nullptr) << k.record;
        EXPECT_EQ(r->nextFrame, k.nextFrame) << k.record;
        EXPECT_EQ(r->nextState, k.nextState) << k.record;
        EXPECT_EQ(r->frameDuration, k.frameDuration) << k.record;
        EXPECT_EQ(r->stateDuration, k.stateDuration) << k.record;
        if (k.texture >= 0) {
            EXPECT_EQ(r->textureId, k.texture) << k.record;
        }
    }
}

}  // namespace boss_test
