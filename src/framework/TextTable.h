#pragma once
// The text table: every text the game shows or sends, by text id, in
// English and Japanese (Shift-JIS byte strings).
#include <cstdint>

constexpr int kTextCount = 284;

// Language 1 is Japanese; every other value is English.
constexpr int32_t kLanguageJapanese = 1;

// The text of an id in a language; ids outside the table give the empty
// text. Never null.
const char* GetTextForLanguage(int32_t id, int32_t language);
// The text of an id in the game's current language.
const char* GetText(int32_t id);

// The tables themselves, generated from data/text at build time.
extern const char* const kTextsEnglish[kTextCount];
extern const char* const kTextsJapanese[kTextCount];
