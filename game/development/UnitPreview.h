#pragma once

// A hover preview of the map: a building view of a copy of a unit, whose looks are the ghost
// variants of the copy's level. It owns the copy; the view lets go of it before either goes.

#include "game/development/UpgradeScreen.h"

#include <memory>

class IBuildingScreen;
class cUnitView;

class cUnitPreview : public IUpgradePreview {
public:
    cUnitPreview(IBuildingScreen* screen, std::unique_ptr<cMeadowUnit> copy);
    // The view drops the copy's signals, hides and goes to the deferred deletion.
    ~cUnitPreview() override;
    cUnitPreview(const cUnitPreview&) = delete;
    cUnitPreview& operator=(const cUnitPreview&) = delete;

    cMeadowUnit* getUnit() const override { return m_unit.get(); }
    int32_t getVariantCount() const override;
    void setVariantShown(int32_t index, bool shown, float alpha) override;
    const Engine::cVisual& getVariantIcon(int32_t index) const override;
    void getVariantBox(int32_t index, Engine::cVector2& centre, Engine::cVector2& size) const override;

    cUnitView* getView() const { return m_view; }
    // Stops listening to the copy at once; the preview is deleted later.
    void release();

private:
    std::unique_ptr<cMeadowUnit> m_unit;
    cUnitView* m_view;
};
