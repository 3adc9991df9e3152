// Helpers of the dialog suites: window messages, a recorder of events behind the dialog's
// plain-function callback, and a painter that records what is drawn with 7-pixel glyphs.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "dxut/dialog.h"

namespace dialog_test {

struct Event {
    UINT code;
    int id;
    bool operator==(const Event&) const = default;
};

// The events raised since the last Reset, and an optional action run inside each.
struct Recorder {
    static inline std::vector<Event> events;
    static inline std::function<void(UINT, int, CDXUTControl*)> action;
    static inline void* context = nullptr;  // of the last event
    static void Reset() {
        events.clear();
        action = nullptr;
        context = nullptr;
    }
    static void CALLBACK Callback(UINT code, int id, CDXUTControl* control, void* userContext) {
        events.push_back({code, id});
        context = userContext;
        if (action)
            action(code, id, control);
    }
};

inline bool Send(CDXUTDialog& dialog, UINT msg, int x, int y, WPARAM wParam = 0) {
    return dialog.MsgProc(nullptr, msg, wParam,
                          MAKELPARAM(static_cast<unsigned>(x), static_cast<unsigned>(y)));
}
inline bool Press(CDXUTDialog& dialog, int x, int y) {
    return Send(dialog, WM_LBUTTONDOWN, x, y);
}
inline bool Release(CDXUTDialog& dialog, int x, int y) {
    return Send(dialog, WM_LBUTTONUP, x, y);
}
inline bool Move(CDXUTDialog& dialog, int x, int y) {
    return Send(dialog, WM_MOUSEMOVE, x, y);
}
// A press and a release at one place; returns whether the press was consumed.
inline bool Click(CDXUTDialog& dialog, int x, int y) {
    bool consumed = Press(dialog, x, y);
    Release(dialog, x, y);
    return consumed;
}
inline bool DoubleClick(CDXUTDialog& dialog, int x, int y) {
    Click(dialog, x, y);
    bool consumed = Send(dialog, WM_LBUTTONDBLCLK, x, y);
    Release(dialog, x, y);
    return consumed;
}
inline bool Key(CDXUTDialog& dialog, WPARAM key) {
    return dialog.MsgProc(nullptr, WM_KEYDOWN, key, 0);
}
inline bool Char(CDXUTDialog& dialog, wchar_t c) {
    return dialog.MsgProc(nullptr, WM_CHAR, c, 0);
}
inline void Type(CDXUTDialog& dialog, const std::wstring& text) {
    for (wchar_t c : text)
        Char(dialog, c);
}
inline bool Wheel(CDXUTDialog& dialog, int notches) {
    return dialog.MsgProc(nullptr, WM_MOUSEWHEEL,
                          MAKEWPARAM(0, static_cast<unsigned>(notches * WHEEL_DELTA)), 0);
}

// Records fills and texts in dialog coordinates; every glyph is 7 pixels wide.
class RecordingPainter : public DialogPainter {
  public:
    static constexpr int kGlyph = 7;
    struct Fill_ {
        RECT rect;
        D3DCOLOR color;
    };
    struct Text_ {
        UINT font;
        std::wstring text;
        RECT rect;
        DWORD format;
        D3DCOLOR color;
    };
    std::vector<Fill_> fills;
    std::vector<Text_> texts;
    int clipDepth = 0;

    void Fill(const RECT& rect, D3DCOLOR color) override { fills.push_back({rect, color}); }
    void Text(UINT font, std::wstring_view text, const RECT& rect, DWORD format,
              D3DCOLOR color) override {
        texts.push_back({font, std::wstring(text), rect, format, color});
    }
    int TextWidth(UINT, std::wstring_view, int count) override { return count * kGlyph; }
    void PushClip(const RECT&) override { ++clipDepth; }
    void PopClip() override { --clipDepth; }
    bool CaretShown() const override { return true; }

    const Text_* FindText(const std::wstring& text) const {
        for (const auto& t : texts)
            if (t.text == text)
                return &t;
        return nullptr;
    }
};

}  // namespace dialog_test
