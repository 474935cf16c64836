// libFuzzer target: XML text loaded as each button and control (their keys and child elements),
// then their hit tests, list layout, thumb placement and progress quad. There are no services:
// pictures, masks and sounds resolve to nothing and no input is registered.

#include "engine/core/XmlDocument.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/ListBox.h"
#include "engine/gui/ProgressBar.h"
#include "engine/gui/Slider.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

template <class Control> void exercise(const Engine::cXmlDocument& document) {
    try {
        Control control(nullptr);
        control.loadXML(&document);
        control.prepareDraw();
        control.hitTest(Engine::cVector2(3, 4));
    } catch (const std::string&) {
    } catch (const char*) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Engine::cXmlDocument document;
    try {
        if (!document.parseBytes(data, size))
            return 0;
    } catch (const std::string&) {
        return 0;
    } catch (const char*) {
        return 0;
    }
    exercise<Engine::cButton>(document);
    exercise<Engine::cFrameButton>(document);
    exercise<Engine::cTextureButton>(document);
    exercise<Engine::cCheckBox>(document);
    exercise<Engine::cProgressBar>(document);
    try {
        Engine::cSlider slider(nullptr);
        slider.loadXML(&document);
        slider.setValue(slider.getMax());
        slider.updateThumb();
        Engine::cListBox list(nullptr);
        list.loadXML(&document);
        list.addString(L"row");
        list.scrollDown();
        list.scrollUp();
        list.clear();
        Engine::cButton button(nullptr);
        button.loadXML(&document);
        button.isPointInside(Engine::cVector2(1, 2));
    } catch (const std::string&) {
    } catch (const char*) {
    }
    return 0;
}
