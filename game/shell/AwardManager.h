#pragma once

// Counts the 21 awards: each check compares a counter of the controller or the model with the
// award's threshold from "Awards/Awards.xml"; an award reached is recorded in the player's
// profile and queued, and the queue is announced one award after the other on the panel.

#include "engine/gui/Widget.h"
#include "game/model/AwardManagerLink.h"

#include <cstdint>
#include <list>

class cAward;
class cAwardInfoPanel;
class cMeadowController;

constexpr int AWARD_COUNT = 21;
// The profile's "Bool" keys of the awards, by award type.
extern const char* const gAwardTypeNames[AWARD_COUNT];

class cAwardManager : public Engine::cWidget, public IAwardManager {
public:
    enum eDisplayState : int32_t {
        DISPLAY_IDLE = 0,
        DISPLAY_ANNOUNCING = 1,
        DISPLAY_DIALOG = 2,
    };

    // Reads the given flags from the profile and the thresholds from "Awards/Awards.xml";
    // visible but disabled until its owner enables it.
    cAwardManager(Engine::cWidget* parent, cMeadowController* controller);
    ~cAwardManager() override;

    // Makes the controller's award managers from now on (each enabled, for the current controller).
    static void registerFactory();

    // The widget keys, then the thresholds ("AwardData") of the children of "Awards".
    void loadXML(const Engine::IXmlNode* root) override;
    // Announces the next queued award once nothing is on show.
    void process() override;

    void checkAward1xMoney() override;
    void checkAward5xMoney() override;
    void checkAwardNLevels() override;
    void checkAwardAllLevels() override;
    void checkAwardXmoneyOnLevel() override;
    void checkAwardXbonusesUsing() override;
    void checkAwardNoBonusesOnLevel() override;
    void checkAwardNMatches() override;
    void checkAwardXtimeInGame() override;
    void checkAwardFanOfGame() override;
    void checkAwardFiveMinutes() override;
    void checkAwardAnimalsCare() override;
    void checkAwardLightningBonus() override;
    void checkAwardBombBonus() override;
    void checkAwardMaxUpgrade(bool fullyUpgraded) override;
    void checkAwardXfiguresSeria(int figures) override;
    void checkAwardXinRow(int figureSize) override;
    // 11 and 12 check the chicken award, 31 and 32 the bear's, 41 the cat's, 71 the mix's.
    void checkBonusAward(int bonusType) override;

    // False (nothing recorded) while the level editor runs.
    bool giveAward(int32_t type);
    bool isGiven(int32_t type) const;
    float getThreshold(int awardType) override;
    bool hasQueuedAwards() override { return !m_queue.empty(); }
    void onInfoPanelFinished();
    void onAwardTipClosed() override;
    // Opens the awards dialog from the announcement and holds the game's input meanwhile.
    void openAwardTip();

    int32_t getDisplayState() const { return m_displayState; }
    const std::list<cAward*>& getQueue() const { return m_queue; }
    cAwardInfoPanel* getInfoPanel() const { return m_infoPanel; }
    cMeadowController* getController() const { return m_controller; }

private:
    struct sAwardEntry {
        float threshold = 0;
        bool given = false;
    };

    void showNextAward();
    // Gives the award when value reaches its threshold.
    void checkValue(int32_t type, float value);
    // The same against the threshold truncated toward zero.
    void checkCount(int32_t type, int32_t count);
    // The use count of the bonus of that type.
    float bonusUses(int32_t bonusType) const;

    sAwardEntry m_awards[AWARD_COUNT];
    std::list<cAward*> m_queue;
    cMeadowController* m_controller;
    cAwardInfoPanel* m_infoPanel;
    int32_t m_displayState = DISPLAY_IDLE;
};

// The awards dialog's return callback when it was opened from an announcement.
void onAwardTipReturn();
