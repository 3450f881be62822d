#pragma once
// One 65,536-byte save block. (Least form until the save records land.)
#include <array>
#include <cstddef>
#include <cstdint>

class CSaveData {
public:
    static constexpr std::size_t kSize = 65536;
    CSaveData() { data_.fill(0); }
    virtual ~CSaveData() = default;
    uint8_t* Bytes() { return data_.data(); }
    const uint8_t* Bytes() const { return data_.data(); }

private:
    std::array<uint8_t, kSize> data_;
};

class CSaveFile {
public:
    CSaveFile() = default;
    virtual ~CSaveFile() = default;
};
