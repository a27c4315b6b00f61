#pragma once
// Scripted input as the headless windows receive it: the system's input messages (see
// platform/input_messages.h), with the shift bits in wparam's high word.
#include <cstdint>

#include "platform/input_messages.h"

namespace scr::platform::headless {

// Passes an input message on to events (key down, mouse move, a button down or
// double-click); false for any other message, a key pressed with Alt, or without events.
bool DeliverInput(IScreenWindowEvents* events, uint32_t message, uintptr_t wparam, intptr_t lparam);

}  // namespace scr::platform::headless
