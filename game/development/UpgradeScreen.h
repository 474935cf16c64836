#pragma once

// What the upgrade panel, its buttons and the variant dialogs need of the development screen:
// the model and controller, the buildings' icons and looks on the map, preview building views of
// a unit raised by one level, the interface lock, the tips and the tutorial's upgrade hint. The
// development screen implements it; tests use their own.

#include "engine/core/Vector2.h"

#include <cstdint>
#include <memory>

namespace Engine {
class cVisual;
class cWidget;
} // namespace Engine
class cMeadowController;
class cMeadowModel;
class cMeadowUnit;
class cTip;

// A building view of a copy of a unit, drawn on the map as ghost looks of the copy's variants.
// It owns the copy, so the view never outlives the unit it listens to.
class IUpgradePreview {
public:
    virtual ~IUpgradePreview() = default;

    virtual cMeadowUnit* getUnit() const = 0;
    // The looks of the copy's level, in the order of the upgrade's variants.
    virtual int32_t getVariantCount() const = 0;
    virtual void setVariantShown(int32_t index, bool shown, float alpha) = 0;
    virtual const Engine::cVisual& getVariantIcon(int32_t index) const = 0;
    // The middle and the size of a look on the screen.
    virtual void getVariantBox(int32_t index, Engine::cVector2& centre, Engine::cVector2& size) const = 0;
};

class IUpgradeScreen {
public:
    virtual ~IUpgradeScreen() = default;

    // Null while the screen is closed.
    virtual cMeadowModel* getModel() const = 0;
    virtual cMeadowController* getController() const = 0;
    // The parent of the panel.
    virtual Engine::cWidget* getWidget() = 0;

    // The icon of the unit's building for an upgrade index (level - 1); throws for a unit that
    // has no building view.
    virtual const Engine::cVisual& getUpgradeIcon(cMeadowUnit* unit, int32_t index) const = 0;
    // A building view of the copy, which listens to the copy's changes from now on.
    virtual IUpgradePreview* createPreview(std::unique_ptr<cMeadowUnit> copy) = 0;
    // The view lets go of the copy's signals at once; view and copy go to the deferred deletion.
    virtual void releasePreview(IUpgradePreview* preview) = 0;
    // Shows or hides the current look of the building of the unit with that unit's id.
    virtual void setUnitSkinShown(cMeadowUnit* unit, bool shown) = 0;
    // "variant_alpha": the alpha of a previewed look.
    virtual float getVariantAlpha() const = 0;

    virtual void lockInterface(bool locked) = 0;
    virtual bool isLevelScreenOpen() const = 0;
    virtual bool isEditorMode() const = 0;
    // True unless the model forbids buying for now.
    virtual bool areUpgradesAllowed() const = 0;
    virtual bool isTipsEnabled() const = 0;
    virtual void setTipsEnabled(bool enabled) = 0;

    // The tutorial's tip display, switched off while the player picks an offer.
    virtual void setTutorialTipsShown(bool shown) = 0;
    // Asks the tutorial for its upgrade hint as an arrow at the position (nothing without one).
    virtual void checkUpgradeHint(const Engine::cVector2& position) = 0;

    // The tip of an upgrade button (owner: the button), none when the screen gives no tips.
    virtual cTip* createUpgradeTip(Engine::cWidget* owner) = 0;
    // Before it shows: the building, the lug's x and the level to describe (-1: the next one).
    virtual void prepareUpgradeTip(cTip* tip, cMeadowUnit* unit, float lugX, int32_t level) = 0;
};
