#include "framework/GameMain.h"
#include "win/Graphics.h"

void CGameMain::LoadTexturePages() {
    LoadTexture(9, 109, 1024);
    LoadTexture(10, 110, 256);
    LoadTexture(8, 108, 128);
    LoadTexture(4, 104, 128);
    LoadTexture(5, 105, 128);
    LoadTexture(6, 106, 128);
    LoadTexture(7, 107, 512);
    LoadTexture(2, 102, 64);
    LoadTexture(3, 103, 1024);
}
