#pragma once
// The input object. (Least form until input lands.)
#include "platform/Window.h"

class CMyInput {
public:
    static CMyInput* GetInstance() {
        static CMyInput instance;
        return &instance;
    }
    virtual ~CMyInput() = default;
    void Poll() {}
    void OnKeyMessage(const platform::Message&) {}

private:
    CMyInput() = default;
};
