#include "d3d9/recording.h"

#include <algorithm>

std::size_t Recording::count(std::string_view call) const {
    return static_cast<std::size_t>(std::count_if(
        calls_.begin(), calls_.end(), [&](const RecordedCall& c) { return c.call == call; }));
}

const RecordedCall* Recording::last(std::string_view call) const {
    for (auto it = calls_.rbegin(); it != calls_.rend(); ++it) {
        if (it->call == call) {
            return &*it;
        }
    }
    return nullptr;
}

std::vector<std::string> Recording::names() const {
    std::vector<std::string> out;
    out.reserve(calls_.size());
    for (const RecordedCall& c : calls_) {
        out.push_back(c.call);
    }
    return out;
}

void Recording::failNext(const std::string& call, HRESULT result, int times) {
    failures_[call] = Failure{result, times};
}

HRESULT Recording::takeFailure(std::string_view call) {
    const auto it = failures_.find(call);
    if (it == failures_.end()) {
        return S_OK;
    }
    const HRESULT result = it->second.result;
    if (--it->second.remaining <= 0) {
        failures_.erase(it);
    }
    return result;
}
