#pragma once
// The inventory's 19 item icons, drawn into the interface sheet at their
// cells (item_icons.cpp).
#include "Canvas.h"

void DrawItemIcons(Canvas& sheet);
