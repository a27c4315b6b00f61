#pragma once
// How far Progress moves per step, and the least time a step of an automatic run
// takes (milliseconds), when nobody says otherwise: the picture show control's
// defaults, which the tools that render its frames use too.
namespace scr {

inline constexpr int kDefaultStep = 4;
inline constexpr int kDefaultDelay = 40;

}  // namespace scr
