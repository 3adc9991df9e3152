// What the application did to a recording device: every call that reaches the device,
// its effects, fonts, sprites and canvas, in order, with its numbers, its text and its
// result. A test can also make the next calls of one name fail.
//
// Call names are the interface's own: "Clear", "DrawPrimitive", "Lock",
// "ID3DXEffect::SetMatrix", "ID3DXFont::DrawTextW", "Canvas2D::fillRect" ... (see the
// implementing files for the numbers each one records).
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "win32/hresult.h"

struct RecordedCall {
    std::string call;
    std::vector<double> numbers;
    std::wstring text;
    HRESULT result = S_OK;
};

class Recording {
  public:
    const std::vector<RecordedCall>& calls() const { return calls_; }
    std::size_t count(std::string_view call) const;
    // The latest call of that name, or null.
    const RecordedCall* last(std::string_view call) const;
    // The names of all calls in order, for readable test failures.
    std::vector<std::string> names() const;
    void clear() { calls_.clear(); }

    // The next `times` calls named `call` fail with `result` and do nothing else.
    void failNext(const std::string& call, HRESULT result, int times = 1);

    // For the device objects: a pending injected failure of `call` (S_OK when none).
    HRESULT takeFailure(std::string_view call);
    void add(RecordedCall call) { calls_.push_back(std::move(call)); }

  private:
    struct Failure {
        HRESULT result;
        int remaining;
    };
    std::vector<RecordedCall> calls_;
    std::map<std::string, Failure, std::less<>> failures_;
};
