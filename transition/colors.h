#pragma once
// Colours as the control's properties hold them: 0x00BBGGRR for plain colours,
// 0xFF0000nn for system colour number nn.
#include <cstdint>

#include "common/colour.h"

namespace scr {

inline constexpr TColor clWindow = 0xFF000005;   // system colour 5, window background
inline constexpr TColor clBtnFace = 0xFF00000F;  // system colour 15, face of buttons and forms

// The classic palette of the system colours, for hosts without a system to ask;
// unknown numbers give black.
uint32_t DefaultSysColor(int index);

}  // namespace scr
