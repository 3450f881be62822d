#pragma once
// The screen family and the root of the screen chain. Screens are static
// singletons addressed by a screen id; the controller is the chain's root.
#include <cstdint>

class CGameInput {
public:
    CGameInput() = default;
    virtual ~CGameInput() = default;

    // Runs this screen and its children: children first, then itself.
    virtual void Update();
    // Draws itself, then its child.
    virtual void Draw();
    virtual void Open() {}
    virtual void OnCovered() {}
    virtual void DoUpdate() {}
    virtual void DoDraw() {}

    // The screen for an id; null for an id without a screen.
    static CGameInput* GetInput(int32_t screenId);

    // The screen for the id becomes this node's only child and is opened.
    void SetInput(int32_t screenId);
    // The screen for the id is opened on top of the deepest screen.
    void PushInput(int32_t screenId);

    CGameInput* GetChild() const { return child_; }
    CGameInput* GetParent() const { return parent_; }

protected:
    CGameInput* child_ = nullptr;
    CGameInput* parent_ = nullptr;
};

class CGameInputController : public CGameInput {
public:
    static CGameInputController* GetInstance();
    void Init() {}
    void Update() override;
    void Draw() override;

private:
    CGameInputController() = default;
};
