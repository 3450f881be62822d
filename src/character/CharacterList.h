#pragma once
// The world list: an ordered array of characters that owns them, with
// 1-based indexed access and one shared cursor. It runs every character's
// frame under the game's freeze timers, deletes the characters that died,
// and draws them in 255 layers.
#include <cstdint>
#include <vector>

class CCharacter;

// The ring node the list family starts from. The list is an array; the
// ring is kept empty.
template <class T>
class clinked_list_node {
public:
    clinked_list_node() : m_reserved(0), m_prev(this), m_next(this) {}
    virtual ~clinked_list_node() = default;
    clinked_list_node(const clinked_list_node&) = delete;
    clinked_list_node& operator=(const clinked_list_node&) = delete;

protected:
    int32_t m_reserved;
    clinked_list_node* m_prev;
    clinked_list_node* m_next;
};

// Count, capacity, cursor and the item array, with indexed access and the
// cursor walk.
template <class T>
class clinked_list_head : public clinked_list_node<T> {
public:
    static constexpr int32_t kGrowth = 256;

    clinked_list_head() : items(new T*[kGrowth]) {}
    ~clinked_list_head() override { delete[] items; }

    // The entry at 1-based position index; null outside 1..count.
    virtual T* GetAt(int32_t index) const {
        if (index < 1 || index > count) return nullptr;
        return items[index - 1];
    }

    // The entry at the cursor, advancing it; null (cursor unchanged) at
    // the end. Walkers set the cursor to 0 first.
    virtual T* GetNext() {
        if (cursor < 0 || cursor >= count) return nullptr;
        return items[cursor++];
    }

    int32_t GetCount() const { return count; }
    int32_t GetCapacity() const { return capacity; }
    void ResetCursor() { cursor = 0; }

    // 0-based position of the next entry GetNext returns.
    int32_t cursor = 0;

protected:
    // Makes room for one more entry, growing by kGrowth entries.
    void Reserve() {
        if (count < capacity) return;
        const int32_t grown = capacity + kGrowth;
        T** fresh = new T*[grown];
        for (int32_t i = 0; i < count; ++i) fresh[i] = items[i];
        delete[] items;
        items = fresh;
        capacity = grown;
    }
    void Append(T* entry) {
        Reserve();
        items[count++] = entry;
    }
    void Prepend(T* entry) {
        Reserve();
        for (int32_t i = count; i > 0; --i) items[i] = items[i - 1];
        items[0] = entry;
        ++count;
    }
    // Removes the entry at 0-based position index; the later entries move
    // down by one.
    void RemoveIndex(int32_t index) {
        if (index < 0 || index >= count) return;
        for (int32_t i = index + 1; i < count; ++i) items[i - 1] = items[i];
        --count;
    }
    // 0-based position of the first occurrence, or -1.
    int32_t IndexOf(const T* entry) const {
        for (int32_t i = 0; i < count; ++i)
            if (items[i] == entry) return i;
        return -1;
    }

    int32_t count = 0;
    int32_t capacity = kGrowth;
    T** items;
};

class CCharacterList : public clinked_list_head<CCharacter> {
public:
    CCharacterList() = default;
    // Deletes every character still in the list.
    ~CCharacterList() override;

    // Appends the character as the last entry (the list now owns it).
    void Add(CCharacter* character);
    // Puts the character in front of every other entry.
    void InsertFront(CCharacter* character);
    // Empties the list without deleting anyone.
    void RemoveAll();
    // Deletes every character, oldest first.
    void DeleteAll();
    // Deletes every character but the game's player.
    void DeleteAllButPlayer();
    // One frame of every character, then deletion of the dead ones.
    void UpdateAll();
    // Draws every character, layer 0 first; list order within a layer.
    void DrawAll();

private:
    // Scratch for DrawAll, kept so a frame's drawing allocates nothing.
    std::vector<CCharacter*> collected_;
    std::vector<CCharacter*> drawOrder_;
};
