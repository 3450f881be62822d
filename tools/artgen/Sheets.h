#pragma once
// Registry of sprite sheets: each drawing file under data/art registers the
// image resources it draws.
#include <string>
#include <vector>

#include "Canvas.h"

using DrawFn = Canvas (*)();

struct SheetDef {
    int resourceId;
    const char* name;
    DrawFn draw;
};

std::vector<SheetDef>& Sheets();
// Folder of the art sources (for pixel-grid files read at build time).
const std::string& ArtDataDir();

struct SheetRegistrar {
    SheetRegistrar(int id, const char* name, DrawFn fn) { Sheets().push_back({id, name, fn}); }
};

#define ART_SHEET(id, name)                                   \
    static Canvas DrawSheet_##id();                           \
    static SheetRegistrar registrar_##id(id, name, DrawSheet_##id); \
    static Canvas DrawSheet_##id()
