#include "framework/TextTable.h"

#include "framework/GameMain.h"

const char* GetTextForLanguage(int32_t id, int32_t language) {
    if (id < 0 || id >= kTextCount) return "";
    const char* text = language == kLanguageJapanese ? kTextsJapanese[id] : kTextsEnglish[id];
    return text ? text : "";
}

const char* GetText(int32_t id) { return GetTextForLanguage(id, CGameMain::GetInstance()->m_language); }
