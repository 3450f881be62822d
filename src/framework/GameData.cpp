// Reading and writing the game's save data. (Least form until saving lands.)
#include "framework/GameMain.h"

void CGameMain::LoadAllSlots() {}
void CGameMain::SaveGlobalData() {}
void CGameMain::SaveResumeRecords() {}
void CGameMain::TakeResumeSnapshot() {}
void CGameMain::ResetResumeRecord() {}
void CGameMain::ResetResumeRecordAt(int32_t) {}
void CGameMain::NewGameInSlot(int32_t) {}
int32_t CGameMain::CountCompletion(int32_t) { return 0; }
