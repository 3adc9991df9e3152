// The dialog drawn by OpenGL under SDL's offscreen video driver: one control of each kind in a
// known state, checked at chosen pixels. The frame is kept as a PNG under tests/artifacts of
// the build directory for a person to look at.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "d3d9/device.h"
#include "d3d9/gl/gl_backend.h"
#include "d3d9/gl/gl_context.h"
#include "dialog_test_support.h"
#include "dxut/dialog_look.h"
#include "dxut/png_file.h"

using namespace dialog_test;

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 320;
constexpr D3DCOLOR kBackground = 0xFF646464;  // the application's clear colour

struct Pixel {
    int r, g, b;
    bool operator==(const Pixel&) const = default;
};

Pixel pixelOf(D3DCOLOR c) {
    return Pixel{int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF)};
}

// One window, context and device for the whole run. The window is never destroyed: that
// would unload the GL driver, whose process-long caches LeakSanitizer could then no longer
// attribute to it (see lsan.supp).
struct GlDevice {
    SDL_Window* window = nullptr;
    std::unique_ptr<GlContext> context;
    IDirect3DDevice9* device = nullptr;
    std::string error;

    GlDevice() {
        // ctest sets the driver for this test; a run by hand gets the same.
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        // Mesa's software rasterizer draws on the calling thread: its worker threads would
        // still run when LeakSanitizer stops the process at exit, which it does not survive.
        setenv("LP_NUM_THREADS", "0", 0);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            error = SDL_GetError();
            return;
        }
        GlContext::prepareWindowAttributes();
        window = SDL_CreateWindow("dialog", 0, 0, kWidth, kHeight,
                                  SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (!window) {
            error = SDL_GetError();
            return;
        }
        context = GlContext::create(window, error);
        std::unique_ptr<GlBackend> backend = context ? GlBackend::create(*context, error) : nullptr;
        if (!backend)
            return;
        D3DPRESENT_PARAMETERS parameters{};
        parameters.BackBufferWidth = kWidth;
        parameters.BackBufferHeight = kHeight;
        parameters.Windowed = TRUE;
        device = IDirect3DDevice9::create(std::move(backend), parameters, 0);
    }

    static GlDevice& get() {
        static GlDevice instance;
        return instance;
    }
};

class DialogOnGl : public ::testing::Test {
  protected:
    void SetUp() override {
        device = GlDevice::get().device;
        ASSERT_NE(device, nullptr) << GlDevice::get().error;
    }

    // Draws the dialog over the grey background and reads the frame back, top row first.
    void renderFrame(CDXUTDialog& dialog) {
        ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, kBackground, 1.0f, 0), S_OK);
        ASSERT_EQ(device->BeginScene(), S_OK);
        ASSERT_EQ(dialog.OnRender(0.0f), S_OK);
        ASSERT_EQ(device->EndScene(), S_OK);
        UINT width = 0, height = 0;
        ASSERT_TRUE(device->backend().readPixels(rgba, width, height));
        ASSERT_EQ(width, UINT(kWidth));
        ASSERT_EQ(height, UINT(kHeight));
    }
    Pixel at(int x, int y) const {
        const std::uint8_t* p = rgba.data() + (std::size_t(y) * kWidth + x) * 4;
        return Pixel{p[0], p[1], p[2]};
    }
    // Pixels of a window rectangle that are not the background.
    int inkIn(const RECT& r) const {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                count += at(x, y) == pixelOf(kBackground) ? 0 : 1;
        return count;
    }
    int pixelsOf(const RECT& r, D3DCOLOR color) const {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                count += at(x, y) == pixelOf(color) ? 1 : 0;
        return count;
    }

    IDirect3DDevice9* device = nullptr;
    std::vector<std::uint8_t> rgba;
};

TEST_F(DialogOnGl, EveryControlKindDrawsItsState) {
    // The dialog sits at x 200 and has controls left of its origin, as the control panel does.
    CDXUTDialog dialog;
    dialog.SetLocation(200, 0);
    dialog.SetSize(280, kHeight);
    dialog.SetFont(1, L"Arial", 18, 700);
    CDXUTElement* staticDefault = dialog.GetDefaultElement(DXUT_CONTROL_STATIC, 0);
    staticDefault->iFont = 1;
    staticDefault->dwTextFormat = DT_LEFT | DT_BOTTOM;

    CDXUTCheckBox *checked = nullptr, *unchecked = nullptr;
    CDXUTComboBox* combo = nullptr;
    CDXUTListBox* list = nullptr;
    dialog.AddStatic(20, L"Slice Thickness", -190, 10, 170, 30);
    dialog.AddButton(28, L"Play Puzzle", 20, 10, 125, 22);
    dialog.AddCheckBox(64, L"1", -190, 60, 50, 24, true, 0, false, &checked);
    dialog.AddCheckBox(65, L"2", -190, 90, 50, 24, false, 0, false, &unchecked);
    dialog.AddRadioButton(34, 1, L"Face", -120, 60, 100, 24, true);
    dialog.AddRadioButton(35, 1, L"Point", -120, 90, 100, 24);
    dialog.AddComboBox(26, 20, 50, 150, 24, 0, false, &combo);
    combo->AddItem(L"Pyraminx", nullptr);
    combo->AddItem(L"Megaminx", nullptr);
    dialog.AddListBox(29, 20, 90, 100, 60, 0, &list);
    for (const wchar_t* row : {L"Face", L"Point", L"Edge"})
        list->AddItem(row, nullptr);
    list->SelectItem(1);
    dialog.AddEditBox(88, L"0.250", 20, 170, 75, 32);
    dialog.AddButton(27, L"Disabled", 20, 220, 125, 22);
    dialog.GetControl(27)->SetEnabled(false);
    dialog.AddStatic(56, L"Erase Threshold \n(0-100)", -190, 220, 120, 48);
    Click(dialog, 200 + 30, 180);  // the edit box has the focus and shows its caret

    renderFrame(dialog);
    std::filesystem::path artifacts = DIALOG_ARTIFACT_DIR;
    std::filesystem::create_directories(artifacts);
    std::string error;
    EXPECT_TRUE(
        writePng((artifacts / "dialog_controls.png").string(), rgba, kWidth, kHeight, error))
        << error;

    using namespace dialog_look;
    // Text present in the static's box (window x 10..180), bottom-aligned: ink in its lower
    // half, none in its upper third above one line of 18 pixels.
    EXPECT_GT(inkIn(RECT{10, 25, 180, 40}), 40);
    EXPECT_EQ(inkIn(RECT{10, 10, 180, 18}), 0);
    // Two lines of the second static, both inside its box.
    EXPECT_GT(inkIn(RECT{10, 220 + 14, 130, 220 + 30}), 20);
    EXPECT_GT(inkIn(RECT{10, 220 + 32, 130, 220 + 48}), 20);
    // The button's face, away from its label, and white label pixels in its middle.
    EXPECT_EQ(at(200 + 20 + 4, 10 + 11), pixelOf(kFace));
    EXPECT_GT(pixelsOf(RECT{220 + 20, 14, 220 + 105, 28}, 0xFFFFFFFF), 10);
    // Checked and unchecked check boxes differ: accent fill against the plain face.
    RECT checkedMark{10, 64, 26, 80}, uncheckedMark{10, 94, 26, 110};
    EXPECT_GT(pixelsOf(checkedMark, kAccent), 20);
    EXPECT_EQ(pixelsOf(uncheckedMark, kAccent), 0);
    EXPECT_GT(pixelsOf(uncheckedMark, kFace), 100);
    // The checked radio button has the accent, the other none.
    EXPECT_GT(pixelsOf(RECT{80, 64, 96, 80}, kAccent), 10);
    EXPECT_EQ(pixelsOf(RECT{80, 94, 96, 110}, kAccent), 0);
    // The selected list row is the second.
    RECT row0 = list->ItemRect(0), row1 = list->ItemRect(1);
    EXPECT_EQ(at(200 + row1.right - 3, row1.top + 2), pixelOf(kAccent));
    EXPECT_EQ(at(200 + row0.right - 3, row0.top + 2), pixelOf(kField));
    // The combo box shows its selected item's text.
    EXPECT_GT(pixelsOf(RECT{224, 52, 300, 72}, 0xFFFFFFFF), 10);
    // The disabled button is grey.
    EXPECT_EQ(at(200 + 20 + 4, 220 + 11), pixelOf(kFaceDisabled));
    // The focused edit box has the focus outline; outside every control the grey stays.
    EXPECT_EQ(at(200 + 20, 185), pixelOf(kFocus));
    EXPECT_EQ(at(300, 300), pixelOf(kBackground));
}

TEST_F(DialogOnGl, AnOpenDropDownLiesOverTheControlsBelow) {
    CDXUTDialog dialog;
    CDXUTComboBox* combo = nullptr;
    dialog.AddComboBox(26, 20, 20, 150, 24, 0, false, &combo);
    combo->SetDropHeight(60);
    for (const wchar_t* name : {L"Pyraminx", L"Pyracopter", L"3x3 Cube", L"Dino Cube", L"Megaminx"})
        combo->AddItem(name, nullptr);
    dialog.AddButton(21, L"Undo Move", 20, 50, 150, 22);
    Click(dialog, 40, 30);
    ASSERT_TRUE(combo->IsOpened());
    renderFrame(dialog);
    RECT drop = combo->DropDownRect();
    EXPECT_EQ(drop.bottom - drop.top, 60);
    // The field colour of the drop-down covers the button's face; its scroll bar's thumb shows.
    EXPECT_EQ(at(drop.left + 3, drop.bottom - 3), pixelOf(dialog_look::kField));
    EXPECT_GT(
        pixelsOf(RECT{drop.right - 16, drop.top, drop.right, drop.bottom}, dialog_look::kThumb),
        10);
}

}  // namespace
