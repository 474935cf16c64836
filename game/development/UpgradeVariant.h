#pragma once

// One look of a building at one upgrade level: a transparent clickable button over the building
// that owns its skins, particle effects, falling parts, animals and work panels. The skins, parts,
// animals and work panels are drawn on the development screen; the variant hands them to the
// deferred deletion when it goes. Hovering it shows the building's tool-tip while the map is up.

#include "engine/gui/TextureButton.h"
#include "engine/gui/Visual.h"
#include "game/shell/TipClient.h"

#include <list>
#include <vector>

namespace Engine {
class cPanel;
class cPyroEffect;
} // namespace Engine
class cAnimationSet;
class cDropAnimation;
class cUnitView;
class IBuildingScreen;

class cUpgradeVariant : public Engine::cTextureButton, public cTipClient {
public:
    explicit cUpgradeVariant(cUnitView* owner);
    ~cUpgradeVariant() override;

    // The button's keys, the tip's ("Tip", "texture_mask"), "Icon", "Skins", "Pyro", "Parts" (unless withoutParts),
    // "Animals", "Works"; the variant ends hidden.
    void load(Engine::IXmlNode* element, bool withoutParts);
    // Shown with every skin at the alpha and enabled, or hidden and disabled with its skins.
    void setShown(bool show, float alpha);
    void updateAnimals(float dt);
    // One step of the drop-in; true when it has ended.
    bool updateDrop(float dt);
    void resetDrop() { m_dropTime = 0; }
    // The first skin's position; throws without skins.
    Engine::cVector2 getPosition() const;
    // The first work panel's animation length, 0 without work panels.
    float getWorkTime() const;
    void startWork();
    void stopWork();
    void showAnimals(bool show);
    void playVoices();
    // The button's click, then the building's sound.
    void clicked() override;
    // The clickable area is drawn only when it names a picture.
    void draw() override;

    // cTipClient: the screen makes the building's tip; it shows only while no level screen is open.
    void createTip() override;
    void setShowing() override;
    Engine::cSprite* getControl() override { return this; }

    const Engine::cVisual& getIcon() const { return m_icon; }
    const std::vector<Engine::cPanel*>& getSkins() const { return m_skins; }
    const std::vector<cDropAnimation*>& getParts() const { return m_parts; }
    const std::list<cDropAnimation*>& getFallingParts() const { return m_fallingParts; }
    const std::vector<cAnimationSet*>& getAnimals() const { return m_animals; }
    const std::vector<Engine::cPanel*>& getWorks() const { return m_works; }
    const std::vector<Engine::cPyroEffect*>& getPyroEffects() const { return m_pyroEffectList; }
    bool isWorking() const { return m_working; }
    float getDropTime() const { return m_dropTime; }

private:
    void releaseParts();

    cUnitView* m_unitView;
    Engine::cWidget* m_layer;
    IBuildingScreen* m_screen;
    Engine::cVisual m_icon;
    std::vector<Engine::cPanel*> m_skins;
    float m_dropTime = 0;
    std::vector<cDropAnimation*> m_parts;
    std::list<cDropAnimation*> m_fallingParts;
    std::vector<cAnimationSet*> m_animals;
    std::vector<Engine::cPanel*> m_works;
    bool m_working = false;
    std::vector<Engine::cPyroEffect*> m_pyroEffectList;
};
