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
    // A stand-in that holds a sheet's place until the real drawing exists;
    // any other sheet of the same id replaces it.
    bool placeholder = false;
};

std::vector<SheetDef>& Sheets();
// Folder of the art sources (for pixel-grid files read at build time).
const std::string& ArtDataDir();

struct SheetRegistrar {
    SheetRegistrar(int id, const char* name, DrawFn fn, bool placeholder = false) {
        Sheets().push_back({id, name, fn, placeholder});
    }
};

#define ART_SHEET(id, name)                                   \
    static Canvas DrawSheet_##id();                           \
    static SheetRegistrar registrar_##id(id, name, DrawSheet_##id); \
    static Canvas DrawSheet_##id()

#define ART_PLACEHOLDER_SHEET(id, name)                             \
    static Canvas DrawSheet_##id();                                 \
    static SheetRegistrar registrar_##id(id, name, DrawSheet_##id, true); \
    static Canvas DrawSheet_##id()
