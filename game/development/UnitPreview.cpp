#include "game/development/UnitPreview.h"

#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "game/development/UnitView.h"
#include "game/development/UpgradeVariant.h"
#include "game/model/MeadowUnit.h"

#include <string>

namespace {

cUpgradeVariant* variantAt(const cUnitView* view, int32_t index) {
    const std::vector<cUpgradeVariant*> variants = view ? view->getAllVariants() : std::vector<cUpgradeVariant*>();
    if (index < 0 || index >= int32_t(variants.size()))
        throw Engine::cStringA("cUnitPreview: no variant " + std::to_string(index));
    return variants[size_t(index)];
}

} // namespace

cUnitPreview::cUnitPreview(IBuildingScreen* screen, std::unique_ptr<cMeadowUnit> copy)
    : m_unit(std::move(copy)), m_view(new cUnitView(screen, m_unit.get())) {
    m_view->show();
    m_view->enable();
}

cUnitPreview::~cUnitPreview() {
    release();
    if (m_view && Engine::isWidgetAlive(m_view)) {
        m_view->hide();
        m_view->disable();
        Engine::deleteWidgetLater(m_view);
    }
    m_view = nullptr;
}

void cUnitPreview::release() {
    if (m_view && Engine::isWidgetAlive(m_view))
        m_view->releaseUnit();
}

int32_t cUnitPreview::getVariantCount() const {
    return m_view ? int32_t(m_view->getAllVariants().size()) : 0;
}

void cUnitPreview::setVariantShown(int32_t index, bool shown, float alpha) {
    variantAt(m_view, index)->setShown(shown, alpha);
}

const Engine::cVisual& cUnitPreview::getVariantIcon(int32_t index) const {
    return variantAt(m_view, index)->getIcon();
}

void cUnitPreview::getVariantBox(int32_t index, Engine::cVector2& centre, Engine::cVector2& size) const {
    const cUpgradeVariant* variant = variantAt(m_view, index);
    centre = variant->getPosition();
    size = variant->getSize();
}
