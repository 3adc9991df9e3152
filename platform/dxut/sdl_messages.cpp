#include "dxut/sdl_messages.h"

#include <algorithm>

#include "win32/utf8.h"

namespace {

// Positions beyond the 16-bit range are clamped so that they keep their sign.
LPARAM packPosition(int x, int y) {
    auto word = [](int v) { return unsigned(std::clamp(v, -32768, 32767)) & 0xFFFF; };
    return MAKELPARAM(word(x), word(y));
}

WPARAM mouseKeyState(Uint32 buttons, Uint16 modifiers) {
    WPARAM state = 0;
    state |= (buttons & SDL_BUTTON_LMASK) ? MK_LBUTTON : 0;
    state |= (buttons & SDL_BUTTON_RMASK) ? MK_RBUTTON : 0;
    state |= (buttons & SDL_BUTTON_MMASK) ? MK_MBUTTON : 0;
    state |= (modifiers & KMOD_SHIFT) ? MK_SHIFT : 0;
    state |= (modifiers & KMOD_CTRL) ? MK_CONTROL : 0;
    return state;
}

// The control character a key press also types, as the original platform's message
// translation produces it; 0 for none.
wchar_t controlCharacter(UINT key, Uint16 modifiers) {
    switch (key) {
        case VK_RETURN:
            return L'\r';
        case VK_BACK:
            return L'\b';
        case VK_TAB:
            return L'\t';
        case VK_ESCAPE:
            return 0x1B;
        default:
            break;
    }
    if ((modifiers & KMOD_CTRL) && !(modifiers & KMOD_ALT) && key >= 'A' && key <= 'Z') {
        return static_cast<wchar_t>(key - 'A' + 1);
    }
    return 0;
}

}  // namespace

UINT virtualKeyOf(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return UINT('A' + (key - SDLK_a));
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return UINT('0' + (key - SDLK_0));
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return VK_F1 + UINT(key - SDLK_F1);
    }
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) {
        return VK_NUMPAD0 + 1 + UINT(key - SDLK_KP_1);
    }
    switch (key) {
        case SDLK_KP_0:
            return VK_NUMPAD0;
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        case SDLK_PAUSE:
            return VK_PAUSE;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_END:
            return VK_END;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_INSERT:
            return VK_INSERT;
        case SDLK_DELETE:
            return VK_DELETE;
        default:
            return 0;
    }
}

std::vector<WindowMessage> translateInputEvent(const SDL_Event& event, Uint32 buttons,
                                               Uint16 modifiers) {
    std::vector<WindowMessage> out;
    switch (event.type) {
        case SDL_MOUSEMOTION:
            out.push_back({WM_MOUSEMOVE, mouseKeyState(buttons, modifiers),
                           packPosition(event.motion.x, event.motion.y)});
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const bool down = event.type == SDL_MOUSEBUTTONDOWN;
            // Every second click of a series is a double click, as on the original platform.
            const bool doubleClick =
                down && event.button.clicks >= 2 && event.button.clicks % 2 == 0;
            UINT message = 0;
            if (event.button.button == SDL_BUTTON_LEFT) {
                message = !down ? WM_LBUTTONUP : doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
            } else if (event.button.button == SDL_BUTTON_RIGHT) {
                message = !down ? WM_RBUTTONUP : doubleClick ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
            } else if (event.button.button == SDL_BUTTON_MIDDLE) {
                message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
            }
            if (message != 0) {
                out.push_back({message, mouseKeyState(buttons, modifiers),
                               packPosition(event.button.x, event.button.y)});
            }
            break;
        }
        case SDL_MOUSEWHEEL: {
            int notches = event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
                notches = -notches;
            }
            if (notches != 0) {
                const int delta = std::clamp(notches * WHEEL_DELTA, -32768, 32767);
                out.push_back({WM_MOUSEWHEEL,
                               MAKEWPARAM(unsigned(mouseKeyState(buttons, modifiers)),
                                          unsigned(delta) & 0xFFFF),
                               packPosition(event.wheel.mouseX, event.wheel.mouseY)});
            }
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const UINT key = virtualKeyOf(event.key.keysym.sym);
            if (key == 0) {
                break;
            }
            const bool down = event.type == SDL_KEYDOWN;
            const bool alt = (modifiers & KMOD_ALT) != 0;
            LPARAM lParam = 1;  // repeat count
            lParam |= alt ? kKeyAltDown : 0;
            lParam |= (!down || event.key.repeat) ? kKeyRepeat : 0;
            lParam |= down ? 0 : kKeyReleased;
            const UINT message =
                down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
            out.push_back({message, key, lParam});
            if (down && !alt) {
                if (const wchar_t c = controlCharacter(key, modifiers); c != 0) {
                    out.push_back({WM_CHAR, WPARAM(c), lParam});
                }
            }
            break;
        }
        case SDL_TEXTINPUT:
            for (wchar_t c : wideFromUtf8(event.text.text)) {
                out.push_back({WM_CHAR, WPARAM(c), 1});
            }
            break;
        default:
            break;
    }
    return out;
}
