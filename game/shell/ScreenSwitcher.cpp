#include "game/shell/ScreenSwitcher.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/WidgetSets.h"
#include "engine/media/GraphicsDevice.h"

#include <algorithm>

using namespace Engine;

cScreenSwitcher::cScreenSwitcher(cScreen* first, cScreen* second) : cSprite(nullptr), m_first(first), m_second(second) {
    setColor(cColor(0, 0, 0, 1));
    setAlpha(0);
    if (IGraphicsDevice* device = getGraphicsDevice()) {
        float width = float(device->getScreenWidth());
        float height = float(device->getScreenHeight());
        setSize(cVector2(width, height));
        setPosition(cVector2(width / 2, height / 2));
    }
    setDepth(7999);
    show();
    enable();
    m_total = m_remaining = m_first->getHideTime();
}

cScreenSwitcher::~cScreenSwitcher() = default;

void cScreenSwitcher::process() {
    cSprite::process();
    m_remaining -= frameDelta();
    if (m_covering) {
        if (getAlpha() == 1.0f) {
            m_first->onScreenHidden(this);
            if (!m_second)
                throw "cScreenSwitcher::process(): the second screen is not defined";
            m_covering = false;
            m_total = m_remaining = m_second->getShowTime();
            return;
        }
        // A cover of no length takes one frame.
        float value = m_total > 0 ? std::min(1.0f - m_remaining / m_total, 1.0f) : 1.0f;
        setAlpha(value);
        if (value > 0.75f)
            m_first->onScreenCovered();
        return;
    }
    setAlpha(m_total > 0 ? m_remaining / m_total : 0.0f);
    if (m_remaining < 0) {
        m_second->onScreenShown(this);
        disable();
        hide();
        deleteWidgetLater(this);
    }
}
