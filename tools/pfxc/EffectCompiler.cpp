#include "EffectCompiler.h"

#include "TexturePainter.h"

#include <expat.h>

#include <cmath>
#include <exception>
#include <locale>
#include <map>
#include <sstream>
#include <vector>

namespace Pfxc {

using namespace Engine;

namespace {

using tAttributes = std::map<std::string, std::string>;

float number(const tAttributes& a, const std::string& key, float fallback) {
    auto found = a.find(key);
    if (found == a.end())
        return fallback;
    std::istringstream in(found->second);
    in.imbue(std::locale::classic());
    float value;
    if (!(in >> value) || !(in >> std::ws).eof())
        throw "attribute " + key + "=\"" + found->second + "\" is not a number";
    return value;
}

// A whole number in [low, high]: counts and sizes, which a float-to-integer conversion would
// wrap or make undefined outside the integer's range.
uint32_t whole(const tAttributes& a, const std::string& key, uint32_t fallback, uint32_t low, uint32_t high) {
    const float value = number(a, key, float(fallback));
    if (!(value >= float(low) && value <= float(high)) || value != std::floor(value))
        throw "attribute " + key + "=\"" + a.at(key) + "\" is not a whole number from " + std::to_string(low) + " to " +
            std::to_string(high);
    return uint32_t(value);
}

// "low high" or one value for both.
void range(const tAttributes& a, const std::string& key, float& low, float& high) {
    auto found = a.find(key);
    if (found == a.end())
        return;
    std::istringstream in(found->second);
    in.imbue(std::locale::classic());
    float first = 0, second = 0;
    if (!(in >> first))
        throw "attribute " + key + "=\"" + found->second + "\" is not a number or range";
    if ((in >> std::ws).eof())
        second = first;
    else if (!(in >> second) || !(in >> std::ws).eof())
        throw "attribute " + key + "=\"" + found->second + "\" is not a number or range";
    low = first;
    high = second;
}

void pair(const tAttributes& a, const std::string& key, float& x, float& y) {
    float low = x, high = y;
    range(a, key, low, high);
    x = low;
    y = high;
}

uint8_t hexByte(const std::string& text, size_t at) {
    return uint8_t(std::stoul(text.substr(at, 2), nullptr, 16));
}

struct cParser {
    cParticleEffectDesc effect;
    std::map<std::string, uint32_t> textureNames;
    std::vector<std::string> stack;
    std::exception_ptr error;
    XML_Parser expat = nullptr;
    unsigned long line = 0;

    void start(const std::string& name, const tAttributes& a) {
        const std::string parent = stack.empty() ? "" : stack.back();
        stack.push_back(name);
        if (name == "effect" && parent.empty())
            return;
        // How the tool's preview moves the emitter; the effect file does not hold it.
        if (name == "preview" && parent == "effect")
            return;
        if (name == "texture" && parent == "effect") {
            const std::string id = a.count("name") ? a.at("name") : "";
            if (id.empty() || textureNames.count(id))
                throw std::string("texture without a name or named twice");
            cPicture picture =
                cTexturePainter::paint(a.count("kind") ? a.at("kind") : "", int(whole(a, "size", 32, 4, 256)));
            textureNames[id] = uint32_t(effect.textures.size());
            effect.textures.push_back(cTexturePainter::encodePng(picture));
            return;
        }
        if (name == "emitter" && parent == "effect") {
            effect.emitters.emplace_back();
            effect.emitters.back().name = a.count("name") ? a.at("name") : "";
            return;
        }
        if (name == "layer" && parent == "emitter") {
            cParticleLayerDesc layer;
            if (a.count("texture")) {
                auto found = textureNames.find(a.at("texture"));
                if (found == textureNames.end())
                    throw "unknown texture \"" + a.at("texture") + "\"";
                layer.texture = found->second;
            }
            const std::string blend = a.count("blend") ? a.at("blend") : "alpha";
            if (blend != "alpha" && blend != "additive")
                throw "unknown blend \"" + blend + "\"";
            layer.blend = blend == "additive" ? PARTICLE_BLEND_ADDITIVE : PARTICLE_BLEND_ALPHA;
            const std::string shape = a.count("shape") ? a.at("shape") : "point";
            if (shape == "point")
                layer.shape = PARTICLE_SHAPE_POINT;
            else if (shape == "rectangle")
                layer.shape = PARTICLE_SHAPE_RECTANGLE;
            else if (shape == "circle")
                layer.shape = PARTICLE_SHAPE_CIRCLE;
            else
                throw "unknown shape \"" + shape + "\"";
            layer.shapeWidth = number(a, "width", 0);
            layer.shapeHeight = number(a, "height", layer.shapeWidth);
            layer.maxParticles = whole(a, "max", 64, 1, cParticleEffectFormat::MAX_PARTICLES);
            layer.burst = whole(a, "burst", 0, 0, cParticleEffectFormat::MAX_PARTICLES);
            layer.rate = number(a, "rate", 0);
            layer.start = number(a, "start", 0);
            layer.duration = number(a, "duration", 0);
            range(a, "life", layer.lifeMin, layer.lifeMax);
            range(a, "speed", layer.speedMin, layer.speedMax);
            layer.angle = number(a, "angle", 0);
            layer.spread = number(a, "spread", 360);
            pair(a, "gravity", layer.gravityX, layer.gravityY);
            layer.drag = number(a, "drag", 0);
            range(a, "spin", layer.spinMin, layer.spinMax);
            range(a, "rotation", layer.rotationMin, layer.rotationMax);
            layer.sizeJitter = number(a, "jitter", 0);
            effect.emitters.back().layers.push_back(layer);
            return;
        }
        if ((name == "size" || name == "color") && parent == "layer") {
            cParticleLayerDesc& layer = effect.emitters.back().layers.back();
            const float age = number(a, "age", 0);
            if (name == "size") {
                layer.sizes.push_back({age, number(a, "value", 0)});
                return;
            }
            // "#RRGGBB" or "#RRGGBBAA".
            const std::string value = a.count("value") ? a.at("value") : "";
            if ((value.size() != 7 && value.size() != 9) || value[0] != '#' ||
                value.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
                throw "colour \"" + value + "\" is not #RRGGBB or #RRGGBBAA";
            cParticleColorKey key;
            key.age = age;
            key.r = hexByte(value, 1);
            key.g = hexByte(value, 3);
            key.b = hexByte(value, 5);
            key.a = value.size() == 9 ? hexByte(value, 7) : 255;
            layer.colors.push_back(key);
            return;
        }
        throw "unexpected element <" + name + "> in <" + parent + ">";
    }
};

} // namespace

cParticleEffectDesc cEffectCompiler::compile(const std::string& xml) {
    cParser parser;
    XML_Parser expat = XML_ParserCreate(nullptr);
    parser.expat = expat;
    XML_SetUserData(expat, &parser);
    XML_SetElementHandler(
        expat,
        [](void* data, const XML_Char* name, const XML_Char** attributes) {
            auto* p = static_cast<cParser*>(data);
            if (p->error)
                return;
            // No exception may cross expat: keep it and rethrow after the parse.
            try {
                tAttributes a;
                for (int i = 0; attributes[i]; i += 2)
                    a[attributes[i]] = attributes[i + 1];
                p->start(name, a);
            } catch (...) {
                p->error = std::current_exception();
                p->line = XML_GetCurrentLineNumber(p->expat);
                XML_StopParser(p->expat, XML_FALSE);
            }
        },
        [](void* data, const XML_Char*) {
            auto* p = static_cast<cParser*>(data);
            if (!p->stack.empty())
                p->stack.pop_back();
        });
    const bool parsed = XML_Parse(expat, xml.data(), int(xml.size()), 1) == XML_STATUS_OK;
    const std::string where = "line " + std::to_string(parser.error ? parser.line : XML_GetCurrentLineNumber(expat));
    const std::string message = parsed ? "" : XML_ErrorString(XML_GetErrorCode(expat));
    XML_ParserFree(expat);
    if (parser.error) {
        try {
            std::rethrow_exception(parser.error);
        } catch (const std::string& text) {
            throw where + ": " + text;
        } catch (const std::exception& e) {
            throw where + ": " + e.what();
        }
    }
    if (!parsed)
        throw where + ": " + message;
    if (parser.effect.emitters.empty())
        throw std::string("no emitter");
    return parser.effect;
}

} // namespace Pfxc
