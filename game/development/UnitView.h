#pragma once

// A building of the map: the view of one model unit (what the characters need of it is in
// UnitViewLink.h).

#include "engine/gui/Panel.h"
#include "engine/gui/Visual.h"
#include "game/development/UnitViewLink.h"

#include <boost/signals2/connection.hpp>
#include <cstdint>
#include <string>
#include <vector>

class cMeadowUnit;
class cUpgradeVariant;
class IBuildingScreen;

// A unit of the model drawn on the map: the building file chosen by the unit's id, the marked
// plot it stands on until it is bought, the skin of its level and variant, the drop-in of a
// bought level, the building's sound on a click, the animals, the work look and the ghost
// previews of a level whose variant is still to choose.
class cUnitView : public Engine::cPanel, public IUnitView {
public:
    // Reads the building file; the first skin comes with the unit's upgrade or restore signal.
    cUnitView(IBuildingScreen* layer, cMeadowUnit* unit);
    ~cUnitView() override;

    void process() override;
    // The panel's keys, "point", "unit_sound", "silence_timer", the "Plot" and one icon per upgrade.
    void loadXML(const Engine::IXmlNode* node) override;

    virtual int32_t& getId() { return m_id; }
    virtual void setId(const int32_t& id) { m_id = id; }
    int32_t getPoint() const override { return m_point; }
    virtual void setPoint(const int32_t& point) { m_point = point; }
    static std::string getXmlFilePath(int32_t id);
    // The skin of the unit's level and variant; nothing at level 0.
    virtual void updateUpgradeSkin(bool withoutParts);
    virtual void removeCurrentVariant();

    // Hidden previews of every variant of the unit's level.
    void loadAllVariants();
    std::vector<cUpgradeVariant*> getAllVariants() const { return m_previewVariants; }
    const Engine::cVisual& getUpgradeIcon(int32_t index) const;

    // IUnitView
    cMeadowUnit* getUnit() const override { return m_unit; }
    void setWorking(bool on) override;
    float getWorkTime() const override;
    void playVoices() override;

    // Lets go of the unit and its signals at once (a preview whose copy is about to go).
    void releaseUnit();

    void playUnitSound();
    void onUnitUpgraded(cMeadowUnit* unit);
    void onUnitRestored(cMeadowUnit* unit);

    Engine::cWidget* getLayer() const { return m_layer; }
    IBuildingScreen* getScreen() const { return m_screen; }
    cUpgradeVariant* getCurrentVariant() const { return m_currentVariant; }
    cUpgradeVariant* getPreviousVariant() const { return m_previousVariant; }
    const std::vector<Engine::cVisual>& getUpgradeIcons() const { return m_upgradeIcons; }
    bool isDropping() const { return m_dropping; }
    // The plot is shown while nothing is built on it, and under a first level dropping in.
    Engine::cPanel* getPlot() const { return m_plot; }
    const std::string& getUnitSound() const { return m_unitSound; }
    const Engine::cVector2& getSilenceTimer() const { return m_silenceTimer; }

private:
    void onDropFinished();
    void updatePlot();
    Engine::IXmlNode* upgradeElement(Engine::IXmlNode* root, int32_t level, const char* where) const;

    cMeadowUnit* m_unit;
    IBuildingScreen* m_screen;
    Engine::cWidget* m_layer;
    int32_t m_id = -1;
    int32_t m_point = -1;
    cUpgradeVariant* m_currentVariant = nullptr;
    cUpgradeVariant* m_previousVariant = nullptr;
    std::vector<cUpgradeVariant*> m_previewVariants;
    std::vector<Engine::cVisual> m_upgradeIcons;
    boost::signals2::connection m_upgradedConnection;
    boost::signals2::connection m_restoredConnection;
    bool m_dropping = false;
    Engine::cPanel* m_plot = nullptr;
    std::string m_unitSound;
    Engine::cVector2 m_silenceTimer;
};
