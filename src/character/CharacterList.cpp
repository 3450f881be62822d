#include "character/CharacterList.h"

#include <array>
#include <cstddef>
#include <vector>

#include "character/Character.h"
#include "framework/GameMain.h"

CCharacterList::~CCharacterList() { DeleteAll(); }

void CCharacterList::Add(CCharacter* character) { Append(character); }

void CCharacterList::InsertFront(CCharacter* character) { Prepend(character); }

void CCharacterList::RemoveAll() { count = 0; }

void CCharacterList::DeleteAll() {
    // The character is still in the list while its destructor runs: the
    // destructor walks the world list to clear the links to it.
    while (count > 0) {
        CCharacter* c = GetAt(1);
        delete c;
        RemoveIndex(0);
    }
}

void CCharacterList::DeleteAllButPlayer() {
    CCharacter* player = CGameMain::GetInstance()->m_player;
    int32_t position = 1;
    while (position <= count) {
        CCharacter* c = GetAt(position);
        if (c != nullptr && c == player) {
            ++position;
            continue;
        }
        delete c;
        RemoveIndex(position - 1);
    }
}

void CCharacterList::UpdateAll() {
    CGameMain* game = CGameMain::GetInstance();
    int32_t i = 0;
    while (i < count) {
        CCharacter* c = items[i];
        if (c == nullptr) {
            ++i;
            continue;
        }
        // Both timers are read for every entry, so a freeze that one
        // character starts holds back the entries behind it at once.
        bool run = game->GetFreezeTimer() == 0;
        if (run && game->GetGroupFreezeTimer() != 0 && c->group != 0) run = false;
        if (run) c->Frame();

        // Find the character before touching it: a frame that emptied the
        // list deleted it with the rest, and the pass ends there. A dead one
        // is taken from the first place it stands at, and the pass goes on
        // with the entry that followed it; after a live one the pass goes on
        // with the next place.
        const int32_t position = (i < count && items[i] == c) ? i : IndexOf(c);
        if (position < 0) return;
        if (!c->alive) {
            delete c;
            RemoveIndex(position);
            i = position;
        } else {
            ++i;
        }
    }
}

void CCharacterList::DrawAll() {
    if (count == 0) return;
    // Everyone is collected before the first Draw, so a Draw that walks the
    // list with the cursor does not disturb the drawing.
    std::vector<CCharacter*>& collected = collected_;
    collected.clear();
    cursor = 0;
    while (cursor < count) {
        if (CCharacter* c = GetNext()) collected.push_back(c);
    }
    // Counting sort by layer: stable, so list order holds within a layer.
    // A layer outside 0..254 is drawn in the nearest layer.
    auto layerOf = [](const CCharacter* c) -> std::size_t {
        const int32_t layer = c->layer < 0 ? 0 : (c->layer > kDrawLayerCount - 1 ? kDrawLayerCount - 1 : c->layer);
        return static_cast<std::size_t>(layer);
    };
    std::array<std::size_t, kDrawLayerCount + 1> start{};
    for (CCharacter* c : collected) ++start[layerOf(c) + 1];
    for (std::size_t l = 1; l < start.size(); ++l) start[l] += start[l - 1];
    std::vector<CCharacter*>& order = drawOrder_;
    order.assign(collected.size(), nullptr);
    for (CCharacter* c : collected) order[start[layerOf(c)]++] = c;
    for (CCharacter* c : order) c->Draw();
}
