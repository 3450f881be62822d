#include "support/Scenario.h"

#include <algorithm>
#include <cstring>

#include "character/CreateCharacter.h"
#include "framework/GameMain.h"
#include "framework/Random.h"
#include "framework/StateMain.h"
#include "win/MyInput.h"
#include "win/SoundTables.h"

namespace testing_support {

ScenarioBody::ScenarioBody(Box body, Box solid) {
    hp = hpMax = 100;
    gravityNum = 10;
    gravityDen = 1;
    maxFall = 200;
    frameTable.Allocate(kRecords);
    ForEachRecord([](FrameRecord& r) {
        r.u = r.v = 32;
        r.spriteLeft = r.spriteTop = -32;
        r.spriteRight = r.spriteBottom = 31;
        r.nextFrame = r.nextState = -1;
        r.frameDuration = r.stateDuration = kHeldDuration;
    });
    SetBody(body);
    SetHurtBox(body);
    SetSolid(solid);
    SetState(kState);
    ConsumeStateChange();
}

void ScenarioBody::SetBox(Box b, Field left, Field right, Field top, Field bottom) {
    ForEachRecord([=](FrameRecord& r) {
        r.*left = b.left;
        r.*right = b.right;
        r.*top = b.top;
        r.*bottom = b.bottom;
    });
}

void ScenarioBody::SetBody(Box b) {
    SetBox(b, &FrameRecord::bodyLeft, &FrameRecord::bodyRight, &FrameRecord::bodyTop, &FrameRecord::bodyBottom);
}

void ScenarioBody::SetHurtBox(Box b) {
    SetBox(b, &FrameRecord::hurtLeft, &FrameRecord::hurtRight, &FrameRecord::hurtTop, &FrameRecord::hurtBottom);
}

void ScenarioBody::SetAttackBox(Box b) {
    SetBox(b, &FrameRecord::attackLeft, &FrameRecord::attackRight, &FrameRecord::attackTop,
           &FrameRecord::attackBottom);
}

void ScenarioBody::SetSolid(Box b) {
    ForEachRecord([b](FrameRecord& r) {
        r.solidLeft = b.left;
        r.solidRight = b.right;
        r.solidTopLeft = r.solidTopRight = b.top;
        r.solidBottomLeft = r.solidBottomRight = b.bottom;
    });
}

void ScenarioBody::Update() {
    StepAnimation();
    if (onUpdate) onUpdate(*this);
    if (falls) ApplyGravity();
    Move(vx, vy);
}

bool ScenarioBody::OnTerrainContact(int32_t side) {
    contacts.push_back(side);
    return false;
}

ScenarioBody::Box WalkerBody() { return {-100, 100, -200, 100}; }

Scenario::Scenario(std::vector<std::string> grid, std::map<char, int32_t> legend, uint32_t seed) {
    CGameMain* game = CGameMain::GetInstance();
    // Nothing of an earlier test (a stage it started) is still in the world.
    game->m_characterList.DeleteAll();
    game->m_subCharacterList.DeleteAll();
    game->m_player = nullptr;
    GameSrand(seed);
    game->m_frameCount = 0;
    stage_.height = static_cast<int32_t>(grid.size());
    for (const std::string& row : grid) stage_.width = std::max(stage_.width, static_cast<int32_t>(row.size()));
    game->SetStageView(&stage_);
    SetSoundEffectObserver([this](int32_t slot) { sounds_.push_back(slot); });

    platform::SetInputSource(&input_);
    // No button or touch of an earlier scenario is still held.
    std::memset(CMouseDevice::GetInstance()->m_buttons, 0, sizeof CMouseDevice::GetInstance()->m_buttons);
    std::memset(CMyInput::GetInstance()->m_touchHistory, 0, sizeof CMyInput::GetInstance()->m_touchHistory);
    CMyInput::GetInstance()->SetWindow(input_.GameWindow());
    CMouseDevice::GetInstance()->InitMouse(input_.GameWindow());
    InitJoystick(input_.GameWindow());

    for (int32_t row = 0; row < static_cast<int32_t>(grid.size()); ++row) {
        const std::string& line = grid[static_cast<std::size_t>(row)];
        for (int32_t col = 0; col < static_cast<int32_t>(line.size()); ++col) {
            const char ch = line[static_cast<std::size_t>(col)];
            if (ch == '.' || ch == ' ') continue;
            const auto it = legend.find(ch);
            if (it == legend.end()) continue;
            cells_[{col, row}] = AddAtCell(it->second, col, row);
        }
    }
}

Scenario::~Scenario() {
    CGameMain* game = CGameMain::GetInstance();
    game->m_characterList.DeleteAll();
    game->m_subCharacterList.DeleteAll();
    game->m_player = nullptr;
    game->SetStageView(nullptr);
    SetSoundEffectObserver(nullptr);
    platform::SetInputSource(nullptr);
}

CCharacter* Scenario::AddAt(int32_t typeId, int32_t x, int32_t y) {
    CCharacter* c = CreateCharacter(typeId);
    if (c != nullptr) Place(c, x, y);
    return c;
}

CCharacter* Scenario::AddAtCell(int32_t typeId, int32_t column, int32_t row) {
    return AddAt(typeId, CellX(column), CellY(row));
}

void Scenario::Place(CCharacter* c, int32_t x, int32_t y) {
    CGameMain::GetInstance()->m_characterList.Add(c);
    c->x = x;
    c->y = y;
    c->prevX = x;
    c->prevY = y;
}

void Scenario::SetPlayer(CCharacter* player) { CGameMain::GetInstance()->m_player = player; }

CCharacter* Scenario::At(int32_t column, int32_t row) const {
    const auto it = cells_.find({column, row});
    return it == cells_.end() ? nullptr : it->second;
}

void Scenario::TouchDown(int32_t x, int32_t y) {
    TouchMove(x, y);
    input_.events.push_back({0, 0x80});
}

void Scenario::TouchMove(int32_t x, int32_t y) {
    input_.cursorX = x;
    input_.cursorY = y;
}

void Scenario::TouchUp() { input_.events.push_back({0, 0x00}); }

void Scenario::Run(int frames) {
    CGameMain* game = CGameMain::GetInstance();
    for (int i = 0; i < frames; ++i) {
        ++game->m_frameCount;
        if (beforeFrame) beforeFrame(*this);
        CMyInput::GetInstance()->Poll();
        CGameStateMainNormal::GetInstance()->DoAction();
    }
}

}  // namespace testing_support
