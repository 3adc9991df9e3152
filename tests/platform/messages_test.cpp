// Window messages: parameter packing and the translation of SDL input events.
#include <gtest/gtest.h>

#include <cstring>

#include "dxut/sdl_messages.h"

namespace {

SDL_Event mouseButton(Uint32 type, Uint8 button, Uint8 clicks, int x, int y) {
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    event.button.clicks = clicks;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event key(Uint32 type, SDL_Keycode sym, bool repeat = false) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = sym;
    event.key.repeat = repeat ? 1 : 0;
    return event;
}

TEST(MessagePacking, PositionIsYHighXLowAndReadsBackSigned) {
    const LPARAM lParam = MAKELPARAM(300, 200);
    EXPECT_EQ(lParam, 200 << 16 | 300);
    EXPECT_EQ(GET_X_LPARAM(lParam), 300);
    EXPECT_EQ(GET_Y_LPARAM(lParam), 200);
    EXPECT_EQ(LOWORD(lParam), 300);
    EXPECT_EQ(HIWORD(lParam), 200);
    const LPARAM outside = MAKELPARAM(unsigned(-5) & 0xFFFF, unsigned(-20) & 0xFFFF);
    EXPECT_EQ(GET_X_LPARAM(outside), -5);
    EXPECT_EQ(GET_Y_LPARAM(outside), -20);
    EXPECT_EQ(HIWORD(outside), 65516) << "unsigned readers see the raw 16 bits";
}

TEST(MessagePacking, WheelDeltaIsTheSignedHighWord) {
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(MAKEWPARAM(MK_LBUTTON, unsigned(-120) & 0xFFFF)), -120);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(MAKEWPARAM(0, 240)), 240);
    EXPECT_EQ(GET_KEYSTATE_WPARAM(MAKEWPARAM(MK_LBUTTON, 240)), MK_LBUTTON);
}

TEST(InputTranslation, MouseMotionPacksPositionAndHeldButtons) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = -7;
    event.motion.y = 480;
    const auto messages = translateInputEvent(event, SDL_BUTTON_LMASK, KMOD_LSHIFT);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, WM_MOUSEMOVE);
    EXPECT_EQ(messages[0].wParam, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(GET_X_LPARAM(messages[0].lParam), -7);
    EXPECT_EQ(GET_Y_LPARAM(messages[0].lParam), 480);
}

TEST(InputTranslation, SecondClickIsADoubleClickThirdIsAPress) {
    const struct {
        Uint8 button, clicks;
        UINT expected;
    } cases[] = {{SDL_BUTTON_LEFT, 1, WM_LBUTTONDOWN},
                 {SDL_BUTTON_LEFT, 2, WM_LBUTTONDBLCLK},
                 {SDL_BUTTON_LEFT, 3, WM_LBUTTONDOWN},
                 {SDL_BUTTON_RIGHT, 1, WM_RBUTTONDOWN},
                 {SDL_BUTTON_RIGHT, 2, WM_RBUTTONDBLCLK}};
    for (const auto& c : cases) {
        const auto messages = translateInputEvent(
            mouseButton(SDL_MOUSEBUTTONDOWN, c.button, c.clicks, 10, 20), SDL_BUTTON(c.button), 0);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].message, c.expected) << int(c.button) << " x" << int(c.clicks);
        EXPECT_EQ(messages[0].lParam, MAKELPARAM(10, 20));
    }
    const auto up =
        translateInputEvent(mouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1, 1, 2), 0, 0);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].message, WM_RBUTTONUP);
}

TEST(InputTranslation, WheelGives120PerNotchPositiveAwayFromTheUser) {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = 2;
    event.wheel.mouseX = 5;
    event.wheel.mouseY = 6;
    auto messages = translateInputEvent(event, 0, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, WM_MOUSEWHEEL);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(messages[0].wParam), 240);

    event.wheel.y = 1;
    event.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
    messages = translateInputEvent(event, 0, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(messages[0].wParam), -120);

    event.wheel.y = 0;
    event.wheel.x = 3;
    EXPECT_TRUE(translateInputEvent(event, 0, 0).empty()) << "horizontal scrolling is not sent";
}

TEST(InputTranslation, KeysBecomeVirtualKeysUpperCaseLetters) {
    const struct {
        SDL_Keycode sym;
        UINT expected;
    } cases[] = {{SDLK_q, 'Q'},
                 {SDLK_0, '0'},
                 {SDLK_9, '9'},
                 {SDLK_UP, VK_UP},
                 {SDLK_DOWN, VK_DOWN},
                 {SDLK_RETURN, VK_RETURN},
                 {SDLK_ESCAPE, VK_ESCAPE},
                 {SDLK_F8, VK_F8},
                 {SDLK_PAUSE, VK_PAUSE}};
    for (const auto& c : cases) {
        const auto messages = translateInputEvent(key(SDL_KEYDOWN, c.sym), 0, KMOD_LSHIFT);
        ASSERT_FALSE(messages.empty()) << c.sym;
        EXPECT_EQ(messages[0].message, WM_KEYDOWN);
        EXPECT_EQ(messages[0].wParam, c.expected) << c.sym;
    }
    EXPECT_TRUE(translateInputEvent(key(SDL_KEYDOWN, SDLK_CAPSLOCK), 0, 0).empty());
}

TEST(InputTranslation, RepeatAltAndReleaseAreMarkedInLParam) {
    auto messages = translateInputEvent(key(SDL_KEYDOWN, SDLK_a, true), 0, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].lParam & kKeyRepeat, 0);

    messages = translateInputEvent(key(SDL_KEYDOWN, SDLK_RETURN), 0, KMOD_LALT);
    ASSERT_EQ(messages.size(), 1u) << "no WM_CHAR while Alt is held";
    EXPECT_EQ(messages[0].message, WM_SYSKEYDOWN);
    EXPECT_NE(messages[0].lParam & kKeyAltDown, 0);

    messages = translateInputEvent(key(SDL_KEYUP, SDLK_a), 0, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, WM_KEYUP);
    EXPECT_NE(messages[0].lParam & kKeyReleased, 0);
}

TEST(InputTranslation, ControlKeysAndTextInputTypeCharacters) {
    auto messages = translateInputEvent(key(SDL_KEYDOWN, SDLK_RETURN), 0, 0);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].message, WM_CHAR);
    EXPECT_EQ(messages[1].wParam, WPARAM('\r'));

    messages = translateInputEvent(key(SDL_KEYDOWN, SDLK_BACKSPACE), 0, 0);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].wParam, WPARAM(8));

    messages = translateInputEvent(key(SDL_KEYDOWN, SDLK_v), 0, KMOD_LCTRL);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].wParam, WPARAM(22));

    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    std::strcpy(text.text.text, "a\xc3\xa9");
    messages = translateInputEvent(text, 0, 0);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, WM_CHAR);
    EXPECT_EQ(messages[0].wParam, WPARAM('a'));
    EXPECT_EQ(messages[1].wParam, WPARAM(0xE9));
}

}  // namespace
