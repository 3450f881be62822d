#include "framework/SaveData.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/GameMain.h"

bool CSaveData::WriteDefault() { return Write("save"); }

bool CSaveData::Write(const char*) { return WriteTo(CGameMain::GetInstance()->m_saveFile); }

bool CSaveData::ReadDefault() { return Read("save"); }

bool CSaveData::Read(const char*) { return ReadFrom(CGameMain::GetInstance()->m_saveFile); }

bool CSaveData::WriteTo(CSaveFile& file) const {
    uint32_t written = 0;
    return file.Write(m_block, kSize, &written) && written == kSize;
}

bool CSaveData::ReadFrom(CSaveFile& file) {
    // Read aside first, so that a failed read changes nothing; what a short
    // read got replaces only the start of the block.
    auto buffer = std::make_unique<uint8_t[]>(kSize);
    uint32_t count = 0;
    if (!file.Read(buffer.get(), kSize, &count)) return false;
    std::memcpy(m_block, buffer.get(), std::min<std::size_t>(count, kSize));
    return true;
}
