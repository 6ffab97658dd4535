// The published figures of the forty tube tables: each slice's scale factor (its value at
// g = 1) and, for slices 0 and 9 of every family, the built table's value at five grid
// entries. The plot marks them; the tests hold the built tables to them.
#pragma once

namespace tubetables {

inline constexpr int kFamilies = 4;
inline constexpr int kSlices = 10;
inline constexpr int kFigureEntries = 5;
inline constexpr int kFigureEntry[kFigureEntries] = {0, 11025, 22050, 33074, 44099};
inline constexpr int kFigureSlices[2] = {0, 9};

inline constexpr float kScale[kFamilies][kSlices] = {
    {0.000278055319f, 0.000271188677f, 0.000264858158f, 0.00025875913f, 0.000252731959f,
     0.000246702199f, 0.000240636058f, 0.000234518448f, 0.000228343124f, 0.000222108167f},
    {0.00104789739f, 0.00134037924f, 0.00161002646f, 0.00186981144f, 0.00212653773f,
     0.00238337298f, 0.00264175795f, 0.00290233595f, 0.00316537195f, 0.00343094743f},
    {0.000126928484f, 0.00011542147f, 0.000104183113f, 9.30781898e-05f, 8.20232963e-05f,
     7.09741144e-05f, 5.99100531e-05f, 4.88261066e-05f, 3.77327633e-05f, 2.66688021e-05f},
    {0.000540535722f, 0.000656726887f, 0.000770205457f, 0.000882337044f, 0.000993964029f,
     0.00110553484f, 0.00121725933f, 0.00132919301f, 0.00144124159f, 0.00155304442f},
};

// [family][0 for slice 0, 1 for slice 9][entry]
inline constexpr float kFigure[kFamilies][2][kFigureEntries] = {
    {{-5.51562e-08f, 1.80673e-05f, 0.000104392f, 0.000191085f, 0.000278004f},
     {-6.7782e-08f, 1.60972e-07f, 5.35141e-05f, 0.000138009f, 0.00022204f}},
    {{5.11669e-07f, 0.000525265f, 0.000710679f, 0.00088399f, 0.00105148f},
     {1.25645e-06f, 0.00169466f, 0.00287586f, 0.00314689f, 0.00343472f}},
    {{-1.54942e-08f, 1.4437e-05f, 5.13208e-05f, 8.89061e-05f, 0.000126928f},
     {8.13867e-09f, 1.42171e-08f, -2.20535e-08f, -9.77223e-08f, 2.66704e-05f}},
    {{0.000222908f, 0.000462082f, 0.000494169f, 0.000519518f, 0.000540585f},
     {0.000308471f, 0.000675225f, 0.00104906f, 0.00142596f, 0.00155297f}},
};

}  // namespace tubetables
