#include "d3dx9/effect_file.h"

#include <map>
#include <optional>
#include <sstream>

namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string word; in >> word;) {
        out.push_back(word);
    }
    return out;
}

std::optional<bool> onOff(const std::string& word) {
    if (word == "on") {
        return true;
    }
    if (word == "off") {
        return false;
    }
    return std::nullopt;
}

std::optional<CompareFunction> compareFunction(const std::string& word) {
    static const std::map<std::string, CompareFunction> names = {
        {"never", CompareFunction::never},
        {"less", CompareFunction::less},
        {"equal", CompareFunction::equal},
        {"less_equal", CompareFunction::lessEqual},
        {"greater", CompareFunction::greater},
        {"not_equal", CompareFunction::notEqual},
        {"greater_equal", CompareFunction::greaterEqual},
        {"always", CompareFunction::always}};
    const auto found = names.find(word);
    return found == names.end() ? std::nullopt : std::optional(found->second);
}

std::optional<CullMode> cullMode(const std::string& word) {
    if (word == "none") {
        return CullMode::none;
    }
    if (word == "clockwise") {
        return CullMode::clockwise;
    }
    if (word == "counterclockwise") {
        return CullMode::counterClockwise;
    }
    return std::nullopt;
}

std::optional<BlendFactor> blendFactor(const std::string& word) {
    static const std::map<std::string, BlendFactor> names = {
        {"zero", BlendFactor::zero},
        {"one", BlendFactor::one},
        {"source_alpha", BlendFactor::sourceAlpha},
        {"inverse_source_alpha", BlendFactor::inverseSourceAlpha},
        {"source_color", BlendFactor::sourceColor},
        {"inverse_source_color", BlendFactor::inverseSourceColor}};
    const auto found = names.find(word);
    return found == names.end() ? std::nullopt : std::optional(found->second);
}

// Parses one pass-state line into `states`; false when it is not one.
bool passState(const std::vector<std::string>& w, PassStates& states) {
    if (w.size() == 2 && w[0] == "depth_test" && onOff(w[1])) {
        states.depthTest = *onOff(w[1]);
    } else if (w.size() == 2 && w[0] == "depth_write" && onOff(w[1])) {
        states.depthWrite = *onOff(w[1]);
    } else if (w.size() == 2 && w[0] == "depth_function" && compareFunction(w[1])) {
        states.depthFunction = *compareFunction(w[1]);
    } else if (w.size() == 2 && w[0] == "cull" && cullMode(w[1])) {
        states.cull = *cullMode(w[1]);
    } else if (w.size() == 2 && w[0] == "blend" && w[1] == "off") {
        states.blend = false;
    } else if (w.size() == 3 && w[0] == "blend" && blendFactor(w[1]) && blendFactor(w[2])) {
        states.blend = true;
        states.sourceBlend = *blendFactor(w[1]);
        states.destinationBlend = *blendFactor(w[2]);
    } else if (w.size() == 2 && w[0] == "fill" && (w[1] == "solid" || w[1] == "wireframe")) {
        states.wireframe = w[1] == "wireframe";
    } else {
        return false;
    }
    return true;
}

struct PendingPass {
    EffectPass pass;
    std::string vertexName;
    std::string fragmentName;
    int line;
};

}  // namespace

bool parseEffect(std::string_view text, EffectDescription& effect, std::string& error) {
    effect = EffectDescription{};
    std::map<std::string, std::string> vertexShaders;
    std::map<std::string, std::string> fragmentShaders;
    std::vector<std::vector<PendingPass>> passes;  // per technique
    auto fail = [&](int line, const std::string& reason) {
        error = "line " + std::to_string(line) + ": " + reason;
        return false;
    };

    std::istringstream in{std::string(text)};
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::vector<std::string> w = words(line);
        if (w.empty() || w[0][0] == '#') {
            continue;
        }
        if (w[0] == "parameter") {
            if (w.size() != 3 || w[1] != "float4x4") {
                return fail(number, "expected \"parameter float4x4 NAME\"");
            }
            effect.matrixParameters.push_back(w[2]);
        } else if (w[0] == "shader") {
            if (w.size() != 3 || (w[1] != "vertex" && w[1] != "fragment")) {
                return fail(number, "expected \"shader vertex|fragment NAME\"");
            }
            auto& shaders = w[1] == "vertex" ? vertexShaders : fragmentShaders;
            if (shaders.count(w[2]) != 0) {
                return fail(number, "shader " + w[2] + " is defined twice");
            }
            const int start = number;
            std::string source;
            bool closed = false;
            while (std::getline(in, line)) {
                ++number;
                if (words(line) == std::vector<std::string>{"end", "shader"}) {
                    closed = true;
                    break;
                }
                source += line + "\n";
            }
            if (!closed) {
                return fail(start, "shader " + w[2] + " has no \"end shader\"");
            }
            shaders[w[2]] = source;
        } else if (w[0] == "technique") {
            if (w.size() != 2) {
                return fail(number, "expected \"technique NAME\"");
            }
            effect.techniques.push_back(EffectTechnique{w[1], {}});
            passes.emplace_back();
        } else if (w[0] == "pass") {
            if (w.size() != 2 || passes.empty()) {
                return fail(number, "expected \"pass NAME\" inside a technique");
            }
            passes.back().push_back(PendingPass{EffectPass{w[1], {}, {}, {}}, {}, {}, number});
        } else if (passes.empty() || passes.back().empty()) {
            return fail(number, "\"" + w[0] + "\" outside a pass");
        } else if ((w[0] == "vertex" || w[0] == "fragment") && w.size() == 2) {
            (w[0] == "vertex" ? passes.back().back().vertexName
                              : passes.back().back().fragmentName) = w[1];
        } else if (!passState(w, passes.back().back().pass.states)) {
            return fail(number, "unknown pass state \"" + line + "\"");
        }
    }

    if (effect.techniques.empty()) {
        return fail(number, "no technique");
    }
    for (std::size_t t = 0; t < passes.size(); ++t) {
        if (passes[t].empty()) {
            return fail(number, "technique " + effect.techniques[t].name + " has no pass");
        }
        for (PendingPass& p : passes[t]) {
            const auto vertex = vertexShaders.find(p.vertexName);
            const auto fragment = fragmentShaders.find(p.fragmentName);
            if (vertex == vertexShaders.end() || fragment == fragmentShaders.end()) {
                return fail(p.line,
                            "pass " + p.pass.name + " needs a defined vertex and fragment shader");
            }
            p.pass.vertexSource = vertex->second;
            p.pass.fragmentSource = fragment->second;
            effect.techniques[t].passes.push_back(std::move(p.pass));
        }
    }
    return true;
}
