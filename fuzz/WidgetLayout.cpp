// libFuzzer target: XML text loaded as a fader layout (widget, sprite, visual, panel and
// background keys), then a few frames' worth of the fader and its sprites' draw records.
// There are no services: pictures, meshes and animations resolve to nothing.

#include "engine/core/String.h"
#include "engine/core/XmlDocument.h"
#include "engine/gui/Fader.h"
#include "engine/gui/Sprite.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void prepareAll(Engine::cWidget& widget) {
    for (Engine::cWidget* child : widget.getChildren()) {
        if (child->getKind() != Engine::WIDGET_KIND_PLAIN) {
            auto* sprite = static_cast<Engine::cSprite*>(child);
            sprite->setAnimFrame(3);
            sprite->advanceAnimation(0.3f);
            sprite->prepareDraw();
            sprite->hitTest(Engine::cVector2(1, 2));
        }
        prepareAll(*child);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Engine::cXmlDocument document;
    try {
        if (!document.parseBytes(data, size))
            return 0;
        Engine::cFader fader(nullptr);
        // Groups without their widget class refuse their elements: an error, not a crash.
        fader.loadXML(&document);
        fader.fadeIn();
        fader.fadeOut();
        prepareAll(fader);
    } catch (const std::string&) {
    } catch (const char*) {
    }
    return 0;
}
