#pragma once

// The awards the controller checks as the game goes on. The controller owns the manager.

class IAwardManager {
public:
    virtual ~IAwardManager() = default;

    // After each paid figure list.
    virtual void checkAward1xMoney() = 0;
    virtual void checkAward5xMoney() = 0;
    virtual void checkAwardXmoneyOnLevel() = 0;
    // Every frame.
    virtual void checkAwardFiveMinutes() = 0;
    virtual void checkAwardXtimeInGame() = 0;
    virtual void checkAwardFanOfGame() = 0;
    // At the end of a level.
    virtual void checkAwardNLevels() = 0;
    virtual void checkAwardAllLevels() = 0;
    virtual void checkAwardNoBonusesOnLevel() = 0;
    // A bonus applied.
    virtual void checkBonusAward(int bonusType) = 0;
    virtual void checkAwardXbonusesUsing() = 0;
    // A blast or lightning gone off.
    virtual void checkAwardBombBonus() = 0;
    virtual void checkAwardLightningBonus() = 0;
    virtual void checkAwardXinRow(int figureSize) = 0;
    virtual void checkAwardXfiguresSeria(int figures) = 0;
    virtual void checkAwardAnimalsCare() = 0;
    // Each matched or crashed piece the board counts.
    virtual void checkAwardNMatches() = 0;
    virtual void checkAwardMaxUpgrade(bool fullyUpgraded) = 0;

    virtual void onAwardTipClosed() = 0;
    virtual bool hasQueuedAwards() = 0;
    // The value an award type needs.
    virtual float getThreshold(int awardType) = 0;
};
