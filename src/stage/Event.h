#pragma once
// The event director. (Least form until the scenes land.)
class CEvent {
public:
    static CEvent* GetInstance() {
        static CEvent instance;
        return &instance;
    }
    virtual ~CEvent() = default;
    void Reset() { event_ = 0; }
    void SetEvent(int id) { event_ = id; }
    int GetEvent() const { return event_; }
    // The current scene's step, once per play frame.
    void Update() {}

private:
    CEvent() = default;
    int event_ = 0;
};
