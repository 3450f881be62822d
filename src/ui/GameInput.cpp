#include "ui/GameInput.h"

void CGameInput::Update() {
    if (child_) child_->Update();
    DoUpdate();
}

void CGameInput::Draw() {
    DoDraw();
    if (child_) child_->Draw();
}

CGameInput* CGameInput::GetInput(int32_t) {
    // Screens register here as they are built.
    return nullptr;
}

void CGameInput::SetInput(int32_t screenId) {
    CGameInput* screen = GetInput(screenId);
    child_ = screen;
    if (!screen) return;
    screen->parent_ = nullptr;
    screen->child_ = nullptr;
    screen->Open();
}

void CGameInput::PushInput(int32_t screenId) {
    CGameInput* screen = GetInput(screenId);
    if (!screen) return;
    CGameInput* deepest = this;
    while (deepest->child_) deepest = deepest->child_;
    if (deepest == screen) {
        screen->Open();
        return;
    }
    deepest->OnCovered();
    deepest->child_ = screen;
    screen->parent_ = deepest == this ? nullptr : deepest;
    screen->child_ = nullptr;
    screen->Open();
}

CGameInputController* CGameInputController::GetInstance() {
    static CGameInputController instance;
    return &instance;
}

void CGameInputController::Update() {
    if (child_) child_->Update();
}

void CGameInputController::Draw() {
    if (child_) child_->Draw();
}
