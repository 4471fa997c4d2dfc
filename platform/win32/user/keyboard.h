// Key state and the translation of key messages into characters.
#pragma once

#include <string>

#include "window.h"

namespace user {

unsigned GenericVk(unsigned vk);  // VK_LSHIFT -> VK_SHIFT and so on
bool IsExtendedKey(unsigned vk);
void SetAsyncKey(unsigned vk, bool down);
// The host's text for a key press arrives after the key itself; it is kept
// with the WM_KEYDOWN so that TranslateMessage posts exactly that text.
void RememberKeyDown(const MSG& m);
bool AttachText(HWND target, const std::string& text);

}  // namespace user
