#pragma once
// The one palette of the whole game: dusk light from the upper left.
#include "Canvas.h"

constexpr Rgb kInk = Hex(0x1A1423);        // outlines
constexpr Rgb kNight = Hex(0x2B2140);
constexpr Rgb kDusk = Hex(0x4A3560);
constexpr Rgb kMauve = Hex(0x7A4A6E);
constexpr Rgb kRose = Hex(0xB0596B);
constexpr Rgb kCoral = Hex(0xE07A5F);
constexpr Rgb kAmber = Hex(0xF2A65A);
constexpr Rgb kGold = Hex(0xF6D68A);
constexpr Rgb kCream = Hex(0xFFF1D0);
constexpr Rgb kWhite = Hex(0xFFFFFF);
constexpr Rgb kMist = Hex(0x6B7FA3);
constexpr Rgb kSlate = Hex(0x46557A);
constexpr Rgb kNavy = Hex(0x262E4F);
constexpr Rgb kPineDark = Hex(0x1F3B2F);
constexpr Rgb kPine = Hex(0x2F5D40);
constexpr Rgb kGrass = Hex(0x4F8A4B);
constexpr Rgb kLeaf = Hex(0x8BBF5A);
constexpr Rgb kEarthDark = Hex(0x3D2A22);
constexpr Rgb kEarthDeep = Hex(0x2A1C17);  // shade of earth and bark
constexpr Rgb kEarth = Hex(0x6B4630);
constexpr Rgb kWood = Hex(0x9B6A43);
constexpr Rgb kSand = Hex(0xC9A46B);
constexpr Rgb kStoneDark = Hex(0x4A4A55);
constexpr Rgb kStone = Hex(0x7B7B88);
constexpr Rgb kStoneLight = Hex(0xB1B1BA);
constexpr Rgb kStoneWarm = Hex(0x8C8275);       // the warmer stones of the castle's walls
constexpr Rgb kStoneWarmLight = Hex(0xC4B9A6);
constexpr Rgb kWaterDeep = Hex(0x24506E);
constexpr Rgb kWater = Hex(0x3B7EA1);
constexpr Rgb kFoam = Hex(0x7EC4CF);
constexpr Rgb kRed = Hex(0xC0392B);
constexpr Rgb kCrimson = Hex(0x7F1D2D);
constexpr Rgb kSkin = Hex(0xF0C29A);
constexpr Rgb kViolet = Hex(0x8E5BD6);
// Four more, so that every playable character and enemy kind wears a main
// colour of its own: a cool jade between the pines and the water, a warm
// olive between the grass and the sand, and a pale and a deep blue-violet
// (lilac and indigo, one ramp) between the mist and the violet.
constexpr Rgb kJade = Hex(0x3E8C7A);
constexpr Rgb kOlive = Hex(0x8A8A44);
constexpr Rgb kLilac = Hex(0xA08CC8);
constexpr Rgb kIndigo = Hex(0x4A4F9A);

// Every colour above, for checks that a sheet keeps to the palette.
constexpr Rgb kPaletteColours[] = {
    kInk,   kNight, kDusk,      kMauve, kRose,  kCoral,      kAmber,      kGold,      kCream, kWhite, kMist,
    kSlate, kNavy,  kPineDark,  kPine,  kGrass, kLeaf,       kEarthDark,  kEarth,     kWood,  kSand,  kStoneDark,
    kStone, kStoneLight, kStoneWarm, kStoneWarmLight, kWaterDeep, kWater, kFoam, kRed, kCrimson, kSkin, kViolet,
    kJade, kOlive, kLilac, kIndigo,
};

// Only for the contact sheet's chequered background, never in a sheet.
constexpr Rgb kCheckA = Hex(0x303030);
constexpr Rgb kCheckB = Hex(0x404040);
