#pragma once
// The world list of play-field characters. (Least form until the character
// core lands: it only holds nothing.)
class CCharacter;

class CCharacterList {
public:
    CCharacterList() = default;
    virtual ~CCharacterList() = default;
    void DeleteAll() {}
    void UpdateAll() {}
    void DrawAll() {}
    int GetCount() const { return 0; }
};
